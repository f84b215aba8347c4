# Temporaries that a killed run left beside installed files (~STP + four
# hexadecimal digits + .TMP) are removed, each with a log line, before the
# first copy into their folder, a read-only one too. Names that only look
# alike stay, and so does a temporary in a folder that this run does not
# copy into.
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\App
[Files]
readme.txt=
INF
  pkg_text readme.txt "new readme" "2003-03-21 10:00:00"
}
machine() {
  put_text 'C:\Scen\App\readme.txt' "old readme" "2001-01-01 12:00:00"
  put_text 'C:\Scen\App\~STP0000.TMP' "cut short" "2002-01-01 12:00:00"
  put_text 'C:\Scen\App\~stp00a1.tmp' "cut short too" "2002-01-01 12:00:00"
  put_attrib 'C:\Scen\App\~stp00a1.tmp' +R
  put_text 'C:\Scen\App\~STP12345.TMP' "not ours" "2002-01-01 12:00:00"
  put_text 'C:\Scen\App\~STPXYZW.TMP' "not ours either" "2002-01-01 12:00:00"
  put_text 'C:\Scen\Other\~STP0000.TMP' "elsewhere" "2002-01-01 12:00:00"
}
steps() { run_setup /S '%PKG%\APP.INF'; }
WATCH=('C:\Scen')
SHOW=('C:\Scen\App\LOGFILKW.LOG')
