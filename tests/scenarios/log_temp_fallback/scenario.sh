# Without an installation directory (MyProgramPath missing, or empty) the
# log goes to the temporary directory, whose unexpanded value the log names;
# the second run extends that log. Files with destinations of their own are
# installed.
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Files]
a.txt=C:\Scen\Dest
INF
  pkg_inf EMPTY.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=
[Files]
b.txt=C:\Scen\Dest
INF
  pkg_text a.txt "a" "2003-03-21 10:00:00"
  pkg_text b.txt "b" "2003-03-21 10:00:00"
}
steps() {
  run_setup /S '%PKG%\APP.INF'
  run_setup /S '%PKG%\EMPTY.INF'
}
WATCH=('C:\Scen')
