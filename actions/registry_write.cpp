// [RegWrite] and [RegWriteUninstall]: one registry value per key line.
#include "actions/registry_write.h"

#include "actions/registry_line.h"
#include "actions/registry_value_status.h"
#include "actions/uninstall_fallback.h"
#include "common/message_box.h"
#include "common/message_buffer.h"
#include "common/root_key.h"
#include "common/run_state.h"
#include "values/cut_key_list.h"
#include "values/expand.h"
#include "values/profile_values.h"

namespace {
enum { KeyListSize = 520, ValueSize = 2601, LineSize = 2600 };
// What a section adds to ErrorLevel when it stops early.
enum { SectionWarning = 1, SectionFailure = 101 };
// A line that was written; the section goes on.
const int32_t LineWritten = -1;

// The value to write, in the registry's form.
struct TNewValue {
  DWORD Type;
  const BYTE* Data;
  DWORD Size;
  BYTE Dword[4];
};

void MakeStringValue(const Str& text, TNewValue& value) {
  value.Type = REG_SZ;
  value.Data = reinterpret_cast<const BYTE*>(text.c_str());
  value.Size = static_cast<DWORD>(text.size() + 1);
}

// Little-endian on every host, as the registry stores a REG_DWORD.
void MakeDwordValue(DWORD number, TNewValue& value) {
  for (int i = 0; i < 4; ++i) value.Dword[i] = static_cast<BYTE>(number >> (8 * i));
  value.Type = REG_DWORD;
  value.Data = value.Dword;
  value.Size = 4;
}

// Opens subkey below root, or creates it; created tells which.
bool OpenOrCreateKey(HKEY root, const char* subkey, HKEY& key, bool& created) {
  created = false;
  if (RegOpenKeyA(root, subkey, &key) == ERROR_SUCCESS) return true;
  if (RegCreateKeyA(root, subkey, &key) != ERROR_SUCCESS) return false;
  created = true;
  return true;
}

// root\subkey as the log names a key: the root field as written.
Str KeyText(const TRegWriteLine& parts) { return Str(parts.Root) + "\\" + parts.Subkey; }

// Sets the value in an open key and logs it; on failure a box and the
// "failed" line, and the section stops with a warning.
int32_t SetValueLogged(HKEY key, const TRegWriteLine& parts, const TNewValue& value) {
  const char* nameText = *parts.ValueName ? parts.ValueName : "<default>";
  Str status = StatusOfNewValue(key, parts.ValueName, value.Type, value.Data, value.Size);
  Str line = KeyText(parts) + "\t" + nameText;
  LONG result = RegSetValueExA(key, parts.ValueName, 0, value.Type, value.Data, value.Size);
  RegCloseKey(key);
  if (result == ERROR_SUCCESS) {
    MessageBuffer += line + status + "\r\n";
    return LineWritten;
  }
  ShowErrorBox((Str("Error at SetValue of ") + parts.Subkey).c_str());
  status.truncate(status.size() - 2);  // " created" becomes " creat"
  MessageBuffer += line + status + ": failed!\r\n";
  return SectionWarning;
}

// Builds the value of a split line. Returns LineWritten when the value is
// usable, else what the section returns.
int32_t MakeValue(const TRegWriteLine& parts, TNewValue& value) {
  TRegWriteType type = RegWriteTypeOf(parts.Type);
  if (type == RegWriteUnknownType) {
    ShowErrorBox((Str("Error RegWrite: Type not implemented: ") + parts.Type).c_str());
    RaiseErrorLevelToFailure();
    type = RegWriteString;
  }
  if (type == RegWriteString) {
    MakeStringValue(parts.Data, value);
    return LineWritten;
  }
  DWORD number = 0;
  switch (ParseDwordData(parts.Data.c_str(), number)) {
    case DwordTooLong:
      ShowErrorBox("max. 8 digit!");
      return SectionFailure;
    case DwordNotHex:
      ShowErrorBox("String can't be converted to DWord");
      return SectionFailure;
    case DwordParsed:
      break;
  }
  MakeDwordValue(number, value);
  return LineWritten;
}

// One expanded key line. Returns LineWritten, or what the section returns
// when it stops here.
int32_t WriteRegistryLine(const char* section, char* line, const Str& errSection,
                          const char* controlFile) {
  Str lineText(line);
  TRegWriteLine parts;
  if (!SplitRegWriteLine(line, parts)) {
    ShowErrorBox((Str("Error in the Line \"") + lineText + "\", too less parameters").c_str());
    return SectionWarning;
  }
  TNewValue value;
  int32_t result = MakeValue(parts, value);
  if (result != LineWritten) return result;
  HKEY root = RootKeyFromName(parts.Root);
  HKEY key;
  bool created;
  if (!OpenOrCreateKey(root, parts.Subkey, key, created))
    return RunUninstallFallback(section, errSection.c_str(), controlFile);
  if (created) MessageBuffer += KeyText(parts) + "\tcreated\r\n";
  return SetValueLogged(key, parts, value);
}
}  // namespace

int32_t WriteRegistrySection(const char* section, const char* controlFile) {
  char keys[KeyListSize];
  bool cut = ReadKeyListDroppingCutName(controlFile, section, keys);
  // A fallback section named by ErrSection serves the lines behind it only.
  Str errSection;
  for (const char* key : KeyList(keys)) {
    char value[ValueSize];
    if (ReadProfileValue(controlFile, section, key, value) == 0) continue;
    if (EqualsIgnoreCase(key, "ErrSection")) {
      errSection = value;
      continue;
    }
    char line[LineSize];
    ExpandInto(value, line);
    int32_t result = WriteRegistryLine(section, line, errSection, controlFile);
    if (result != LineWritten) return result;
  }
  if (cut) ReportCutKeyList(section, keys, KeyListSize, "written");
  return 0;
}
