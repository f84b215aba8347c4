# "Overwrite" with "always" answers every later prompt of the run, by
# version and by date: the three newer installed files are all replaced, and
# the cancel answer that waits behind it is never taken.
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\App
[Files]
one.dll=
two.dll=
three.txt=%MyProgramPath%\docs
INF
  pkg_pe one.dll v1004 "2003-03-21 10:00:00"
  pkg_pe two.dll v1004 "2003-03-21 10:00:00"
  pkg_text three.txt "three" "2003-03-21 10:00:00"
}
machine() {
  put_pe 'C:\Scen\App\one.dll' v1005 "2004-01-01 12:00:00"
  put_pe 'C:\Scen\App\two.dll' v1005 "2004-01-01 12:00:00"
  put_text 'C:\Scen\App\docs\three.txt' "installed three" "2004-04-01 12:00:00"
}
ANSWERS='MsgBoxSOC=4,always
MsgBoxSOC=2'
steps() { run_setup /S '/ANSWERS=%ANSWERS%' '/RECORD=%RECORD%' '%PKG%\APP.INF'; }
WATCH=('C:\Scen')
SHOW=('C:\Scen\App\LOGFILKW.LOG')
