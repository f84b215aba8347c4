# An uninstall entry that cannot be written (a subkey with a leading
# backslash is refused by the registry on every machine) falls back to the
# links of its ErrSection. A section that is missing, empty or has only
# empty lines makes no link: the fallback "also failed", the section's
# result is 101 (exit 3), and no link appears anywhere.
source "$SCEN_DIR/scenario_state_lib.sh"
fallback_inf() {  # fallback_inf NAME ERRSECTION-LINES
  pkg_inf "$1" <<INF
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\\Scen\\App
[RegWriteUninstall]
ErrSection=UninstLinks
1=HKCU,\\Scen\\Uninstall,UninstallString,Reg_SZ,x
$2
INF
}
package() {
  fallback_inf MISSING.INF ""
  fallback_inf EMPTY.INF "[UninstLinks]"
  fallback_inf BLANK.INF $'[UninstLinks]\n1=\n; only a comment'
}
steps() {
  run_setup /S '%PKG%\MISSING.INF'
  run_setup /S '%PKG%\EMPTY.INF'
  run_setup /S '%PKG%\BLANK.INF'
  report_reg 'HKCU\Scen'
  report_tree 'C:\Scen' 'C:\users\%USER%\AppData\Roaming\Microsoft\Windows\Start Menu\Programs'
}
SHOW=('C:\Scen\App\LOGFILKW.LOG')
