# A user whose short date picture has day and month names and whose time
# picture is a 24-hour one: the log's date texts follow the user's pictures
# as the platform's own locale formatting makes them.
source "$SCEN_DIR/scenario_state_lib.sh"
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\App
[Files]
a.txt=
b.txt=
INF
  pkg_text a.txt "a" "2003-03-21 14:05:33"
  pkg_text b.txt "b" "2004-02-29 00:00:00"
}
machine() {
  put_reg 'HKCU\Control Panel\International' sShortDate sz "dddd d MMMM yyyy ('ddd' MMM)"
  put_reg 'HKCU\Control Panel\International' sTimeFormat sz 'HH:mm:ss'
}
SHOW=('C:\Scen\App\LOGFILKW.LOG')
