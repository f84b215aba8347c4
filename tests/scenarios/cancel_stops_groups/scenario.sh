# "Cancel Install" at the prompt stops the [Files] phase: the file is not
# copied, "FileCopy canceled by User" reaches the log, the later files of the
# group and the later groups copy nothing and log nothing, and the run fails.
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\App
[Files]
a_first.txt=
b_prompt.dll=
c_after.txt=
sub\*.txt=%MyProgramPath%\sub
INF
  pkg_text a_first.txt "first" "2003-03-21 10:00:00"
  pkg_pe b_prompt.dll v1004 "2003-03-21 10:00:00"
  pkg_text c_after.txt "after" "2003-03-21 10:00:00"
  pkg_text 'sub/later.txt' "later group" "2003-03-21 10:00:00"
}
machine() { put_pe 'C:\Scen\App\b_prompt.dll' v1005 "2004-01-01 12:00:00"; }
ANSWERS='MsgBoxSOC=2'
steps() { run_setup /S '/ANSWERS=%ANSWERS%' '%PKG%\APP.INF'; }
WATCH=('C:\Scen')
SHOW=('C:\Scen\App\LOGFILKW.LOG')
