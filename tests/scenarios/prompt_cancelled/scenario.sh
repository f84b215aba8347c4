# The continue prompt cancelled by the response file: nothing is done (no
# installed copy, no directory, no registry value, no file), no log is
# written anywhere, no result is shown, and the silent run ends with exit 4.
source "$SCEN_DIR/scenario_state_lib.sh"
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Info]
BeforeTitle=Scen App
[Strings]
MyProgramPath=C:\Scen\App
[Files]
a.txt=
[RegWrite]
1=HKCU,Software\Scen,Value,Reg_SZ,never
[IniWrite]
1=Sec,Key,never,C:\Scen\never.ini
INF
  pkg_text a.txt "a" "2003-03-21 10:00:00"
}
ANSWERS='MsgBoxContinue=2'
steps() {
  run_setup /S '/ANSWERS=%ANSWERS%' '/RECORD=%RECORD%' '%PKG%\APP.INF'
  report_reg 'HKCU\Software\Scen'
}
WATCH=('C:\Scen' 'C:\windows\inf\APP.INF')
