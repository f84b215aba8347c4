# A read-only INI file cannot be written: each of its two entries gives a
# box with the code and the system's text ("Error 5(Access is denied) at
# IniWrite" + section), the file stays as it was, the entry for another
# file between them is written, and the run fails (exit 3).
#
# Wine running as root writes into read-only files (it leaves the check to
# the host, and root passes it); Windows refuses, as the emulation does.
[ "$(id -u)" != 0 ] || ONLY=native
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\App
[Files]
a.txt=
[IniWrite]
1=First,Key,v,C:\Scen\locked.ini
2=Other,Key,v,C:\Scen\other.ini
3=Second,Key,v,C:\Scen\locked.ini
INF
  pkg_text a.txt "a" "2003-03-21 10:00:00"
}
machine() {
  put_text 'C:\Scen\locked.ini' '[First]'
  put_attrib 'C:\Scen\locked.ini' +R
}
SHOW=('C:\Scen\App\LOGFILKW.LOG' 'C:\Scen\other.ini')
WATCH=('C:\Scen')
