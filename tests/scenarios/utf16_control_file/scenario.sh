# A control file saved as UTF-16LE with its byte-order mark (as Notepad's
# "Unicode" saves it) is read as the ANSI text it holds: its signature
# passes, a value with an accented letter reaches the registry and the
# folder, and the installed copy stays UTF-16LE with the run's [Strings].
source "$SCEN_DIR/scenario_state_lib.sh"
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\Café
[Files]
a.txt=
[RegWrite]
1=HKCU,Software\Scen,Dir,Reg_SZ,%MyProgramPath%
INF
  python3 - "$PKG/APP.INF" <<'PY'
import sys
path = sys.argv[1]
text = open(path, encoding="utf-8").read()
open(path, "wb").write(b"\xff\xfe" + text.encode("utf-16-le"))
PY
  scen_stamp "$PKG/APP.INF" "2004-05-06 07:08:10"
  pkg_text a.txt "a" "2003-03-21 10:00:00"
}
steps() {
  run_setup /S '%PKG%\APP.INF'
  report_reg 'HKCU\Software\Scen'
  python3 - "$(scen_host_path 'C:\windows\inf\APP.INF')" <<'PY' >>"$SCEN_REPORT"
import sys
data = open(sys.argv[1], "rb").read()
print("installed copy: UTF-16LE" if data.startswith(b"\xff\xfe") else "installed copy: not UTF-16LE")
for line in data[2:].decode("utf-16-le").splitlines():
    print("  | " + line)
PY
}
WATCH=('C:\Scen')
SHOW=()
