# Files without version information are weighed by the dates their texts
# show, not by the texts' letters: an update dated 1/1/2020 over 12/31/2019
# and one dated 10/1/2003 over 9/30/2003 are installed without a prompt
# ("replaced by"); an installed file one second later than the new one
# shows the same text and is "refreshed"; only the installed 1/1/2020 over
# a new 12/31/2019 brings the prompt, whose silent answer keeps it.
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\App
[Files]
year.txt=
month.txt=
second.txt=
older.txt=
INF
  pkg_text year.txt "new year" "2020-01-01 00:00:00"
  pkg_text month.txt "new month" "2003-10-01 08:00:00"
  pkg_text second.txt "new second" "2003-03-21 10:00:00"
  pkg_text older.txt "new older" "2019-12-31 23:59:58"
}
machine() {
  put_text 'C:\Scen\App\year.txt' "installed year" "2019-12-31 23:59:58"
  put_text 'C:\Scen\App\month.txt' "installed month" "2003-09-30 08:00:00"
  put_text 'C:\Scen\App\second.txt' "installed second" "2003-03-21 10:00:01"
  put_text 'C:\Scen\App\older.txt' "installed newer" "2020-01-01 00:00:00"
}
steps() { run_setup /S '/RECORD=%RECORD%' '%PKG%\APP.INF'; }
WATCH=('C:\Scen')
SHOW=('C:\Scen\App\LOGFILKW.LOG')
