# A mask that matches nothing and a source folder that does not exist copy
# nothing; each is logged as a warning, the other lines are installed and
# the run ends with warnings (exit 2).
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\App
[Files]
*.xyz=
missing\*.dll=
a.txt=
INF
  pkg_text a.txt "a" "2003-03-21 10:00:00"
}
WATCH=('C:\Scen')
SHOW=('C:\Scen\App\LOGFILKW.LOG')
