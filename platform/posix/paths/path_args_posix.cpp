// Checking the path an A function received and naming the error for a path
// that does not exist, as Windows does.
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "platform/posix/kernel/kernel_posix.h"
#include "platform/posix/paths/paths_posix.h"

namespace posix {

bool HasInvalidNameChars(const std::string& name) {
  for (unsigned char c : name)
    if (c < 0x20 || std::strchr("*?<>|\"", c)) return true;
  return false;
}

bool HostPathForCall(const char* winPath, std::string* hostPath, PathLook* look) {
  if (!winPath || !*winPath) return FailWith(ERROR_PATH_NOT_FOUND);
  // The A functions convert the name into a MAX_PATH buffer first.
  if (std::strlen(winPath) >= MAX_PATH) return FailWith(ERROR_FILENAME_EXCED_RANGE);
  std::string full = FullWinPath(winPath);
  // A drive letter's colon is the only colon a name may hold.
  if (HasInvalidNameChars(full) || full.find(':', 2) != std::string::npos)
    return FailWith(ERROR_INVALID_NAME);
  return FullWinPathToHost(full, hostPath, look);
}

bool StatLooked(const std::string& hostPath, const PathLook& look, struct stat* st) {
  if (look.statted) return *st = look.st, true;
  if (look.missingInFolder) return errno = ENOENT, false;
  return stat(hostPath.c_str(), st) == 0;
}

std::string_view HostParentView(std::string_view hostPath) {
  size_t slash = hostPath.find_last_of('/');
  if (slash == std::string_view::npos || slash == 0) return "/";
  return hostPath.substr(0, slash);
}

std::string HostParent(const std::string& hostPath) { return std::string(HostParentView(hostPath)); }

std::string HostLeaf(const std::string& hostPath) {
  size_t slash = hostPath.find_last_of('/');
  return slash == std::string::npos ? hostPath : hostPath.substr(slash + 1);
}

DWORD MissingPathError(const std::string& hostPath) {
  struct stat st;
  if (stat(HostParent(hostPath).c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return ERROR_FILE_NOT_FOUND;
  return ERROR_PATH_NOT_FOUND;
}

DWORD MissingPathError(const std::string& hostPath, const PathLook& look) {
  return look.missingInFolder ? ERROR_FILE_NOT_FOUND : MissingPathError(hostPath);
}

bool IsDriveRootPath(const std::string& fullWinPath) {
  return fullWinPath.size() == 3 && fullWinPath[1] == ':' && fullWinPath[2] == '\\';
}

}  // namespace posix
