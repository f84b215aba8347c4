# A destination that cannot be made (a drive that does not exist) stops the
# [Files] phase: its directory error is logged and the later lines copy
# nothing. A destination subfolder of "/s" that cannot be made (a file
# stands in its place) is reported with the text that ends in two carriage
# returns.
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\App
[Files]
first.txt=
nodrive.txt=Q:\Nowhere\App
later.txt=
INF
  pkg_text first.txt "first" "2003-03-21 10:00:00"
  pkg_text nodrive.txt "no drive" "2003-03-21 10:00:00"
  pkg_text later.txt "later" "2003-03-21 10:00:00"
  pkg_inf SUB.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\Sub
[Files]
tree\*/s=
after.txt=
INF
  pkg_text 'tree/blocked/inner.txt' "inner" "2003-03-21 10:00:00"
  pkg_text after.txt "after" "2003-03-21 10:00:00"
}
machine() { put_text 'C:\Scen\Sub\blocked' "a file where the folder should be"; }
steps() {
  run_setup /S '%PKG%\APP.INF'
  run_setup /S '%PKG%\SUB.INF'
}
WATCH=('C:\Scen')
SHOW=('C:\Scen\App\LOGFILKW.LOG' 'C:\Scen\Sub\LOGFILKW.LOG')
