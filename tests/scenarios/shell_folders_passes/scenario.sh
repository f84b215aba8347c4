# The shell folder passes resolve [Strings] names against the registry: a
# name of the user's folders (Programs) takes the actual folder whatever the
# control file says; a name of the machine key (CommonFilesDir) its value;
# ProgramFiles comes from ProgramFilesDir; a REG_EXPAND_SZ value (the
# machine key's ProgramFilesPath, a value only in User Shell Folders) is
# expanded; a name the registry does not know keeps its control-file value,
# expanded. The installed copy gets the resolved values, the variables are
# seen by [IniWrite], and "INF-File changed to actual Paths" is logged by the
# two passes that write the copy.
source "$SCEN_DIR/scenario_state_lib.sh"
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\App
Programs=C:\Wrong\Programs
CommonFilesDir=
ProgramFiles=C:\Wrong\PF
ProgramFilesPath=
ScenExpand=C:\Wrong\Expand
OwnDir=%windir%\Own
[Files]
a.txt=
[IniWrite]
1=Vars,Programs,%Programs%,%MyProgramPath%\vars.ini
2=Vars,CommonFilesDir,%CommonFilesDir%,%MyProgramPath%\vars.ini
3=Vars,ProgramFiles,%ProgramFiles%,%MyProgramPath%\vars.ini
4=Vars,ProgramFilesPath,%ProgramFilesPath%,%MyProgramPath%\vars.ini
5=Vars,ScenExpand,%ScenExpand%,%MyProgramPath%\vars.ini
6=Vars,OwnDir,%OwnDir%,%MyProgramPath%\vars.ini
INF
  pkg_text a.txt "a" "2003-03-21 10:00:00"
}
machine() {
  put_reg 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders' \
    ScenExpand expand_sz '%USERPROFILE%\Scen Folder'
}
SHOW=('C:\Scen\App\LOGFILKW.LOG' 'C:\windows\inf\APP.INF' 'C:\Scen\App\vars.ini')
