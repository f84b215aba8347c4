# [IniWrite] entries: the file field is everything after the third comma
# (commas included) and is expanded, as is the value; the section and the
# key are taken as written; an empty value writes "key="; a file name
# without a directory is a file in the Windows directory; an existing entry
# is replaced and its neighbours kept. An entry of three fields and one
# without a comma are syntax errors, each in a box of its own naming the
# section field or the whole value (no log line for either); the run fails
# (exit 3), and the entries behind them are still written. A file in a
# directory that does not exist cannot be written: the box gives the code
# and the system's text.
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\App
[Files]
a.txt=
[IniWrite]
1=Sec,Key,Value,C:\Scen\a,b.ini
2=Sec,Three,only three
3=NoCommaAtAll
4=Sec,Empty,,C:\Scen\a,b.ini
5=ScenSection,Key,in the Windows directory,scen.ini
6=Sec,Var,%MyProgramPath%\x.exe,C:\Scen\a,b.ini
7=Raw%MyProgramPath%,Key%MyProgramPath%,v,%MyProgramPath%\raw.ini
8=Sec,Old,new,C:\Scen\existing.ini
9=Sec,Key,v,C:\Scen\NoSuchDir\x.ini
10=Dir,Key,v,C:\Scen\App
INF
  pkg_text a.txt "a" "2003-03-21 10:00:00"
}
machine() {
  put_raw 'C:\Scen\existing.ini' < <(printf '[Sec]\r\nFirst=1\r\nOld=old\r\nLast=3\r\n')
}
SHOW=('C:\Scen\App\LOGFILKW.LOG' 'C:\Scen\a,b.ini' 'C:\windows\scen.ini' 'C:\Scen\App\raw.ini'
  'C:\Scen\existing.ini')
WATCH=('C:\Scen')
