// The directories a program asks Windows for: the Windows and system
// directories of the machine, and the process's current directory. That
// one is a Windows path kept here (the host process's own directory is never
// changed), starting as the Windows form of the directory the host started
// us in.
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix/kernel/kernel_posix.h"
#include "platform/posix/paths/paths_posix.h"

namespace posix {
namespace {

std::string& CurrentDirectoryState() {
  static std::string current;
  if (current.empty()) {
    char cwd[PATH_MAX];
    current = getcwd(cwd, sizeof cwd) ? HostToWin(cwd) : "Z:\\";
  }
  return current;
}

std::string SystemDirectory() { return WindowsDirectory() + "\\system32"; }

}  // namespace

const std::string& CurrentWinDirectory() { return CurrentDirectoryState(); }

}  // namespace posix

extern "C" BOOL SetCurrentDirectoryA(LPCSTR path) {
  std::string host;
  if (!posix::HostPathForCall(path, &host)) return FALSE;
  struct stat st;
  if (stat(host.c_str(), &st) != 0) return posix::FailWith(posix::MissingPathError(host));
  if (!S_ISDIR(st.st_mode)) return posix::FailWith(ERROR_DIRECTORY);
  posix::CurrentDirectoryState() = posix::FullWinPath(path);
  return TRUE;
}

extern "C" DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer) {
  return posix::CopyOutText(posix::CurrentWinDirectory(), buffer, size);
}

extern "C" UINT GetWindowsDirectoryA(LPSTR buffer, UINT size) {
  return posix::CopyOutText(posix::WindowsDirectory(), buffer, size);
}

extern "C" UINT GetSystemDirectoryA(LPSTR buffer, UINT size) {
  return posix::CopyOutText(posix::SystemDirectory(), buffer, size);
}
