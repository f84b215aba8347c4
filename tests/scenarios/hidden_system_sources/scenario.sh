# Hidden and system source files that match a mask are copied like ordinary
# ones, and keep their attributes (the platform's copy carries them over).
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\App
[Files]
files\*.*=
INF
  pkg_text 'files/hidden.txt' "hidden" "2003-03-21 10:00:00"
  pkg_text 'files/system.txt' "system" "2003-03-21 10:00:00"
  pkg_text 'files/both.txt' "hidden and system" "2003-03-21 10:00:00"
  pkg_text 'files/plain.txt' "plain" "2003-03-21 10:00:00"
  pkg_attrib 'files/hidden.txt' +H
  pkg_attrib 'files/system.txt' +S
  pkg_attrib 'files/both.txt' +H +S
}
WATCH=('C:\Scen')
SHOW=('C:\Scen\App\LOGFILKW.LOG')
