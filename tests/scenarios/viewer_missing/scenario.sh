# The viewer of [Info] Before cannot be started (neither the system
# directory nor the Windows directory has a notepad.exe). Answered No by the response file, the box "Error to show
# Info with Notepad.EXE, Continue?" counts one warning and cancels the run
# before the prompt: nothing is installed, no log or result is written.
# Answered Yes, the run goes on to the prompt and installs; the viewer of
# [Info] After fails too ("Error to show Info ... with Notepad.EXE", one
# more warning), and the result is "Installation done with warnings!".
# The runs are not silent (a silent run starts no viewer), so their exit
# code is 0 whatever the result; every dialog is answered by the file.
source "$SCEN_DIR/scenario_state_lib.sh"
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Info]
Before=readme.txt
After=after.txt
[Strings]
MyProgramPath=C:\Scen\App
[Files]
a.txt=
[RegWrite]
1=HKCU,Software\Scen,Value,Reg_SZ,written
INF
  pkg_text a.txt "a" "2003-03-21 10:00:00"
  pkg_text readme.txt "before" "2003-03-21 10:00:00"
  pkg_text after.txt "after" "2003-03-21 10:00:00"
}
machine() {
  rm -f "$(scen_host_path 'C:\windows\notepad.exe')" "$(scen_host_path 'C:\windows\system32\notepad.exe')"
}
steps() {
  ANSWERS='MessageBox=7'
  printf '%s\r\n' "MessageBox=7" >"$SCEN_WORK/answers.txt"
  run_setup '/ANSWERS=%ANSWERS%' '%PKG%\APP.INF'
  report_reg 'HKCU\Software\Scen'
  scen_report_tree 'C:\Scen' >>"$SCEN_REPORT"
  printf '%s\r\n' "MessageBox=6" "MsgBoxContinue=1" "PathSel=1,C:\Scen\App" "MessageBox=6" \
    "MsgBoxLogFile=1" >"$SCEN_WORK/answers.txt"
  run_setup '/ANSWERS=%ANSWERS%' '/RECORD=%RECORD%' '%PKG%\APP.INF'
  report_reg 'HKCU\Software\Scen'
}
SHOW=('C:\Scen\App\LOGFILKW.LOG')
WATCH=('C:\Scen')
