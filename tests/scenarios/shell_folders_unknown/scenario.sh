# A [Strings] name that the registry does not know and that has no value in
# the control file stops each of the three shell folder passes at that name:
# the box comes three times, the failure is logged three times, the names
# behind it are left out (the installed copy keeps the control file's text,
# no variable is set), the summary line of the two writing passes is not
# logged, and the run goes on to fail (exit 3). A name before it is resolved.
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\App
Desktop=C:\Wrong
NoSuchFolder=
Behind=C:\Behind
[Files]
a.txt=
[IniWrite]
1=Vars,Desktop,%Desktop%,%MyProgramPath%\vars.ini
2=Vars,Behind,%Behind%,%MyProgramPath%\vars.ini
INF
  pkg_text a.txt "a" "2003-03-21 10:00:00"
}
SHOW=('C:\Scen\App\LOGFILKW.LOG' 'C:\windows\inf\APP.INF' 'C:\Scen\App\vars.ini')
