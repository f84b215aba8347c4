# The continue prompt shows [Info] BeforeTitle above its question and the
# URL in its link (standard error: title, question, URL in brackets); a
# silent run starts no viewer for Before and After. A run without warnings
# ends with "Installation successfully!" (exit 0); the recording holds the
# answers given by default.
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Info]
Before=readme.txt
BeforeTitle=Welcome to Scen App 1.0
URL=http://www.example.com/scen
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
steps() { run_setup /S '/RECORD=%RECORD%' '%PKG%\APP.INF'; }
SHOW=('C:\Scen\App\LOGFILKW.LOG')
