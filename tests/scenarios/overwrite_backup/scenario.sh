# "Overwrite" with "with Backup to": the installed file is saved into the
# backup folder (made on the way) before it is replaced; a backup folder that
# cannot be made keeps the installed file and counts a warning.
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\App
[Files]
saved.dll=
kept.dll=
INF
  pkg_pe saved.dll v1004 "2003-03-21 10:00:00"
  pkg_pe kept.dll v1004 "2003-03-21 10:00:00"
}
machine() {
  put_pe 'C:\Scen\App\saved.dll' v1005 "2004-01-01 12:00:00"
  put_pe 'C:\Scen\App\kept.dll' v1005 "2004-01-01 12:00:00"
}
ANSWERS='MsgBoxSOC=4,backup=C:\Scen\Old\Saved
MsgBoxSOC=4,backup=Q:\NoDrive'
steps() { run_setup /S '/ANSWERS=%ANSWERS%' '%PKG%\APP.INF'; }
WATCH=('C:\Scen')
SHOW=('C:\Scen\App\LOGFILKW.LOG')
