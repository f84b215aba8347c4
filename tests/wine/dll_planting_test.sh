#!/usr/bin/env bash
# No DLL planted beside SETUP.EXE, in the current folder or in the control
# file's folder is ever loaded into it. Every name that a Windows GUI
# program may come to load (the system DLLs SETUP.EXE uses and what they
# use in turn) is planted in all three folders as a DLL that leaves a file
# "<path>.loaded" when it is mapped; then a real small package is installed
# silently (a file, a registry value, an INI entry and a shell link, so that
# the shell and the component library come in), and no marker may appear.
#
# A careless loader shows first which planted names Wine would hand out at
# all: one it does not load from a folder (a DLL every process has already,
# or one Wine never takes from there) is reported as not testable there.
# Wine prefers its own DLLs; preferring native ones, as Windows does for
# everything but the known DLLs, is what makes the planted files candidates.
#
# usage: dll_planting_test.sh [WINDOWS_BUILD] [NATIVE_BUILD]
set -uo pipefail
source "$(dirname "$0")/lib.sh"
require_setup_exe
command -v i686-w64-mingw32-gcc >/dev/null || skip_all "no i686-w64-mingw32-gcc"

names=(
  advapi32.dll apphelp.dll bcrypt.dll bcryptprimitives.dll cabinet.dll cfgmgr32.dll
  clbcatq.dll combase.dll comctl32.dll comdlg32.dll coremessaging.dll crypt32.dll
  cryptbase.dll cryptnet.dll cryptsp.dll dbghelp.dll devobj.dll dhcpcsvc.dll dnsapi.dll
  dwmapi.dll dwrite.dll dxgi.dll edputil.dll explorerframe.dll gdi32.dll gdi32full.dll
  gdiplus.dll gpapi.dll iertutil.dll imagehlp.dll imm32.dll iphlpapi.dll kernel.appcore.dll
  kernel32.dll kernelbase.dll linkinfo.dll mlang.dll mpr.dll msasn1.dll msctf.dll
  msftedit.dll msimg32.dll msvcp_win.dll msvcrt.dll mswsock.dll ncrypt.dll netapi32.dll
  netutils.dll normaliz.dll ntdll.dll ntmarta.dll ntshrui.dll ole32.dll oleacc.dll
  oleaut32.dll powrprof.dll profapi.dll propsys.dll psapi.dll riched20.dll riched32.dll
  rpcrt4.dll rsaenh.dll samcli.dll sechost.dll secur32.dll setupapi.dll shcore.dll
  shell32.dll shfolder.dll shlwapi.dll slc.dll srvcli.dll sspicli.dll sxs.dll
  textinputframework.dll textshaping.dll twinapi.appcore.dll ucrtbase.dll
  uiautomationcore.dll urlmon.dll user32.dll userenv.dll usp10.dll uxtheme.dll
  version.dll win32u.dll windows.storage.dll windowscodecs.dll winhttp.dll wininet.dll
  winmm.dll winspool.drv winsta.dll wintrust.dll wkscli.dll wldp.dll ws2_32.dll
  wsock32.dll wtsapi32.dll xmllite.dll
)

work=$(make_work_dir dll_planting)
src="$WINE_TESTS_DIR/planting"
app="$work/app" current="$work/current" package="$work/package" clean="$work/clean"
folders=("$app" "$current" "$package")
mkdir -p "${folders[@]}" "$clean" "$work/installed" "$work/menu"

i686-w64-mingw32-gcc -Os -s -shared -nostdlib -Wl,-e,_DllMain@12 -o "$work/planted.dll" \
  "$src/planted_dll.c" -lkernel32 || skip_all "cannot build the planted DLL"
i686-w64-mingw32-gcc -Os -s -nostdlib -Wl,-e,_NaiveLoaderEntry@0 -o "$work/naive_loader.exe" \
  "$src/naive_loader.c" -lkernel32 || skip_all "cannot build the careless loader"
for folder in "${folders[@]}"; do
  for name in "${names[@]}"; do cp "$work/planted.dll" "$folder/$name"; done
done
cp "$SETUP_EXE" "$app/"
cp "$work/naive_loader.exe" "$app/"
cp "$work/naive_loader.exe" "$clean/"

win_installed=$(z_path "$work/installed")
printf 'Read me\r\n' >"$package/README.TXT"
cat >"$package/PLANTTST.INF" <<INF
[Version]
Signature="\$Windows NT\$"
FormKw=TALVEN
ProjectVersionFile=README.TXT

