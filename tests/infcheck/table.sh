# The checker's table of small broken packages, shared by the native test
# (tests/e2e/infcheck.sh) and the Wine test (tests/wine/infcheck_test.sh).
# Each row: a name, the exit code, the control file's text (after a signed
# [Version] header of two lines, so the rows' own lines start at line 3),
# and the exact lines the checker prints. Every package also holds A.TXT
# and sub/B.TXT.
#
# run_infcheck_table CHECKER...: runs the command with APP.INF in each
# row's package folder (the current directory); prints "  FAIL row N ..."
# for each difference and returns the number of failed rows.

# 120 [RegWrite] lines: their names need more than the 519 characters the
# installer reads the section's key list into.
LONG_REGWRITE=$(for i in $(seq 1000 1119); do printf 'K%s=HKCU,Software\\X,V,Reg_SZ,a\n' "$i"; done)

ROWS=(
"keylist past its buffer|2|[RegWrite]
$LONG_REGWRITE|APP.INF:3: error: [RegWrite] has more key names than fit in 519 characters: later lines are not written
APP.INF: 1 error, 0 warnings"
'clean|0|[Files]
A.TXT=
sub\*.TXT=%MyProgramPath%\sub|APP.INF: 0 errors, 0 warnings'
'root|2|[RegWrite]
1=HKLN,Software\X,V,Reg_SZ,a|APP.INF:4: error: [RegWrite] 1: unknown root "HKLN" (known: HKLM, HKCU, HKCR)
APP.INF: 1 error, 0 warnings'
'type and dword|2|[RegWriteUninstall]
1=HKCU,Software\X,V,Reg_QWORD,1
2=HKCU,Software\X,V,Reg_DWORD,123456789
3=HKCU,Software\X,V,Reg_DWORD,12G|APP.INF:4: error: [RegWriteUninstall] 1: value type "Reg_QWORD" is not implemented (known: Reg_SZ, Reg_DWORD, ????)
APP.INF:5: error: [RegWriteUninstall] 2: DWORD data "123456789" has more than 8 digits
APP.INF:6: error: [RegWriteUninstall] 3: DWORD data "12G" is not hexadecimal
APP.INF: 3 errors, 0 warnings'
'too few and errsection|2|[RegWrite]
ErrSection=Gone
1=HKCU|APP.INF:4: error: [RegWrite] ErrSection: section [Gone] does not exist
APP.INF:5: error: [RegWrite] 1: too few fields (root,subkey[,name[,type,data]]): the installer stops the section here
APP.INF: 2 errors, 0 warnings'
'regread|2|[RegRead]
A=HKCU
B=HKXX,Software|APP.INF:4: error: [RegRead] A: missing "," between root and subkey: the installer ends the run here
APP.INF:5: error: [RegRead] B: unknown root "HKXX" (known: HKLM, HKCU, HKCR)
APP.INF: 2 errors, 0 warnings'
'files|2|[Files]
none.dll=
sub/B.TXT=C:\x
A.TXT=relative\dir|APP.INF:4: error: [Files] none.dll: no file of the package matches none.dll
APP.INF:5: warning: [Files] sub/B.TXT: forward slash in the source: the installer'"'"'s paths use backslashes
APP.INF:6: error: [Files] A.TXT: destination "relative\dir" is not a full path
APP.INF: 2 errors, 1 warning'
'subdirs|0|[Files]
*.TXT/s=%MyProgramPath%|APP.INF: 0 errors, 0 warnings'
'variables|1|[Strings]
Later=%Defined%
Defined=x
[IniWrite]
1=S,K,%Unknown%,%MyProgramPath%\A.INI|APP.INF:4: warning: [Strings] Later: %Defined% is set by [Strings] only at line 5, after this value: it stays as written
APP.INF:7: warning: [IniWrite] 1: %Unknown% is not set by anything that runs before it: it stays as written
APP.INF: 0 errors, 2 warnings'
'dialog variable|1|[Strings]
Base=C:\Apps
MyProgramPath=%Base%\App|APP.INF:5: warning: [Strings] MyProgramPath: the directory dialog shows %Base% as written: [Strings] and [RegRead] variables are set after it
APP.INF: 0 errors, 1 warning'
'links|2|[SetMnuLNK]
1=OnlyName
2=App,%MyProgramPath%\A.TXT,,%MyProgramPath%\A.TXT,one
3=Uninstall,%rundll%,"%setupx%.dll,InstallHinfSection X 132 %windir%\inf\APP.INF"|APP.INF:4: error: [SetMnuLNK] 1: no target: a link line is name,target[,arguments[,icon file[,icon index]]]
APP.INF:5: error: [SetMnuLNK] 2: icon index "one" is not a decimal number
APP.INF:6: warning: [SetMnuLNK] 3: target %rundll% without ".exe" is taken for a file beside SETUP.EXE: write %rundll%.exe
APP.INF: 2 errors, 1 warning'
'iniwrite|2|[IniWrite]
1=Settings,Key,Value|APP.INF:4: error: [IniWrite] 1: too few fields: an entry is section,key,value,file
APP.INF: 1 error, 0 warnings'
'duplicates and names|1|[RegWrit]
1=x
[Strings]
A=1
a=2|APP.INF:3: warning: section [RegWrit] is not read by the installer: did you mean [RegWrite]?
APP.INF:7: warning: duplicate key "a" in [Strings]: only the first, on line 6, counts
APP.INF: 0 errors, 2 warnings'
'uninstall forgets one of each|1|[Version]
Signature="$Chicago$"
[Strings]
Programs=
MyStartMenu=%Programs%\App
[Files]
A.TXT=
*/s=%MyProgramPath%\all
[RegWrite]
1=HKCU,Software\App,Dir,Reg_SZ,%MyProgramPath%
2=HKCU,Software\Other,X,Reg_SZ,1
3=HKCU,Software\App\Sub,Y,Reg_DWORD,1
[RegWriteUninstall]
1=HKLM,Software\Microsoft\Windows\CurrentVersion\Uninstall\App,UninstallString,Reg_SZ,%rundll% %setupx%.dll,InstallHinfSection Remove 132 %windir%\inf\APP.INF
[SetMnuLNK]
1=App,%MyProgramPath%\A.TXT
2=Notes,%MyProgramPath%\A.TXT
[DestinationDirs]
RemoveProgram=-1,"%MyProgramPath%"
RemoveAll=-1,%MyProgramPath%\all
RemoveAllSub=-1,%MyProgramPath%\all\sub
RemoveLinks=-1,%MyStartMenu%
RemoveCopy=17
[Remove]
DelFiles=RemoveProgram,RemoveAll,RemoveAllSub,RemoveLinks,RemoveCopy
DelReg=RemoveKeys
[RemoveProgram]
A.TXT
LOGFILKW.LOG
[RemoveAll]
A.TXT
APP.INF
[RemoveAllSub]
OLD.TXT
[RemoveLinks]
App.LNK
[RemoveCopy]
APP.INF
[RemoveKeys]
HKCU,Software\App
HKLM,Software\Microsoft\Windows\CurrentVersion\Uninstall\App|APP.INF:10: warning: [Files] */s: the uninstall [Remove] leaves the file %MyProgramPath%\all\sub\B.TXT behind: no DelFiles entry removes it
APP.INF:13: warning: [RegWrite] 2: the uninstall [Remove] leaves the key HKCU\Software\Other behind: no DelReg entry removes it
APP.INF:19: warning: [SetMnuLNK] 2: the uninstall [Remove] leaves the link %MyStartMenu%\Notes.LNK behind: no DelFiles entry removes it
APP.INF: 0 errors, 3 warnings'
'uninstall the engine refuses|1|[RegWriteUninstall]
1=HKLM,Software\Microsoft\Windows\CurrentVersion\Uninstall\App,UninstallString,Reg_SZ,%rundll% %setupx%.dll,InstallHinfSection Remove 132 %windir%\inf\APP.INF
[Remove]
DelReg=RemoveKeys|APP.INF:1: warning: [Version] has no Signature of "$Chicago$" or "$Windows NT$": the setup engine refuses the installed copy and the uninstall removes nothing
APP.INF: 0 errors, 1 warning'
'uninstall section missing|1|[Version]
Signature=$Windows NT$
[RegWriteUninstall]
1=HKLM,Software\Microsoft\Windows\CurrentVersion\Uninstall\App,UninstallString,Reg_SZ,%rundll% %setupx%.dll,InstallHinfSection Remove 132 %windir%\inf\APP.INF|APP.INF:6: warning: [RegWriteUninstall] 1: the uninstall runs [Remove], which the control file does not have: it removes nothing
APP.INF: 0 errors, 1 warning'
'uninstall infpath|2|[Version]
Signature=$Windows NT$
[RegWriteUninstall]
1=HKLM,Software\Microsoft\Windows\CurrentVersion\Uninstall\App,UninstallString,Reg_SZ,%rundll% %setupx%.dll,InstallHinfSection Remove 132 %windir%\inf\APP.INF
[DestinationDirs]
RemoveCopy=-1,%InfPath%
Elsewhere=16422,App
[Remove.NT]
DelFiles=RemoveCopy,RemoveGone,Elsewhere
DelReg=RemoveKeys
[Elsewhere]
KEEP.TXT
[RemoveCopy]
APP.INF
[RemoveKeys]
HKLM,Software\Microsoft\Windows\CurrentVersion\Uninstall\App
HKXX,Software\App|APP.INF:6: warning: [RegWriteUninstall] 1: the uninstall [Remove] leaves the installed copy %windir%\inf\APP.INF behind: no DelFiles entry removes it
APP.INF:8: error: [DestinationDirs] RemoveCopy: %InfPath% ends in a backslash, which the setup engine reads as a line continuation: name the folder by its id (17: the INF folder)
APP.INF:11: warning: [Remove.NT] DelFiles: the setup engine passes over this line: no section [RemoveGone]
APP.INF:19: warning: [RemoveKeys]: the setup engine passes over this line: an unknown root key
APP.INF: 1 error, 3 warnings'
'values past their buffers|1|[Strings]
Long=xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx
Short=fits
[IniWrite]
1=S,K,vvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvv,C:\A.INI|APP.INF:4: warning: [Strings] Long: the value has 600 characters; the installer reads the first 519 and drops the rest
APP.INF:7: warning: [IniWrite] 1: the value has 268 characters; the installer reads the first 260 and drops the rest
APP.INF: 0 errors, 2 warnings'
)

