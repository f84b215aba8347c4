// [IniWrite]: an entry with too few fields is refused by the installer with
// a syntax error box, after the files are already in place.
#include "check/checks.h"
#include "values/profile_values.h"

void CheckIniWrite() {
  char keys[2600];
  ReadCheckedKeyList("IniWrite", keys, sizeof keys, "later entries are not written");
  for (const char* key : KeyList(keys)) {
    char value[261];
    if (!ReadProfileValue(CheckInput.Path, "IniWrite", key, value)) continue;
    int commas = 0;
    for (const char* c = value; *c; ++c) commas += *c == ',';
    if (commas < 3)
      Error(LineOf("IniWrite", key),
            Where("IniWrite", key) + "too few fields: an entry is section,key,value,file");
  }
}
