# A [RegWrite] root name outside the table (HKXX) ends the run at once,
# before the log is opened: the syntax-error line, its box and "Logfile: "
# go into a header-less log in the temporary directory, which replaces an
# older one; the line before it was written, the lines behind it and
# [RegWriteUninstall] are not processed, no file is copied, and the result
# is "Installation done without success!" (exit 3).
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
1=HKCU,Software\Scen,Before,Reg_SZ,written
2=HKXX,Software\Scen,Bad,Reg_SZ,never
3=HKCU,Software\Scen,Behind,Reg_SZ,never
[RegWriteUninstall]
1=HKCU,Software\Scen,Uninstall,Reg_SZ,never
INF
  pkg_text a.txt "a" "2003-03-21 10:00:00"
}
machine() {
  put_text '%TEMP%\LOGFILKW.LOG' "an older log"
}
steps() {
  run_setup /S '%PKG%\APP.INF'
  report_reg 'HKCU\Software\Scen'
}
WATCH=('C:\Scen')
