// The list of check groups. To add checks: write check/<group>.cpp with one
// entry function that reads the control file through the installer's own
// readers (values/, actions/*_line.*), report each finding with Error or
// Warning (check/report.h) and LineOf for its line, declare the function in
// checks.h and call it here. Findings are printed in line order whatever
// order the groups run in.
#include "check/checks.h"

#include "values/cut_key_list.h"

TCheckInput CheckInput;

int LineOf(const char* section, const char* key) {
  int line = key ? KeyLine(*CheckInput.Index, section, key) : 0;
  return line ? line : SectionLine(*CheckInput.Index, section);
}

Str Where(const char* section, const char* key) {
  return Str("[") + section + "] " + key + ": ";
}

void ReadCheckedKeyList(const char* section, char* keys, DWORD size, const char* consequence) {
  if (!ReadKeyListDroppingCutName(CheckInput.Path, section, keys, size)) return;
  Str text = Str("[") + section + "] has more key names than fit in ";
  text.appendNumber(size - 1);
  Error(LineOf(section, nullptr), text + " characters: " + consequence);
}

void RunAllChecks() {
  CheckFileForm();
  CheckVariables();
  CheckFilesSection();
  CheckRegistrySections();
  CheckLinkSections();
  CheckIniWrite();
  CheckValueLengths();
  CheckUninstallRoundTrip();
}
