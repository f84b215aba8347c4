# The installation directory has one value: the accepted text is expanded
# once, and every use takes it as it stands. Run 1: /DIR= with a %name%;
# the log, an empty destination, a %MyProgramPath% destination (with /s),
# a link named after %MyProgramPath%, a link's target, the INI file and the
# installed copy's [Strings] all name the same folder. Run 2: [Strings]
# values that refer to their own names: MyProgramPath, shown as the
# proposal with the reference left as written (the name is not set yet),
# and a plain name, which keeps the value of its first pass instead of
# growing in each later one; both give one folder each.
source "$SCEN_DIR/scenario_state_lib.sh"
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\Proposed
MyStartMenu=C:\Scen\Menu
[Files]
README.TXT=
sub\*/s=%MyProgramPath%\sub
[SetMnuLNK]
1=Readme,%MyProgramPath%\README.TXT
2=%MyProgramPath%\Direct,%MyProgramPath%\README.TXT
[IniWrite]
1=Place,Dir,%MyProgramPath%,%MyProgramPath%\APP.INI
INF
  pkg_inf SELF.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\Self\%MyProgramPath%
Data=C:\Scen\Data\%Data%
[Files]
README.TXT=
data.txt=%Data%
[IniWrite]
1=Place,Data,%Data%,%MyProgramPath%\SELF.INI
INF
  pkg_text README.TXT "readme" "2003-03-21 10:00:00"
  pkg_text 'sub/inner/deep.txt' "deep" "2003-03-21 10:00:00"
  pkg_text data.txt "data" "2003-03-21 10:00:00"
}
steps() {
  run_setup /S '/DIR=%ProgramFiles%\Scen Places' '%PKG%\APP.INF'
  report_link 'C:\Program Files\Scen Places\Direct.LNK'
  run_setup /S '%PKG%\SELF.INF'
  report_tree '%PKG%' 'C:\Program Files\Scen Places' 'C:\Scen'
}
SHOW=('C:\Program Files\Scen Places\LOGFILKW.LOG' 'C:\Program Files\Scen Places\APP.INI'
  'C:\Scen\Self\%MyProgramPath%\LOGFILKW.LOG' 'C:\Scen\Self\%MyProgramPath%\SELF.INI'
  'C:\windows\inf\APP.INF' 'C:\windows\inf\SELF.INF')
