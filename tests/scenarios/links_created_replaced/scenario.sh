# [SetMnuLNK] links in the program's Start-menu folder (MyStartMenu, made
# by the run and logged): all five fields; two fields only; a name with a
# folder part (used as it is); the rundll form, whose unquoted arguments
# with a blank become the working folder and the file name; a quoted
# arguments field, which never takes that form. The second run finds every
# link and logs the date of its last write with "replaced". Each link is
# read back with lnkinfo.
source "$SCEN_DIR/scenario_state_lib.sh"
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\My App
MyStartMenu=C:\Scen\Menu\Scen App
[Files]
app.exe=
uninst.inf=
[SetMnuLNK]
1=App,%MyProgramPath%\app.exe,-x /y,%MyProgramPath%\app.exe,2
2=Plain,%MyProgramPath%\app.exe
3=C:\Scen\Links\Direct,"%MyProgramPath%\app.exe",,,
4=Uninstall,%rundll%,%MyProgramPath%\uninst.inf
5=Quoted,%rundll%,"%MyProgramPath%\uninst.inf"
INF
  pkg_text app.exe "app" "2003-03-21 10:00:00"
  pkg_text uninst.inf "uninst" "2003-03-21 10:00:00"
}
machine() { put_dir 'C:\Scen\Links'; }
LINKS=('C:\Scen\Menu\Scen App\App.LNK' 'C:\Scen\Menu\Scen App\Plain.LNK' 'C:\Scen\Links\Direct.LNK'
  'C:\Scen\Menu\Scen App\Uninstall.LNK' 'C:\Scen\Menu\Scen App\Quoted.LNK')
steps() {
  run_setup /S '%PKG%\APP.INF'
  local link
  for link in "${LINKS[@]}"; do stamp_file "$link" "2003-04-05 16:07:08"; done
  run_setup /S '%PKG%\APP.INF'
  report_link "${LINKS[@]}"
  report_tree 'C:\Scen'
}
SHOW=('C:\Scen\My App\LOGFILKW.LOG')