[Strings]
MyProgramPath=$win_installed
MyStartMenu=$(z_path "$work/menu")

[Files]
README.TXT=

[RegWrite]
1=HKCU,Software\\Talven\\PlantingTest,InstallDir,Reg_SZ,%MyProgramPath%

[SetMnuLNK]
1=Read me,%MyProgramPath%\\README.TXT

[IniWrite]
1=Settings,InstallDir,%MyProgramPath%,%MyProgramPath%\\PLANTTST.INI
INF
sed -i 's/$/\r/' "$package/PLANTTST.INF"

echo "DLL planting: ${#names[@]} names in each of three folders"
wine_prefix_init || { fail "wine prefix"; finish; }
# ntdll, kernel32 and kernelbase stay Wine's own: no process starts with
# native ones, and Windows takes them from nowhere but the system folder.
overrides=
for name in "${names[@]%.dll}"; do
  case $name in ntdll | kernel32 | kernelbase) ;; *) overrides+=${overrides:+,}$name ;; esac
done
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;$overrides=n,b"

clear_markers() { find "${folders[@]}" -maxdepth 1 -iname '*.loaded' -delete; }
# loaded_in FOLDER NAME. The marker carries the name as the importer spelled
# it (ADVAPI32.dll), which Wine found on the host without regard to case.
loaded_in() { [ -n "$(find "$1" -maxdepth 1 -iname "$2.loaded" -print -quit)" ]; }

# The careless loader beside the planted DLLs, then from a clean folder with
# the current or the package folder added to its search.
declare -A testable
clear_markers
(cd "$clean" && wine_run "$app/naive_loader.exe" "${names[@]}")
PLANT_SEARCH_DIR=$(z_path "$current") wine_run "$clean/naive_loader.exe" "${names[@]}"
PLANT_SEARCH_DIR=$(z_path "$package") wine_run "$clean/naive_loader.exe" "${names[@]}"
for folder in "${folders[@]}"; do
  count=0 untestable=()
  for name in "${names[@]}"; do
    if loaded_in "$folder" "$name"; then testable[$folder/$name]=1; count=$((count + 1)); else untestable+=("$name"); fi
  done
  echo "  $(basename "$folder"): $count of ${#names[@]} names testable; not testable: ${untestable[*]:-none}"
  [ "$count" -gt 0 ] || skip_all "Wine takes no planted DLL from $(basename "$folder")"
done
pass "a careless loader loads planted DLLs from each folder"

# SETUP.EXE beside its planted DLLs, started in the planted current folder,
# installing from the planted package folder.
clear_markers
(cd "$current" && wine_run "$app/SETUP.EXE" /S "$(z_path "$package")\\PLANTTST.INF")
check "the package installed (exit code)" 0 "$RUN_EXIT"
[ -f "$work/installed/README.TXT" ] && pass "file installed" || fail "README.TXT not installed"
[ -f "$work/menu/Read me.lnk" ] || [ -f "$work/menu/Read me.LNK" ] && pass "link created" || fail "no link"
wine reg query 'HKCU\Software\Talven\PlantingTest' /v InstallDir >/dev/null 2>&1 &&
  pass "registry value written" || fail "registry value missing"

total=0
for folder in "${folders[@]}"; do
  loaded=()
  for name in "${names[@]}"; do
    if loaded_in "$folder" "$name"; then
      loaded+=("$name")
      [ -n "${testable[$folder/$name]:-}" ] || echo "  (loaded although the careless loader did not: $name)"
    fi
  done
  total=$((total + ${#loaded[@]}))
  where=$(basename "$folder")
  if [ "${#loaded[@]}" -eq 0 ]; then
    pass "no planted DLL loaded from the $where folder"
  else
    fail "SETUP.EXE loaded from the $where folder: ${loaded[*]}"
  fi
done
# A planted DLL loaded in place of a system one may end the run early, so
# that others are not reached: the count is a lower bound when it is not 0.
echo "  planted DLLs loaded into SETUP.EXE: $total of ${#names[@]} names (three folders each)"

wine reg delete 'HKCU\Software\Talven\PlantingTest' /f >/dev/null 2>&1
rm -f "$WINEPREFIX/drive_c/windows/inf/PLANTTST.INF"
finish
