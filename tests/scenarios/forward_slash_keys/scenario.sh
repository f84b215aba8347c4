# A [Files] key may separate its folders with forward slashes, as the
# platform's search does: the file installed is the one in that folder, not
# a namesake in the package's top folder, and the log names the source
# folder with backslashes.
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\App
[Files]
fw/same.txt=%MyProgramPath%\fw
fw\deep/*.txt=%MyProgramPath%\deep
fw/nothing.txt=%MyProgramPath%\none
INF
  pkg_text same.txt "top" "2003-03-21 10:00:00"
  pkg_text fw/same.txt "in fw" "2003-03-21 10:00:00"
  pkg_text fw/deep/d.txt "deep" "2003-03-21 10:00:00"
  pkg_text d.txt "top d" "2003-03-21 10:00:00"
}
WATCH=('C:\Scen')
SHOW=('C:\Scen\App\LOGFILKW.LOG')
