# A read-only installed file that is to be replaced cannot be copied over:
# the error box text goes to standard error and into the log, the run fails
# (exit 3), the stop bit keeps the later files from being copied, and the
# installed file is left as it was. A read-only source file (as on a CD)
# is installed read-only, so a second installation fails on it the same way.
#
# Wine 8 replaces a read-only file all the same: the copy goes to a
# temporary that is renamed over the target, and its rename does not look
# at the attribute. Windows refuses, as the emulation does.
ONLY=native
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\App
[Files]
fromcd.txt=
locked.dll=
after.txt=
INF
  pkg_text fromcd.txt "read-only on the medium" "2003-03-21 10:00:00"
  pkg_attrib fromcd.txt +R
  pkg_pe locked.dll v1005 "2003-03-21 10:00:00"
  pkg_text after.txt "after" "2003-03-21 10:00:00"
}
machine() {
  put_pe 'C:\Scen\App\locked.dll' v1004 "2001-01-01 12:00:00"
  put_attrib 'C:\Scen\App\locked.dll' +R
}
steps() {
  run_setup /S '%PKG%\APP.INF'
  run_setup /S '%PKG%\APP.INF'
}
WATCH=('C:\Scen')
SHOW=('C:\Scen\App\LOGFILKW.LOG')
