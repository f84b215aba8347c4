# A [SetMnuLNK] section whose key names do not fit in its 519-character key
# list: the links of the five names that fit whole are made, the cut sixth
# and the seventh are not; the log names the last link made and the run
# fails (exit 3).
source "$SCEN_DIR/scenario_state_lib.sh"
long_key() { printf 'link_%03d_%s' "$1" "$(printf '%*s' 91 '' | tr ' ' x)"; }
package() {
  local i lines=""
  for i in $(seq 1 7); do lines+="$(long_key "$i")=Link$i,%MyProgramPath%\\app.exe
"; done
  printf '[Version]\nFormKw=TALVEN\n[Strings]\nMyProgramPath=C:\\Scen\\App\nMyStartMenu=C:\\Scen\\Menu\n[Files]\napp.exe=\n[SetMnuLNK]\n%s' "$lines" | pkg_inf APP.INF
  pkg_text app.exe "app" "2003-03-21 10:00:00"
}
steps() {
  run_setup /S '%PKG%\APP.INF'
  report_tree 'C:\Scen\Menu'
}
SHOW=('C:\Scen\App\LOGFILKW.LOG')
