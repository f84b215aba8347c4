// %name% references: each must name a variable that is set before the value
// is expanded, or it stays in the value as written (a folder named after it).
#include <cstring>

#include "check/checks.h"
#include "values/profile_values.h"

namespace {

// The run's own variables and the environment every Windows process has.
const char* const AlwaysSet[] = {
    "MyProgramPath", "ProjectVersion", "rundll", "setupx", "MyStartMenu", "MenuPath",
    "windir", "SystemRoot", "SystemDrive", "ProgramFiles", "CommonProgramFiles", "TEMP", "TMP",
    "USERPROFILE", "APPDATA", "LOCALAPPDATA", "ALLUSERSPROFILE", "ProgramData", "PUBLIC",
    "HOMEDRIVE", "HOMEPATH", "USERNAME", "COMPUTERNAME", "ComSpec", "PATH", "PATHEXT",
    "ProgramFiles(x86)", "CommonProgramFiles(x86)", "OS", "USERDOMAIN"};

// The directory dialog expands MyProgramPath before the run sets any
// variable: only the inherited environment counts there.
const int FirstEnvironmentName = 6;

enum { KeyListSize = 2601, ValueSize = 2601 };

bool InList(const char* name, int from) {
  for (int i = from; i < static_cast<int>(sizeof AlwaysSet / sizeof *AlwaysSet); ++i)
    if (EqualsIgnoreCase(name, AlwaysSet[i])) return true;
  return false;
}

// A key of section that stands in the file before line (0: anywhere).
bool IsKeyBefore(const char* section, const char* name, int line) {
  int at = KeyLine(*CheckInput.Index, section, name);
  return at && (line == 0 || at < line);
}

bool IsDefined(const char* name, const char* section, int line) {
  if (InList(name, 0)) return true;
  bool inStrings = EqualsIgnoreCase(section, "Strings");
  if (IsKeyBefore("Strings", name, inStrings ? line : 0)) return true;
  if (inStrings) return false;
  bool inRegRead = EqualsIgnoreCase(section, "RegRead");
  return IsKeyBefore("RegRead", name, inRegRead ? line : 0);
}

template <typename Visit>
void ForEachReference(const char* value, Visit visit) {
  for (const char* open = value; (open = strchr(open, '%')) != nullptr;) {
    const char* close = strchr(open + 1, '%');
    if (!close) return;
    if (close > open + 1) visit(Str(open + 1, static_cast<size_t>(close - open - 1)));
    open = close + 1;
  }
}

void CheckValue(const char* section, const char* key, const char* value) {
  int line = LineOf(section, key);
  ForEachReference(value, [&](const Str& name) {
    if (IsDefined(name.c_str(), section, line)) return;
    // Most often a [Strings] entry, a shell folder say, that stands below
    // its first use: the run sets the variables in the order of the lines.
    int later = KeyLine(*CheckInput.Index, "Strings", name.c_str());
    Str text = Where(section, key) + "%" + name + "% is ";
    if (later) {
      text += "set by [Strings] only at line ";
      text.appendNumber(later);
      text += ", after this value: it stays as written";
    } else {
      text += "not set by anything that runs before it: it stays as written";
    }
    Warning(line, text);
  });
}

void CheckSection(const char* section) {
  char keys[KeyListSize];
  ReadProfileKeyList(CheckInput.Path, section, keys);
  for (const char* key : KeyList(keys)) {
    char value[ValueSize];
    ReadProfileValue(CheckInput.Path, section, key, value);
    CheckValue(section, key, value);
  }
}

void CheckProposedDirectory() {
  char value[262];
  ReadProfileValue(CheckInput.Path, "Strings", "MyProgramPath", value);
  int line = LineOf("Strings", "MyProgramPath");
  ForEachReference(value, [&](const Str& name) {
    if (!InList(name.c_str(), FirstEnvironmentName) && IsDefined(name.c_str(), "Strings", line))
      Warning(line, Str("[Strings] MyProgramPath: the directory dialog shows %") + name +
                        "% as written: [Strings] and [RegRead] variables are set after it");
  });
}

}  // namespace

void CheckVariables() {
  const char* const sections[] = {"Strings",           "RegRead",   "Files", "RegWrite",
                                  "RegWriteUninstall", "SetMnuLNK", "IniWrite"};
  for (const char* section : sections) CheckSection(section);
  CheckProposedDirectory();
}
