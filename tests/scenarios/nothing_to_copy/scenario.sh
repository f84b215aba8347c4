# A mask that matches nothing, a source folder that does not exist and a
# mask that names a folder of the package (without /s nothing of it is
# installed) copy nothing; each is logged as a warning, no destination is
# made for them, the other lines are installed and the run ends with
# warnings (exit 2).
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\App
[Files]
*.xyz=
missing\*.dll=
help=%MyProgramPath%\help
a.txt=
INF
  pkg_text a.txt "a" "2003-03-21 10:00:00"
  pkg_text help/readme.txt "r" "2003-03-21 10:00:00"
}
WATCH=('C:\Scen')
SHOW=('C:\Scen\App\LOGFILKW.LOG')
