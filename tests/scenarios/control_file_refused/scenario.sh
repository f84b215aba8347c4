# A run that finds no usable control file ends with the box alone, also when
# nothing shows it (silent, or answered by a response file): its text goes to
# standard error, the silent exit code tells the failure, and no log is
# written: the older log of the temporary directory stays as it was.
package() {
  pkg_inf UNSIGNED.INF <<'INF'
[Version]
FormKw=SOMEONE ELSE
[Strings]
MyProgramPath=C:\Scen
INF
}
machine() {
  put_text "$(scen_tokens '%TEMP%\LOGFILKW.LOG')" "an older log"
}
ANSWERS='MessageBox=1'
steps() {
  run_setup /S '%PKG%\MISSING.INF'
  run_setup /S '%PKG%\UNSIGNED.INF'
  run_setup '/ANSWERS=%ANSWERS%' '%PKG%\UNSIGNED.INF'
}
WATCH=('C:\Scen' 'C:\windows\inf\UNSIGNED.INF')
