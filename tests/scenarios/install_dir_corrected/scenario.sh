# An installation directory that cannot be made (a drive that does not
# exist), corrected in the dialog shown again: the error boxes and the log's
# error line stay, but a run that then installs everything ends with
# warnings (exit 2), not as a failure.
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=Q:\Nowhere\App
[Files]
a.txt=
INF
  pkg_text a.txt "a" "2003-03-21 10:00:00"
}
ANSWERS=$'PathSel=1,Q:\\Nowhere\\App\nPathSel=1,C:\\Scen\\App'
steps() { run_setup /S '/ANSWERS=%ANSWERS%' '%PKG%\APP.INF'; }
WATCH=('C:\Scen')
SHOW=('C:\Scen\App\LOGFILKW.LOG')
