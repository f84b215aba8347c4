# The second of three [SetMnuLNK] links names a folder that does not exist
# (a folder part is used as it is, never made): the first link is created
# and logged, the second logs "Error: can't create Link" and its box names
# the link's path, the third is not processed, and the one failed link is a
# warning (exit 2). The [IniWrite] behind the links still runs.
source "$SCEN_DIR/scenario_state_lib.sh"
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\App
MyStartMenu=C:\Scen\Menu
[Files]
app.exe=
[SetMnuLNK]
1=First,%MyProgramPath%\app.exe
2=C:\Scen\NoSuchFolder\Second,%MyProgramPath%\app.exe
3=Third,%MyProgramPath%\app.exe
[IniWrite]
1=Done,Links,yes,%MyProgramPath%\done.ini
INF
  pkg_text app.exe "app" "2003-03-21 10:00:00"
}
machine() { put_dir 'C:\Scen\Menu'; }
steps() {
  run_setup /S '%PKG%\APP.INF'
  report_link 'C:\Scen\Menu\First.LNK'
  report_tree 'C:\Scen'
}
SHOW=('C:\Scen\App\LOGFILKW.LOG' 'C:\Scen\App\done.ini')
