#include "setup/installed_copy.h"

#include "common/message_box.h"
#include "common/message_buffer.h"
#include "common/run_state.h"
#include "common/system_message.h"
#include "platform/platform.h"
#include "values/full_path.h"

namespace {
// The system text for the last error; shows "FormatMessage failed" when the
// system has none, as the run has always done.
Str LastErrorText(DWORD code, DWORD width) {
  Str text;
  if (!SystemMessageText(code, width, text)) ShowMessageBox("FormatMessage failed", MB_OK);
  return text;
}

Str FileNamePart(const Str& path) {
  long cut = path.findLast('\\');
  return cut >= 0 ? path.substr(static_cast<size_t>(cut) + 1) : path;
}

bool CopyControlFileTo(const Str& target) {
  return CopyFileA(SourceInfPath.c_str(), target.c_str(), FALSE) != 0;
}

// After access was denied (or the INF directory could not be written at all),
// the copy goes into the installation directory, if one was chosen.
// On a failed attempt code receives that attempt's error.
bool CopyIntoProgramDirectory(DWORD& code) {
  char programDir[260];
  DWORD length = GetEnvironmentVariableA("MyProgramPath", programDir, sizeof programDir);
  bool probeFailed = InstalledInfPath.empty();
  // A directory that names no place of its own would put the copy on the
  // medium, where no later run would look for it.
  if ((code != ERROR_ACCESS_DENIED && !probeFailed) || length == 0 || length >= sizeof programDir ||
      !IsFullPath(programDir))
    return false;
  MessageBuffer += "Trying to copy the INF to the ProgramDir\r\n";
  Str dir(programDir);
  if (dir.last() != '\\') dir += '\\';
  Str name = probeFailed ? InfFileName : FileNamePart(InstalledInfPath);
  InstalledInfPath = dir + name;
  if (!CopyControlFileTo(InstalledInfPath)) {
    code = GetLastError();
    return false;
  }
  MessageBuffer += "using " + InstalledInfPath + " as INF-File\r\n";
  return true;
}

void CopyControlFile() {
  if (CopyControlFileTo(InstalledInfPath)) {
    MessageBuffer += "INF-File copied to " + InstalledInfPath + "\r\n";
    return;
  }
  ++ErrorLevel;
  DWORD code = GetLastError();
  Str text;
  SystemMessageText(code, FORMAT_MESSAGE_MAX_WIDTH_MASK, text);
  Str warning("Warning: Couldn't copy INF-File to ");
  warning.append(InstalledInfPath).append(": Error ").appendNumber(code);
  MessageBuffer += warning + ", " + text + "\r\n";
  if (CopyIntoProgramDirectory(code)) return;
  text = LastErrorText(code, 70);
  MessageBuffer += "Error: coundn't copy INF-File to " + InstalledInfPath + ": " + text + "\r\n";
  ShowErrorBox(("Error: coundn't copy INF-File to " + InstalledInfPath + "\r" + text).c_str());
  RaiseErrorLevelToFailure();
  EndRun();
}

void WriteInfPath() {
  Str infPath = DirectoryWithBackslash(InstalledInfPath);
  if (WritePrivateProfileStringA("Strings", "InfPath", infPath.c_str(), InstalledInfPath.c_str()))
    return;
  Str text = LastErrorText(GetLastError(), FORMAT_MESSAGE_MAX_WIDTH_MASK);
  MessageBuffer += "Error: coundn't write to " + InstalledInfPath + ": " + text + "\r\n";
  ShowErrorBox(("Error: coundn't write to " + InstalledInfPath + "\r" + text).c_str());
  RaiseErrorLevelToFailure();
  EndRun();
}

bool IsOnSearchPath(const char* name, const char* extension) {
  char found[259];
  return SearchPathA(nullptr, name, extension, sizeof found, found, nullptr) != 0;
}
}  // namespace

Str DirectoryWithBackslash(const Str& path) {
  long cut = path.findLast('\\');
  return cut >= 0 ? path.substr(0, static_cast<size_t>(cut) + 1) : Str();
}

void ProbeInstalledCopy() {
  if (WritePrivateProfileStringA("Version", "FormKw", "TALVEN", InstalledInfPath.c_str())) {
    InfDirNotWritable = false;
    return;
  }
  InstalledInfPath.clear();
  InfDirNotWritable = true;
}

void PlaceInstalledCopy() {
  CopyControlFile();
  SetFileAttributesA(InstalledInfPath.c_str(), FILE_ATTRIBUTE_ARCHIVE);
  WriteInfPath();
}

void PublishVariable(const char* name, const char* value) {
  WritePrivateProfileStringA("Strings", name, value, InstalledInfPath.c_str());
  SetEnvironmentVariableA(name, value);
}

// The directory as it was chosen, already expanded: the installed copy
// records the folder that every other use of it sees.
void PublishInstallDirectory() {
  char programDir[260];
  DWORD length = GetEnvironmentVariableA("MyProgramPath", programDir, sizeof programDir);
  if (length > 0 && length < sizeof programDir) PublishVariable("MyProgramPath", programDir);
}

void PublishRunVariables() {
  PublishVariable("ProjectVersion", ProjectVersion.c_str());
  PublishVariable("rundll", IsOnSearchPath("rundll32", ".exe") ? "rundll32" : "rundll");
  UseSetupx = !IsOnSearchPath("setupAPI", ".dll");
  PublishVariable("setupx", UseSetupx ? "setupx" : "setupAPI");
}
