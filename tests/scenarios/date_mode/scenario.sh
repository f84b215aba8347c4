# Files without version information compare by their last-write dates:
# an older installed file is "replaced by", an equal one "refreshed", a newer
# one brings the prompt with the date wording: an installed 12/31/2004
# (answered "Skip copy": "not replaced by") as well as an installed 4/1/2004
# (answered "Overwrite": "replaced by"). A new file without version over an
# installed one with version is compared by date too, and the line carries
# the installed file's language text.
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\App
[Files]
older.txt=
equal.txt=
newer.txt=
prompted.txt=
hasver.dll=
INF
  pkg_text older.txt "new older" "2003-03-21 10:00:00"
  pkg_text equal.txt "new equal" "2003-03-21 10:00:00"
  pkg_text newer.txt "new newer" "2003-03-21 10:00:00"
  pkg_text prompted.txt "new prompted" "2003-03-21 10:00:00"
  pkg_text hasver.dll "new without version" "2003-03-21 10:00:00"
}
machine() {
  put_text 'C:\Scen\App\older.txt' "installed older" "2002-01-01 08:00:00"
  put_text 'C:\Scen\App\equal.txt' "installed equal" "2003-03-21 10:00:00"
  put_text 'C:\Scen\App\newer.txt' "installed newer" "2004-12-31 23:59:58"
  put_text 'C:\Scen\App\prompted.txt' "installed prompted" "2004-04-01 09:30:00"
  put_pe 'C:\Scen\App\hasver.dll' v1234 "2002-01-01 08:00:00"
}
ANSWERS='MsgBoxSOC=1
MsgBoxSOC=4'
steps() { run_setup /S '/ANSWERS=%ANSWERS%' '/RECORD=%RECORD%' '%PKG%\APP.INF'; }
WATCH=('C:\Scen')
SHOW=('C:\Scen\App\LOGFILKW.LOG')
