#include "actions/backup_copy.h"

#include "common/run_state.h"
#include "log/log_file.h"
#include "platform/platform.h"

namespace {
bool IsDirectory(const char* path) {
  DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Creates every missing level of folder without reporting anything: a folder
// that cannot be had is reported by the caller as a failed backup.
bool MakeFolder(const Str& folder) {
  for (size_t i = 1; i <= folder.size(); ++i) {
    if (i < folder.size() && folder[i] != '\\') continue;
    Str level = folder.substr(0, i);
    if (!IsDirectory(level.c_str())) CreateDirectoryA(level.c_str(), nullptr);
  }
  return IsDirectory(folder.c_str());
}

Str NamePart(const char* path) {
  Str whole(path);
  long cut = whole.findLast('\\');
  return cut >= 0 ? whole.substr(static_cast<size_t>(cut) + 1) : whole;
}
}  // namespace

bool SaveBackupCopy(const char* target, const char* folder) {
  Str dir(folder);
  while (dir.size() > 1 && dir.last() == '\\') dir.truncate(dir.size() - 1);
  Str backup = dir + "\\" + NamePart(target);
  if (!dir.empty() && MakeFolder(dir) && CopyFileA(target, backup.c_str(), FALSE)) {
    WriteLogLine(target, "\t backup saved as ", backup);
    return true;
  }
  ++ErrorLevel;
  WriteLogLine(target, "\t backup into ", folder, " failed, not replaced");
  return false;
}
