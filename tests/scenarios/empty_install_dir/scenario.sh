# An installation directory confirmed empty (no proposal, the dialog answered
# with an empty path) leaves nothing to install into:
# a line without destination would otherwise go to the root of the current
# drive, the medium. The line is refused with an error and the log goes to
# the temporary directory.
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Files]
a.txt=
b.txt=C:\Scen\Named
INF
  pkg_text a.txt "a" "2003-03-21 10:00:00"
  pkg_text b.txt "b" "2003-03-21 10:00:00"
}
ANSWERS='PathSel=1,'
steps() { run_setup /S '/ANSWERS=%ANSWERS%' '%PKG%\APP.INF'; }
WATCH=('C:\Scen')
SHOW=('%TEMP%\LOGFILKW.LOG')
