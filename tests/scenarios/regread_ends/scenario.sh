# [RegRead] entries that end the run before the log is opened, each run
# leaving a header-less log in the temporary directory (the second replaces
# the first) and failing (exit 3):
# - a REG_DWORD value: "only REG_SZ supported" with the root as written,
#   +101 after a missing value's warning; the entry behind it is not read;
# - an entry of 519 characters is still read (its value is missing: a
#   warning naming the whole value name), one of 520 is taken as cut:
#   "Internal error: Buffer in RegRead_Expand_Strings too small!".
source "$SCEN_DIR/scenario_state_lib.sh"
long_name() { printf "$1%.0s" $(seq "$2"); }
package() {
  pkg_inf DWORD.INF <<INF
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\\Scen\\App
[Files]
a.txt=
[RegRead]
Text=HKCU,Software\\Scen\\Read,Text
Missing=HKCU,Software\\Scen\\Read,NoSuchValue
Number=hkcu,Software\\Scen\\Read,Number
Behind=HKCU,Software\\Scen\\Read,Text
INF
  # "HKCU,Software\Scen\Read," is 24 characters.
  pkg_inf LONG.INF <<INF
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\\Scen\\App
[Files]
a.txt=
[RegRead]
Fits=HKCU,Software\\Scen\\Read,$(long_name V 495)
Cut=HKCU,Software\\Scen\\Read,$(long_name W 496)
Behind=HKCU,Software\\Scen\\Read,Text
INF
  pkg_text a.txt "a" "2003-03-21 10:00:00"
}
machine() {
  put_reg 'HKCU\Software\Scen\Read' Text sz 'text'
  put_reg 'HKCU\Software\Scen\Read' Number dword 10
}
steps() {
  run_setup /S '%PKG%\DWORD.INF'
  scen_report_text '%TEMP%\LOGFILKW.LOG' >>"$SCEN_REPORT"
  run_setup /S '%PKG%\LONG.INF'
}
WATCH=('C:\Scen')
