// The [IniWrite] section: entries set in INI files of the target system.
// It reports by message boxes; only a section cut by its buffer goes to the
// log.
#include "actions/ini_write.h"

#include <string.h>

#include "common/message_box.h"
#include "common/run_state.h"
#include "common/system_message.h"
#include "log/log_file.h"
#include "values/cut_key_list.h"
#include "values/expand.h"
#include "values/full_path.h"
#include "values/profile_values.h"

namespace {
enum { KeyListSize = 2600, EntrySize = 261, ValueExpansionSize = 5000, FileExpansionSize = 261 };

// The system's text for an error code without its trailing blanks, line
// breaks and full stops.
Str TrimmedSystemText(DWORD code) {
  Str text;
  SystemMessageText(code, FORMAT_MESSAGE_MAX_WIDTH_MASK, text);
  size_t length = text.size();
  while (length && strchr(" \r\n.", text[length - 1])) --length;
  text.truncate(length);
  return text;
}

void ReportSyntaxError(const char* rest) {
  ShowMessageBox((Str("Syntax-Error at [IniWrite]") + rest).c_str(), MB_OK);
  RaiseErrorLevelToFailure();
}

// Cuts text at its next comma; returns what follows, or nullptr when there is
// no comma.
char* CutAtComma(char* text) {
  char* comma = strchr(text, ',');
  if (!comma) return nullptr;
  *comma = '\0';
  return comma + 1;
}

// A file named with a folder part must name its folder in full: a relative
// one would be written beside the control file, on the medium. A bare file
// name keeps the profile write's own rule (the Windows directory).
bool IsPlaceOfIniFile(const char* name, const char* file) {
  if (!strpbrk(file, "\\/") || IsFullPath(file)) return true;
  ShowMessageBox(NotFullPathText((Str("the file of [IniWrite] ") + name).c_str(), file).c_str(),
                 MB_OK);
  RaiseErrorLevelToFailure();
  return false;
}

void WriteEntry(const char* name, char* entry) {
  char* section = entry;
  char* key = CutAtComma(section);
  char* value = key ? CutAtComma(key) : nullptr;
  char* file = value ? CutAtComma(value) : nullptr;
  if (!file) {
    // What is left before the first cut: the whole value without a comma,
    // else the section alone.
    ReportSyntaxError(section);
    return;
  }
  static char expandedValue[ValueExpansionSize];
  char expandedFile[FileExpansionSize];
  ExpandInto(value, expandedValue);
  ExpandInto(file, expandedFile);
  if (!IsPlaceOfIniFile(name, expandedFile)) return;
  if (WritePrivateProfileStringA(section, key, expandedValue, expandedFile)) return;
  DWORD code = GetLastError();
  char message[2601];
  char number[24];
  CopyToBuffer(message, sizeof message, "Error ");
  AppendToBuffer(message, sizeof message, FormatDecimal(code, number));
  AppendToBuffer(message, sizeof message, "(");
  AppendToBuffer(message, sizeof message, TrimmedSystemText(code).c_str());
  AppendToBuffer(message, sizeof message, ") at IniWrite");
  AppendToBuffer(message, sizeof message, section);
  ShowMessageBox(message, MB_OK);
  RaiseErrorLevelToFailure();
}
}  // namespace

void WriteIniEntries(const char* sourceFile) {
  char keys[KeyListSize];
  bool cut = ReadKeyListDroppingCutName(sourceFile, "IniWrite", keys);
  for (const char* name : KeyList(keys)) {
    char entry[EntrySize];
    ReadProfileValue(sourceFile, "IniWrite", name, entry);
    WriteEntry(name, entry);
  }
  if (!cut) return;
  // Entries left out are a loss no message box shows: the log keeps it.
  ReportCutKeyList("IniWrite", keys, KeyListSize, "written");
  FlushMessageBuffer();
}
