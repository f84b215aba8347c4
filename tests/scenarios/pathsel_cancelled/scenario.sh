# The directory dialog cancelled by the response file ends the run silently:
# no log anywhere, nothing installed, exit code 4. Only the signature probe
# has written the installed copy's [Version] before the dialog.
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\App
[Files]
a.txt=
INF
  pkg_text a.txt "a" "2003-03-21 10:00:00"
}
ANSWERS='PathSel=2'
steps() { run_setup /S '/ANSWERS=%ANSWERS%' '%PKG%\APP.INF'; }
WATCH=('C:\Scen' 'C:\windows\inf\APP.INF')
SHOW=('%TEMP%\LOGFILKW.LOG' 'C:\windows\inf\APP.INF')
