# A MyProgramPath in the environment SETUP starts with is no choice of this
# run: without [Files] (so without a directory dialog) the control file's
# [Strings] MyProgramPath is the installation directory everywhere (the
# installed copy, [RegWrite], the log). Run 2: a control file without one
# keeps the inherited value. Run 3: /DIR= is this run's choice and wins.
source "$SCEN_DIR/scenario_state_lib.sh"
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\Own
[RegWrite]
1=HKCU,Software\Scen,Dir,Reg_SZ,%MyProgramPath%
INF
  pkg_inf NONE.INF <<'INF'
[Version]
FormKw=TALVEN
[RegWrite]
1=HKCU,Software\Scen,Inherited,Reg_SZ,%MyProgramPath%
INF
  pkg_inf FILES.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\Own
[Files]
a.txt=
[RegWrite]
1=HKCU,Software\Scen,Chosen,Reg_SZ,%MyProgramPath%
INF
  pkg_text a.txt "a" "2003-03-21 10:00:00"
}
machine() { put_env MyProgramPath 'C:\Scen\Elsewhere'; }
steps() {
  run_setup /S '%PKG%\APP.INF'
  run_setup /S '%PKG%\NONE.INF'
  run_setup /S '/DIR=C:\Scen\Chosen' '%PKG%\FILES.INF'
  report_reg 'HKCU\Software\Scen'
}
WATCH=('C:\Scen')
SHOW=('C:\windows\inf\APP.INF' 'C:\Scen\Own\LOGFILKW.LOG' 'C:\Scen\Elsewhere\LOGFILKW.LOG'
  'C:\Scen\Chosen\LOGFILKW.LOG')
