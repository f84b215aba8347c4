# A [Strings] section whose names do not fit in its 2601-character key list:
# the 25 names that fit whole are resolved, the cut 26th and those after it
# are not. The list is read on each of the three passes but its cut is
# logged once; the run fails (exit 3).
long_key() { printf 'name_%03d_%s' "$1" "$(printf '%*s' 91 '' | tr ' ' x)"; }
package() {
  local i lines=""
  for i in $(seq 1 28); do lines+="$(long_key "$i")=v$i
"; done
  printf '[Version]\nFormKw=TALVEN\n[Strings]\nMyProgramPath=C:\\Scen\\App\n%s[Files]\na.txt=\n' "$lines" | pkg_inf APP.INF
  pkg_text a.txt "a" "2003-03-21 10:00:00"
}
SHOW=('C:\Scen\App\LOGFILKW.LOG')
