# A destination longer than 260 characters after expansion is refused with a
# log line naming it (nothing is cut and copied to a wrong place); the other
# lines are installed and the run fails.
package() {
  local long="C:\\Scen\\Long"
  while [ ${#long} -le 262 ]; do long+="\\abcdefghij"; done
  pkg_inf APP.INF <<INF
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\\Scen\\App
[Files]
long.txt=$long
a.txt=
INF
  pkg_text long.txt "long" "2003-03-21 10:00:00"
  pkg_text a.txt "a" "2003-03-21 10:00:00"
}
WATCH=('C:\Scen')
SHOW=('C:\Scen\App\LOGFILKW.LOG')
