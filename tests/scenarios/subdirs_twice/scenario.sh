# "/s" (and "/S") copies the subfolders whose names match the mask, passes
# over "." and "..", and does not enter a folder that does not match; a
# second installation over the first meets the folders made before and works.
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\App
[Files]
tree\*/s=%MyProgramPath%\tree
dlls\*.dll/S=%MyProgramPath%\dlls
INF
  pkg_text 'tree/a.txt' "tree a" "2003-03-21 10:00:00"
  pkg_text 'tree/one/b.txt' "tree one b" "2003-03-21 10:00:00"
  pkg_text 'tree/one/two/c.txt' "tree one two c" "2003-03-21 10:00:00"
  pkg_dir 'tree/empty'
  pkg_text 'dlls/x.dll' "dll x" "2003-03-21 10:00:00"
  pkg_text 'dlls/plain/y.dll' "not entered" "2003-03-21 10:00:00"
  pkg_text 'dlls/more.dll/z.dll' "entered" "2003-03-21 10:00:00"
}
steps() {
  run_setup /S '%PKG%\APP.INF'
  run_setup /S '%PKG%\APP.INF'
}
WATCH=('C:\Scen')
SHOW=('C:\Scen\App\LOGFILKW.LOG')
