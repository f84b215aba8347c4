# A user without administrator rights cannot write the uninstall entry under
# HKLM: [RegWriteUninstall] warns that the user lacks the rights and creates
# the links of its ErrSection instead (the section's result 1: exit 2). A
# link without a folder part goes to the Programs folder. An ErrSection
# placed after the failing line does not help ("and no ErrSection=... set",
# 101: exit 3), nor does one whose link cannot be made ("also failed", 101).
# [RegWrite] under HKCU is written as usual, and an HKLM line there runs
# the same fallback, without an ErrSection.
#
# Native only: the machine's non-admin file takes the rights away. A Wine
# prefix cannot take them from the Unix user that runs it.
ONLY=native
source "$SCEN_DIR/scenario_state_lib.sh"
package() {
  pkg_inf OK.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\App
[Files]
a.txt=
[RegWrite]
1=HKCU,Software\Scen,User,Reg_SZ,written
[RegWriteUninstall]
ErrSection=UninstLinks
1=HKLM,Software\Microsoft\Windows\CurrentVersion\Uninstall\Scen,UninstallString,Reg_SZ,%rundll% x
2=HKCU,Software\Scen,Behind,Reg_SZ,never
[UninstLinks]
1=%MyProgramPath%\Uninstall Scen,%rundll%,%MyProgramPath%\uninst.inf
2=Uninstall Scen,%rundll%,%MyProgramPath%\uninst.inf
INF
  pkg_inf LATE.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\App
[RegWrite]
1=HKLM,Software\Scen,Machine,Reg_SZ,never
[RegWriteUninstall]
1=HKLM,Software\Microsoft\Windows\CurrentVersion\Uninstall\Scen,UninstallString,Reg_SZ,%rundll% x
ErrSection=UninstLinks
[UninstLinks]
1=%MyProgramPath%\Late,%rundll%,%MyProgramPath%\uninst.inf
INF
  pkg_inf BADLINK.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\App
[RegWriteUninstall]
ErrSection=UninstLinks
1=HKLM,Software\Microsoft\Windows\CurrentVersion\Uninstall\Scen,UninstallString,Reg_SZ,%rundll% x
[UninstLinks]
1=C:\Scen\NoSuchFolder\Uninstall,%rundll%,%MyProgramPath%\uninst.inf
INF
  pkg_text a.txt "a" "2003-03-21 10:00:00"
}
machine() { put_non_admin; }
steps() {
  run_setup /S '%PKG%\OK.INF'
  run_setup /S '%PKG%\LATE.INF'
  run_setup /S '%PKG%\BADLINK.INF'
  report_reg 'HKCU\Software\Scen' 'HKLM\Software\Scen' \
    'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Scen'
  report_tree 'C:\Scen' 'C:\users\%USER%\AppData\Roaming\Microsoft\Windows\Start Menu\Programs'
  report_link 'C:\Scen\App\Uninstall Scen.LNK' \
    'C:\users\%USER%\AppData\Roaming\Microsoft\Windows\Start Menu\Programs\Uninstall Scen.LNK'
}
SHOW=('C:\Scen\App\LOGFILKW.LOG')
