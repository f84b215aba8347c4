# Updates whose version texts would sort the wrong way as plain text are
# installed without a prompt: 10.123.45678.0009 over 9.00.0000.0000, and
# 1.100.0000.0000 over 1.99.0000.0000, each logged "replaced by". A cancel
# answer waits, so that a prompt would show as a cancelled run.
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\App
[Files]
big.dll=
minor.dll=
INF
  pkg_pe big.dll v10 "2003-03-21 10:00:00"
  pkg_pe minor.dll v1_100 "2003-03-21 10:00:00"
}
machine() {
  put_pe 'C:\Scen\App\big.dll' v9000 "2001-01-01 12:00:00"
  put_pe 'C:\Scen\App\minor.dll' v1_99 "2001-01-01 12:00:00"
}
ANSWERS='MsgBoxSOC=2'
steps() { run_setup /S '/ANSWERS=%ANSWERS%' '%PKG%\APP.INF'; }
WATCH=('C:\Scen')
SHOW=('C:\Scen\App\LOGFILKW.LOG')
