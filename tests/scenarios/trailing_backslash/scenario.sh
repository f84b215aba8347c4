# An installation directory that ends in a backslash keeps exactly one: the
# log is C:\Scen\App\LOGFILKW.LOG and the files go beside it; /DIR= given on
# the command line wins over the control file's proposal.
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\App\
[Files]
a.txt=
INF
  pkg_text a.txt "a" "2003-03-21 10:00:00"
}
steps() {
  run_setup /S '%PKG%\APP.INF'
  run_setup /S '/DIR=C:\Scen\Other\' '%PKG%\APP.INF'
}
WATCH=('C:\Scen')
SHOW=('C:\Scen\App\LOGFILKW.LOG' 'C:\Scen\Other\LOGFILKW.LOG')
