# A machine whose only notepad.exe lies in the system directory: the viewers
# of [Info] Before and After start from there, and the run succeeds without
# "Error to show Info". The runs are not silent (a silent run starts no
# viewer); every dialog is answered by the response file.
#
# Native only: under Wine the real notepad would open its windows.
ONLY=native
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
INF
  pkg_text a.txt "a" "2003-03-21 10:00:00"
  pkg_text readme.txt "before" "2003-03-21 10:00:00"
  pkg_text after.txt "after" "2003-03-21 10:00:00"
}
machine() { rm -f "$(scen_host_path 'C:\windows\notepad.exe')"; }
ANSWERS=$'MsgBoxContinue=1\nPathSel=1,C:\\Scen\\App\nMsgBoxLogFile=1'
steps() { run_setup '/ANSWERS=%ANSWERS%' '%PKG%\APP.INF'; }
SHOW=('C:\Scen\App\LOGFILKW.LOG')
