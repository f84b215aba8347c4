# New 10.123.45678.0009 over installed 9.00.0000.0000: the installed text
# begins with "9" and is greater, so the prompt is shown although the new
# file is the newer one; "Skip copy" keeps the older installed file, and
# "Overwrite" for the second file installs the newer one.
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\App
[Files]
big.dll=
big2.dll=
INF
  pkg_pe big.dll v10 "2003-03-21 10:00:00"
  pkg_pe big2.dll v10 "2003-03-21 10:00:00"
}
machine() {
  put_pe 'C:\Scen\App\big.dll' v9000 "2001-01-01 12:00:00"
  put_pe 'C:\Scen\App\big2.dll' v9000 "2001-01-01 12:00:00"
}
ANSWERS='MsgBoxSOC=1
MsgBoxSOC=4'
steps() { run_setup /S '/ANSWERS=%ANSWERS%' '%PKG%\APP.INF'; }
WATCH=('C:\Scen')
SHOW=('C:\Scen\App\LOGFILKW.LOG')
