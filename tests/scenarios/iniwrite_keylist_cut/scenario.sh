# An [IniWrite] section whose key names do not fit in its 2600-character key
# list: the 25 entries whose names fit whole are written, the cut 26th and
# those after it are not. The section reports by message boxes only, but a
# loss no box shows goes to the log; the run fails (exit 3).
long_key() { printf 'entry_%03d_%s' "$1" "$(printf '%*s' 90 '' | tr ' ' x)"; }
package() {
  local i lines=""
  for i in $(seq 1 28); do lines+="$(long_key "$i")=Sec,Key$i,v$i,C:\\Scen\\out.ini
"; done
  printf '[Version]\nFormKw=TALVEN\n[Strings]\nMyProgramPath=C:\\Scen\\App\n[Files]\na.txt=\n[IniWrite]\n%s' "$lines" | pkg_inf APP.INF
  pkg_text a.txt "a" "2003-03-21 10:00:00"
}
SHOW=('C:\Scen\App\LOGFILKW.LOG' 'C:\Scen\out.ini')
