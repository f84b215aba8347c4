# New 9.00.0000.0000 over installed 10.123.45678.0009: the installed file
# is the newer by its major part, so the prompt advises to skip, and "Skip
# copy" keeps it: "not replaced by" the older one.
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\App
[Files]
big.dll=
INF
  pkg_pe big.dll v9000 "2003-03-21 10:00:00"
}
machine() { put_pe 'C:\Scen\App\big.dll' v10 "2001-01-01 12:00:00"; }
ANSWERS='MsgBoxSOC=1'
steps() { run_setup /S '/ANSWERS=%ANSWERS%' '%PKG%\APP.INF'; }
WATCH=('C:\Scen')
SHOW=('C:\Scen\App\LOGFILKW.LOG')
