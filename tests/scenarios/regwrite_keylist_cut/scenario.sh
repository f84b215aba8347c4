# A [RegWrite] section whose key names do not fit in its 520-character key
# list: the five names that fit whole are written, the sixth (cut) and the
# lines after it are not; the log names the last line written and the run
# fails (exit 3) instead of calling itself a success.
source "$SCEN_DIR/scenario_state_lib.sh"
long_key() { printf 'value_%03d_%s' "$1" "$(printf '%*s' 90 '' | tr ' ' x)"; }
package() {
  local i lines=""
  for i in $(seq 1 8); do lines+="$(long_key "$i")=HKCU,Software\\Scen\\Cut,Value$i,Reg_SZ,v$i
"; done
  printf '[Version]\nFormKw=TALVEN\n[Strings]\nMyProgramPath=C:\\Scen\\App\n[Files]\na.txt=\n[RegWrite]\n%s' "$lines" | pkg_inf APP.INF
  pkg_text a.txt "a" "2003-03-21 10:00:00"
}
steps() {
  run_setup /S '%PKG%\APP.INF'
  report_reg 'HKCU\Software\Scen'
}
SHOW=('C:\Scen\App\LOGFILKW.LOG')
