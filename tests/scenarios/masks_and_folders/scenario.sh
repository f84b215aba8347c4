# Keys with a directory part take their files from that subfolder of the
# control file's folder ("sub\*.dll"); "\top.txt" takes it from the control
# file's folder; destinations with variables are expanded and made; a mask
# without "/s" passes over the folders it matches (".", ".." and "dll.dir").
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\App
[Files]
sub\*.dll=%MyProgramPath%\bin
\top.txt=%MyProgramPath%\
deep\er\*.*=%SystemDrive%\Scen\Deep
INF
  pkg_pe 'sub/one.dll' v1234 "2003-03-21 10:00:00"
  pkg_pe 'sub/two.dll' v2700 "2003-03-21 10:00:00"
  pkg_text 'sub/not.txt' "not a dll" "2003-03-21 10:00:00"
  pkg_dir 'sub/dll.dll'
  pkg_text 'sub/dll.dll/inner.dll' "inside a folder" "2003-03-21 10:00:00"
  pkg_text top.txt "top" "2003-03-21 10:00:00"
  pkg_text 'deep/er/x.txt' "deep x" "2003-03-21 10:00:00"
  pkg_dir 'deep/er/folder'
}
WATCH=('C:\Scen')
SHOW=('C:\Scen\App\LOGFILKW.LOG')
