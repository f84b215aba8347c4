# An installed file that another program holds open without sharing cannot
# be replaced: the error text goes to standard error and into the log, the
# run fails (exit 3), the later files are not copied, and the held file is
# left whole.
#
# Wine only: the emulation keeps the share modes of one process, so another
# process's open file is not locked there.
ONLY=wine
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\App
[Files]
busy.dll=
after.txt=
INF
  pkg_pe busy.dll v1005 "2003-03-21 10:00:00"
  pkg_text after.txt "after" "2003-03-21 10:00:00"
}
machine() { put_pe 'C:\Scen\App\busy.dll' v1004 "2001-01-01 12:00:00"; }
steps() {
  hold_file 'C:\Scen\App\busy.dll'
  run_setup /S '%PKG%\APP.INF'
  release_files
}
WATCH=('C:\Scen')
SHOW=('C:\Scen\App\LOGFILKW.LOG')
