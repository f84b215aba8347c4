# New 1.00.0000.0004 over installed 1.00.0000.0005: the installed text is
# greater, so the prompt comes although the numbers are equal. The silent
# default "Skip copy" keeps the installed file ("not replaced by"); the
# answer "Overwrite" for the second file replaces it ("replaced by").
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\App
[Files]
first.dll=
second.dll=
INF
  pkg_pe first.dll v1004 "2003-03-21 10:00:00"
  pkg_pe second.dll v1004 "2003-03-21 10:00:00"
}
machine() {
  put_pe 'C:\Scen\App\first.dll' v1005 "2004-01-01 12:00:00"
  put_pe 'C:\Scen\App\second.dll' v1005 "2004-01-01 12:00:00"
}
ANSWERS='MsgBoxSOC=1
MsgBoxSOC=4'
steps() { run_setup /S '/ANSWERS=%ANSWERS%' '/RECORD=%RECORD%' '%PKG%\APP.INF'; }
WATCH=('C:\Scen')
SHOW=('C:\Scen\App\LOGFILKW.LOG')
