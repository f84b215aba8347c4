# The result sentence follows the count of problems: none gives
# "Installation successfully!" (exit 0); one warning and 99 warnings give
# "Installation done with warnings!" (exit 2); 100 warnings reach the
# failure range: "Installation done without success!" (exit 3). Each warning
# is a [RegRead] entry whose key is missing (+1 each, the run goes on).
package() {
  local count name
  for count in 0 1 99 100; do
    name="W$count.INF"
    {
      printf '[Version]\nFormKw=TALVEN\n[Strings]\nMyProgramPath=C:\\Scen\\App\n[Files]\na.txt=\n[RegRead]\n'
      for i in $(seq "$count"); do printf 'Missing%s=HKCU,Software\\Scen\\NoSuchKey\n' "$i"; done
    } | pkg_inf "$name"
  done
  pkg_text a.txt "a" "2003-03-21 10:00:00"
}
steps() {
  local count
  for count in 0 1 99 100; do run_setup /S "%PKG%\\W$count.INF"; done
}
SHOW=()
