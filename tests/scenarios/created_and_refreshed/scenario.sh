# A first installation creates the installation directory, the log and the
# files (logged "created" with the version text or, without version
# information, the date); installing the same package again extends the log
# with the "=" rule and logs every file "refreshed".
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
ProjectVersionFile=app.dll
[Strings]
MyProgramPath=C:\Scen\App
[Files]
app.dll=
readme.txt=
INF
  pkg_pe app.dll v2700 "2003-03-21 10:00:00"
  pkg_text readme.txt "read me" "2002-11-05 17:45:30"
}
steps() {
  run_setup /S '%PKG%\APP.INF'
  run_setup /S '%PKG%\APP.INF'
}
WATCH=('C:\Scen' 'C:\windows\inf\APP.INF')
SHOW=('%TEMP%\LOGFILKW.LOG' 'C:\Scen\App\LOGFILKW.LOG' 'C:\windows\inf\APP.INF')
