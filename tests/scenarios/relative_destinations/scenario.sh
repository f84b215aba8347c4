# Destinations that name no place of their own after expansion (an
# undefined variable, a folder relative to the current one, or the root of
# the current drive) would land on the medium, beside the control file, or
# on the medium's drive. Each is refused with an error naming its line and
# value; the run fails (exit 3) and nothing appears in the package folder or
# at the drive's root. The lines that do name their place are installed; a
# bare [IniWrite] file name still means the Windows directory.
# Run 1: [Files], [SetMnuLNK] (a failed link ends its section) and
# [IniWrite]. Run 2: a relative MyStartMenu gives way to the folder below
# the user's Programs, and a root-relative link is refused. Runs 3 and 4: an
# installation directory that is relative, or relative to the drive's root,
# is refused like one that cannot be created; without a user the second
# attempt is cancelled and the run ends without a log.
source "$SCEN_DIR/scenario_state_lib.sh"
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\App
MyStartMenu=C:\Scen\Menu
[Files]
README.TXT=%NOTDEFINED%\bin
root.txt=\scen-places-rootrel
sub.txt=sub
good.txt=
[SetMnuLNK]
1=Good,C:\Scen\App\good.txt
2=sub\Link,C:\Scen\App\good.txt
3=Never,C:\Scen\App\good.txt
[IniWrite]
1=Sec,Key,v,%NOTDEFINED%\REL.INI
2=Sec,Key,v,\scen-places-rootrel\ROOT.INI
3=Sec,Key,v,.\DOT.INI
4=Sec,Key,v,C:\Scen\App\good.ini
5=ScenPlaces,Key,v,scenplaces.ini
INF
  pkg_inf LINKS.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\Links
MyStartMenu=Menu\Rel
[DestinationDirs]
LnkName=Scen Places
[Files]
good.txt=
[SetMnuLNK]
1=Fallback,C:\Scen\Links\good.txt
2=\scen-places-rootrel\Link,C:\Scen\Links\good.txt
INF
  pkg_text README.TXT "readme" "2003-03-21 10:00:00"
  pkg_text root.txt "root" "2003-03-21 10:00:00"
  pkg_text sub.txt "sub" "2003-03-21 10:00:00"
  pkg_text good.txt "good" "2003-03-21 10:00:00"
}
steps() {
  run_setup /S '%PKG%\APP.INF'
  run_setup /S '%PKG%\LINKS.INF'
  run_setup /S '/DIR=Rel\App' '%PKG%\APP.INF'
  run_setup /S '/DIR=\scen-places-rootrel' '%PKG%\APP.INF'
  report_tree '%PKG%' 'Z:\scen-places-rootrel' 'C:\Scen' 'C:\windows\scenplaces.ini' \
    'C:\users\%USER%\AppData\Roaming\Microsoft\Windows\Start Menu\Programs\Scen Places'
}
SHOW=('C:\Scen\App\LOGFILKW.LOG' 'C:\Scen\Links\LOGFILKW.LOG' '%TEMP%\LOGFILKW.LOG')
