# A [Files] section whose key names do not fit in 2600 characters: the keys
# that fit are installed, the cut one and those after it are not, and the
# log says from where on nothing was installed; the run fails.
package() {
  local i keys=""
  for i in $(seq -w 1 120); do keys+="file_with_a_long_name_$i.txt=
"; done
  printf '[Version]\nFormKw=TALVEN\n[Strings]\nMyProgramPath=C:\\Scen\\App\n[Files]\n%s' "$keys" | pkg_inf APP.INF
  for i in $(seq -w 1 120); do pkg_text "file_with_a_long_name_$i.txt" "file $i" "2003-03-21 10:00:00"; done
}
WATCH=('C:\Scen')
SHOW=('C:\Scen\App\LOGFILKW.LOG')