# A row whose file is written as given, without the signed header.
RAW_ROWS=(
'signature|2|[Version]
FormKw=OTHER|APP.INF:2: error: [Version] FormKw does not hold "TALVEN" within its first 30 characters: the installer refuses this file
APP.INF: 1 error, 0 warnings'
)

_infcheck_row() {  # _infcheck_row NUMBER ROW HEADER CHECKER...
  local number=$1 row=$2 header=$3 dir; shift 3
  local name=${row%%|*} rest=${row#*|}
  local code=${rest%%|*} rest2=${rest#*|}
  local inf=${rest2%%|*} expected=${rest2#*|}
  dir=$(mktemp -d) || return 1
  mkdir "$dir/sub" && : >"$dir/A.TXT" && : >"$dir/sub/B.TXT"
  if [ -n "$header" ]; then printf '%s\r\n%s\r\n' "$header" "$inf" | sed 's/\r\?$/\r/' >"$dir/APP.INF"
  else printf '%s\n' "$inf" | sed 's/$/\r/' >"$dir/APP.INF"; fi
  local output status
  output=$(cd "$dir" && "$@" APP.INF 2>/dev/null | tr -d '\r')
  (cd "$dir" && "$@" APP.INF >/dev/null 2>&1); status=$?
  rm -rf "$dir"
  if [ "$output" != "$expected" ] || [ "$status" != "$code" ]; then
    echo "  FAIL row $number ($name): exit $status, expected $code"
    diff <(echo "$expected") <(echo "$output") | sed 's/^/    /'
    return 1
  fi
  echo "  ok   row $number ($name)"
}

run_infcheck_table() {
  local failed=0 i=0 row
  for row in "${ROWS[@]}"; do
    i=$((i + 1)); _infcheck_row "$i" "$row" $'[Version]\r\nFormKw=TALVEN' "$@" || failed=$((failed + 1))
  done
  for row in "${RAW_ROWS[@]}"; do
    i=$((i + 1)); _infcheck_row "$i" "$row" "" "$@" || failed=$((failed + 1))
  done
  return "$failed"
}
