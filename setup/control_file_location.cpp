#include "setup/control_file_location.h"

#include <string.h>

#include "common/message_box.h"
#include "common/run_options.h"
#include "common/run_state.h"
#include "platform/platform.h"

namespace {
const char* const Signature = "TALVEN";

// The directory search as the control file is looked for: plain files only;
// directories, hidden and system files never match.
bool IsPlainFile(const WIN32_FIND_DATAA& entry) {
  return !(entry.dwFileAttributes &
           (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

bool FindPlainFile(HANDLE search, WIN32_FIND_DATAA& entry) {
  if (search == INVALID_HANDLE_VALUE) return false;
  do {
    if (IsPlainFile(entry)) return true;
  } while (FindNextFileA(search, &entry));
  return false;
}

[[noreturn]] void FailLocating(const Str& message) {
  ShowErrorBox(message.c_str());
  RaiseErrorLevelToFailure();
  EndRunWithoutReport();
}

void RemoveOneTrailingBackslash(Str& dir) {
  if (dir.last() == '\\') dir.truncate(dir.size() - 1);
}

// The directory of the running program file, without its trailing backslash.
Str ProgramDirectory() {
  char path[MAX_PATH + 1];
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  if (length >= sizeof path) length = sizeof path - 1;
  path[length] = '\0';
  Str dir(path);
  long cut = dir.findLast('\\');
  dir.truncate(cut >= 0 ? static_cast<size_t>(cut) + 1 : 0);
  RemoveOneTrailingBackslash(dir);
  return dir;
}

void LocateNamedControlFile(const Str& argument) {
  long cut = -1;
  for (size_t i = 0; i < argument.size(); ++i)
    if (argument[i] == '\\' || argument[i] == ':') cut = static_cast<long>(i);
  if (cut >= 0) {
    SourceDir = AbsoluteDirectory(argument.substr(0, static_cast<size_t>(cut) + 1));
    InfFileName = argument.substr(static_cast<size_t>(cut) + 1);
  } else {
    SourceDir = ProgramDirectory();
    InfFileName = argument;
  }
  RemoveOneTrailingBackslash(SourceDir);
  Str path = SourceDir + "\\" + InfFileName;
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA(path.c_str(), &entry);
  bool found = FindPlainFile(search, entry);
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
  if (!found) FailLocating("Error: " + path + "-not found!");
  if (CheckSignature(path.c_str()) == 0)
    FailLocating("Error: " + path + " has not the required Version/Signature");
}

void LocateControlFileBesideProgram() {
  SourceDir = ProgramDirectory();
  Str pattern = SourceDir + "\\*" + ".INF";
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA(pattern.c_str(), &entry);
  if (!FindPlainFile(search, entry)) {
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    FailLocating("Error: no *.INF-File found in the Dircetory " + SourceDir + " of SETUP.EXE");
  }
  Str path;
  bool passed = false;
  do {
    if (!IsPlainFile(entry)) continue;
    InfFileName = entry.cFileName;
    path = SourceDir + "\\" + InfFileName;
    passed = CheckSignature(path.c_str()) != 0;
  } while (!passed && FindNextFileA(search, &entry));
  FindClose(search);
  if (!passed)
    FailLocating("Error: " + path + " has not the required Version/Signature" +
                 "\rand no other suitable *.INF found in this Directory");
}
}  // namespace

Str AbsoluteDirectory(const Str& dir) {
  bool relative = dir.find(":") < 0 && dir.c_str()[0] != '\\';
  if (!relative) return dir;
  char current[MAX_PATH + 1];
  DWORD length = GetCurrentDirectoryA(sizeof current, current);
  if (length == 0 || length >= sizeof current) return dir;
  Str absolute(current);
  RemoveOneTrailingBackslash(absolute);
  return absolute + "\\" + dir;
}

int CheckSignature(const char* path) {
  char value[31];
  DWORD length = GetPrivateProfileStringA("Version", "FormKw", "", value, sizeof value, path);
  if (length == 0) return 0;
  for (char* c = value; *c; ++c) *c = UpperAscii(*c);
  const char* hit = strstr(value, Signature);
  return hit ? static_cast<int>(hit - value) + 1 : 0;
}

void LocateControlFile() {
  if (RunOptions.HasControlFileArgument)
    LocateNamedControlFile(RunOptions.ControlFileArgument);
  else
    LocateControlFileBesideProgram();
  SetCurrentDirectoryA(SourceDir.c_str());
}
