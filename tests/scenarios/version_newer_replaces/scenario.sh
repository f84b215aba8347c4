# New 1.00.0000.0005 over installed 1.00.0000.0004: the installed text is the
# smaller one, so there is no prompt (a cancel answer lies in wait for one),
# and the file is replaced; the same version again is "refreshed".
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\App
[Files]
lib.dll=
same.dll=
INF
  pkg_pe lib.dll v1005 "2003-03-21 10:00:00"
  pkg_pe same.dll v1234 "2003-03-21 10:00:00"
}
machine() {
  put_pe 'C:\Scen\App\lib.dll' v1004 "2004-01-01 12:00:00"
  put_pe 'C:\Scen\App\same.dll' v1234 "2004-01-01 12:00:00"
}
ANSWERS='MsgBoxSOC=2'
steps() { run_setup /S '/ANSWERS=%ANSWERS%' '%PKG%\APP.INF'; }
WATCH=('C:\Scen')
SHOW=('C:\Scen\App\LOGFILKW.LOG')
