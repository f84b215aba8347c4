// [RegWrite], [RegWriteUninstall] and [RegRead]: the installer stops the
// section or the whole run at most of these mistakes, after it has already
// changed the machine.
#include <cstring>

#include "actions/registry_line.h"
#include "check/checks.h"
#include "common/root_key.h"
#include "values/profile_values.h"

namespace {

enum { WriteKeyListSize = 520, WriteValueSize = 2601, ReadKeyListSize = 2601, ReadValueSize = 521 };

// A field with a reference is only known on the target machine.
bool Known(const char* field) { return !strchr(field, '%'); }

void CheckRoot(const char* section, const char* key, const char* root, int line) {
  HKEY unused;
  if (Known(root) && !LookUpRootKey(root, unused))
    Error(line, Where(section, key) + "unknown root \"" + root + "\" (known: HKLM, HKCU, HKCR)");
}

void CheckDword(const char* section, const char* key, const char* data, int line) {
  DWORD value;
  TDwordParse parse = ParseDwordData(data, value);
  if (parse == DwordTooLong)
    Error(line, Where(section, key) + "DWORD data \"" + data + "\" has more than 8 digits");
  else if (parse == DwordNotHex)
    Error(line, Where(section, key) + "DWORD data \"" + data + "\" is not hexadecimal");
}

void CheckWriteLine(const char* section, const char* key, char* value, int line) {
  TRegWriteLine parts;
  if (!SplitRegWriteLine(value, parts)) {
    Error(line, Where(section, key) + "too few fields (root,subkey[,name[,type,data]]): the "
                                      "installer stops the section here");
    return;
  }
  CheckRoot(section, key, parts.Root, line);
  TRegWriteType type = RegWriteTypeOf(parts.Type);
  if (type == RegWriteUnknownType && Known(parts.Type))
    Error(line, Where(section, key) + "value type \"" + parts.Type +
                    "\" is not implemented (known: Reg_SZ, Reg_DWORD, ?\?\?\?)");
  if (type == RegWriteDword && Known(parts.Data.c_str()))
    CheckDword(section, key, parts.Data.c_str(), line);
}

void CheckErrSection(const char* section, const char* value, int line) {
  if (!SectionLine(*CheckInput.Index, value))
    Error(line, Where(section, "ErrSection") + "section [" + value + "] does not exist");
}

void CheckWriteSection(const char* section) {
  char keys[WriteKeyListSize];
  ReadCheckedKeyList(section, keys, sizeof keys, "later lines are not written");
  for (const char* key : KeyList(keys)) {
    char value[WriteValueSize];
    if (!ReadProfileValue(CheckInput.Path, section, key, value)) continue;
    int line = LineOf(section, key);
    if (EqualsIgnoreCase(key, "ErrSection"))
      CheckErrSection(section, value, line);
    else
      CheckWriteLine(section, key, value, line);
  }
}

void CheckReadLine(const char* key, const char* value, int line) {
  const char* comma = strchr(value, ',');
  if (!comma) {
    Error(line, Where("RegRead", key) + "missing \",\" between root and subkey: the installer "
                                        "ends the run here");
    return;
  }
  Str root(value, static_cast<size_t>(comma - value));
  CheckRoot("RegRead", key, root.c_str(), line);
}

void CheckReadSection() {
  char keys[ReadKeyListSize];
  ReadCheckedKeyList("RegRead", keys, sizeof keys, "the installer ends the run");
  for (const char* key : KeyList(keys)) {
    char value[ReadValueSize];
    DWORD length = ReadProfileValue(CheckInput.Path, "RegRead", key, value);
    int line = LineOf("RegRead", key);
    if (length >= ReadValueSize - 1)
      Error(line, Where("RegRead", key) + "value longer than 519 characters: the installer ends "
                                          "the run");
    else
      CheckReadLine(key, value, line);
  }
}

}  // namespace

void CheckRegistrySections() {
  CheckWriteSection("RegWrite");
  CheckWriteSection("RegWriteUninstall");
  CheckReadSection();
}
