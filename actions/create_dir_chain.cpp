#include "common/create_dir_chain.h"

#include <cstring>

#include "common/message_box.h"
#include "common/message_buffer.h"
#include "common/run_state.h"
#include "platform/platform.h"

namespace {

// A volume label entry; the search for an existing directory never counts
// one, nor hidden or system entries, as the directory asked for.
const DWORD VolumeLabelAttribute = 0x00000008;
const DWORD PassedOverAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | VolumeLabelAttribute;

// The copy of the path that the existence test searches for: at most 259
// characters and the NUL.
enum { WorkingCopySize = 260 };

bool IsVisibleDirectory(const char* path) {
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA(path, &entry);
  if (search == INVALID_HANDLE_VALUE) return false;
  bool found = true;
  while (found && (entry.dwFileAttributes & PassedOverAttributes))
    found = FindNextFileA(search, &entry) != 0;
  FindClose(search);
  return found && (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// "C:\" and the like: one character after the first colon.
bool IsDriveRoot(const char* path) {
  const char* colon = strchr(path, ':');
  return colon && colon[1] != '\0' && colon[2] == '\0';
}

void ReportFailure(const char* dir) {
  Str message("Error to create the ");
  message += dir;
  message += " directory";
  ShowErrorBox(message.c_str());
  RaiseErrorLevelToFailure();
  MessageBuffer += message;
  MessageBuffer += "\r\n";
}

void LogCreated(const char* level, Str& log) {
  log += level;
  log += "\t created\r\n";
}

// Cuts the path at its backslashes, from the end upwards, until a level can
// be created. Returns the position of the NUL that ends the created level,
// or -1 when no level could be created (the path is then cut to nothing).
long CreateHighestMissingLevel(char* path, size_t length) {
  long end = static_cast<long>(length);
  for (;;) {
    while (end > 0 && path[end] != '\\') --end;
    path[end] = '\0';
    if (CreateDirectoryA(path, nullptr)) return end;
    if (end < 2) return -1;
    --end;
  }
}

// Puts the backslashes back one level at a time and creates each level.
// Returns false when a level could not be created; the path then ends at
// that level.
bool CreateLowerLevels(char* path, size_t length, long end, Str& log) {
  for (;;) {
    path[end] = '\\';
    // The requested path's own trailing backslash is no level of its own.
    if (static_cast<size_t>(end) + 1 == length) return true;
    if (!CreateDirectoryA(path, nullptr)) return false;
    LogCreated(path, log);
    end = static_cast<long>(strlen(path));
    if (static_cast<size_t>(end) == length) return true;
  }
}

}  // namespace

int CreateDirChain(char* path, Str& log) {
  size_t length = strlen(path);
  size_t withoutBackslash = length > 0 && path[length - 1] == '\\' ? length - 1 : length;
  if (withoutBackslash >= WorkingCopySize) {
    ReportFailure(Str(path, withoutBackslash).c_str());
    return DirChainFailed;
  }
  char workingCopy[WorkingCopySize];
  memcpy(workingCopy, path, withoutBackslash);
  workingCopy[withoutBackslash] = '\0';

  if (IsVisibleDirectory(workingCopy)) return DirChainExists;
  if (IsDriveRoot(path)) return DirChainExists;
  if (CreateDirectoryA(path, nullptr)) return DirChainCreated;

  // The walk cuts the caller's buffer; the original goes back at the end.
  Str original(path, length);
  int result = DirChainCreated;
  long end = CreateHighestMissingLevel(path, length);
  if (end < 0) {
    ReportFailure(workingCopy);
    result = DirChainFailed;
  } else {
    LogCreated(path, log);
    if (!CreateLowerLevels(path, length, end, log)) {
      ReportFailure(path);
      result = DirChainFailed;
    }
  }
  memcpy(path, original.c_str(), length + 1);
  return result;
}
