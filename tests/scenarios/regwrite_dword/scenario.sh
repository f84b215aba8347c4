# DWORD data of [RegWrite] lines is read as hexadecimal: "00000010" is 16,
# " ff " (blanks kept by its quotes) is 255 once the blanks are removed.
# "123456789" has more than 8 digits: "max. 8 digit!" ends the section
# (101) before the value is written and nothing is logged for it; the line
# behind it is not processed. "12G4" in [RegWriteUninstall] ends that
# section with "String can't be converted to DWord" (101 again). The run
# fails (exit 3); the log holds the lines of the values written.
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
1=HKCU,Software\Scen\Dword,Sixteen,Reg_DWORD,00000010
2=HKCU,Software\Scen\Dword,Blanks,reg_dword," ff "
3=HKCU,Software\Scen\Dword,Nine,Reg_DWORD,123456789
4=HKCU,Software\Scen\Dword,Behind,Reg_DWORD,1
[RegWriteUninstall]
1=HKCU,Software\Scen\Dword,Max,REG_DWORD,FFFFFFFF
2=HKCU,Software\Scen\Dword,NotHex,Reg_DWORD,12G4
3=HKCU,Software\Scen\Dword,Behind2,Reg_DWORD,2
INF
  pkg_text a.txt "a" "2003-03-21 10:00:00"
}
steps() {
  run_setup /S '%PKG%\APP.INF'
  report_reg 'HKCU\Software\Scen'
}
SHOW=('C:\Scen\App\LOGFILKW.LOG')
