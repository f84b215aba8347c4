#include "values/registry_read.h"

#include <string.h>

#include "common/message_buffer.h"
#include "common/root_key.h"
#include "common/run_state.h"
#include "common/str.h"
#include "platform/platform.h"
#include "values/cut_key_list.h"
#include "values/expand.h"
#include "values/profile_values.h"

namespace {
enum { KeyListSize = 2601, EntrySize = 521, RegistryValueSize = 521 };
// An entry that filled its buffer was cut: its reader returns the buffer
// size minus one.
enum { EntryCut = EntrySize - 1 };

const char* const SkippedNames[] = {"rundll", "setupx", "InfPath", "ProjectVersion"};

// Values that the run publishes itself; an entry cannot replace them.
bool IsSkippedName(const char* name) {
  for (const char* skipped : SkippedNames)
    if (EqualsIgnoreCase(name, skipped)) return true;
  return false;
}

TRegReadResult StopWithInternalError() {
  MessageBuffer += "Internal error: Buffer in RegRead_Expand_Strings too small!\r\n";
  RaiseErrorLevelToFailure();
  return RegReadStop;
}

// root, subkey and value name of an expanded entry.
struct TRegReadEntry {
  Str Root;
  Str Subkey;
  Str ValueName;
};

// Splits at the first two commas; false when there is no comma at all.
bool SplitEntry(const Str& entry, TRegReadEntry& parts) {
  const char* text = entry.c_str();
  const char* first = strchr(text, ',');
  if (!first) return false;
  parts.Root = Str(text, static_cast<size_t>(first - text));
  const char* second = strchr(first + 1, ',');
  if (!second) {
    parts.Subkey = first + 1;
    parts.ValueName.clear();
    return true;
  }
  parts.Subkey = Str(first + 1, static_cast<size_t>(second - first - 1));
  parts.ValueName = second + 1;
  return true;
}

// Reads the value that parts name into value (RegistryValueSize). A key or
// a value that cannot be read is a warning: ErrorLevel + 1, a line, and
// false. type receives the value's type.
bool QueryEntry(const char* name, HKEY root, const TRegReadEntry& parts, char* value,
                DWORD& type) {
  HKEY key;
  if (RegOpenKeyExA(root, parts.Subkey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    ++ErrorLevel;
    MessageBuffer += Str("Couldn't open ") + name + "\\" + parts.Subkey + "\r\n";
    return false;
  }
  DWORD size = RegistryValueSize;
  LONG result = RegQueryValueExA(key, parts.ValueName.c_str(), nullptr, &type,
                                 reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS) {
    ++ErrorLevel;
    MessageBuffer += Str("Couldn't query value ") + name + "\\" + parts.Subkey + "," +
                     parts.ValueName + "\r\n";
    return false;
  }
  value[size < RegistryValueSize ? size : RegistryValueSize - 1] = '\0';
  return true;
}

// Sets the variable name from the registry value that its entry names.
// Returns RegReadStop when the run must end.
TRegReadResult ReadEntry(const char* file, const char* name) {
  char value[EntrySize];
  if (ReadProfileValue(file, "RegRead", name, value) == EntryCut) return StopWithInternalError();
  Str entry;
  if (!ExpandFitsPasBuffer(value, entry)) return StopWithInternalError();
  TRegReadEntry parts;
  if (!SplitEntry(entry, parts)) {
    MessageBuffer += Str("INF Syntax error: missing \",\" in [ReadReg], ") + name + "\r\n";
    RaiseErrorLevelToFailure();
    return RegReadStop;
  }
  HKEY root = RootKeyFromName(parts.Root.c_str());
  DWORD type = REG_NONE;
  if (!QueryEntry(name, root, parts, value, type)) return RegReadDone;
  if (type != REG_SZ) {
    MessageBuffer += "Error in RegRead_Expand_Strings: only REG_SZ supported " + parts.Root + "\r\n";
    ErrorLevel += 101;
    return RegReadStop;
  }
  char expanded[RegistryValueSize];
  ExpandInto(value, expanded);
  WritePrivateProfileStringA("STRINGS", name, expanded, file);
  if (!SetEnvironmentVariableA(name, expanded)) {
    MessageBuffer += Str("Error in RegRead_Expand_Strings: Can't set Env ") + name + " to " +
                     expanded + "\r\n";
    return RegReadStop;
  }
  return RegReadDone;
}
}  // namespace

TRegReadResult ReadRegistryVariables(const char* file) {
  char names[KeyListSize];
  if (KeyListWasCut(ReadProfileKeyList(file, "RegRead", names), KeyListSize))
    return StopWithInternalError();
  for (const char* name : KeyList(names)) {
    if (IsSkippedName(name)) continue;
    if (ReadEntry(file, name) == RegReadStop) return RegReadStop;
  }
  return RegReadDone;
}

void RegRead_Expand_Strings(const char* file) {
  if (ReadRegistryVariables(file) == RegReadStop) EndRun();
}
