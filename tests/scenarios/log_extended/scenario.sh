# An existing log in the installation directory is extended: an empty line,
# the rule of 50 "=", and the new section; the earlier text stays as it was.
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
machine() { printf 'an earlier run\r\nits last line\r\n' | put_raw 'C:\Scen\App\LOGFILKW.LOG'; }
WATCH=('C:\Scen')
SHOW=('C:\Scen\App\LOGFILKW.LOG')
