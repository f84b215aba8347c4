# [RegWrite] values under the three roots: the first run creates the keys
# (one "created" line per key) and the values ("created"); a value name left
# empty, or a line of root and subkey only, addresses the default value,
# logged as "<default>"; a type field without data writes an empty string;
# quoted data loses its quotes and keeps its commas, unquoted data keeps
# its commas. The second run of the same control file finds every value as
# it would write it ("refreshed"). The third control file changes a text
# ("changed"), a number ("changed"), turns a text into a number and a number
# into a text ("set"), and writes a type it does not know as text after its
# box, which fails the run (exit 3).
source "$SCEN_DIR/scenario_state_lib.sh"
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\App
[Files]
a.txt=
[RegWrite]
1=HKCU,Software\Scen\Values,Text,Reg_SZ,some text
2=HKCU,Software\Scen\Values,Number,Reg_DWORD,2a
3=HKCU,Software\Scen\Values,,Reg_SZ,abc
4=HKCU,Software\Scen\Empty
5=HKCU,Software\Scen\Values,NoData,Reg_DWORD
6=HKCU,Software\Scen\Values,Quoted,Reg_SZ,"a, b"
7=HKCU,Software\Scen\Values,Commas,????,a,b,c
8=HKCU,Software\Scen\Values,Path,Reg_SZ,%MyProgramPath%\x.exe
9=HKCU,Software\Scen\Values,Becomes,Reg_SZ,1
10=HKCU,Software\Scen\Values,Turns,Reg_DWORD,1
11=hklm,Software\Scen,Machine,Reg_SZ,machine
12=HKCR,.scenext,,Reg_SZ,ScenFile
[RegWriteUninstall]
1=HKLM,Software\Microsoft\Windows\CurrentVersion\Uninstall\Scen,UninstallString,Reg_SZ,%rundll% %setupx%.dll,InstallHinfSection DefaultUninstall 132 %InfPath%APP.INF
INF
  pkg_inf CHANGE.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\App
[RegWrite]
1=HKCU,Software\Scen\Values,Text,Reg_SZ,Some text
2=HKCU,Software\Scen\Values,Number,Reg_DWORD,2b
3=HKCU,Software\Scen\Values,Becomes,Reg_DWORD,1
4=HKCU,Software\Scen\Values,Turns,Reg_SZ,1
5=HKCU,Software\Scen\Values,Binary,Reg_Binary,0102
6=HKCU,Software\Scen\Values,,Reg_SZ,abc
INF
  pkg_text a.txt "a" "2003-03-21 10:00:00"
}
steps() {
  run_setup /S '%PKG%\APP.INF'
  run_setup /S '%PKG%\APP.INF'
  run_setup /S '%PKG%\CHANGE.INF'
  report_reg 'HKCU\Software\Scen' 'HKLM\Software\Scen' 'HKCR\.scenext' \
    'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Scen'
}
SHOW=('C:\Scen\App\LOGFILKW.LOG')
