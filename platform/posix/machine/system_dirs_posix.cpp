// The Windows, system and temporary directories of the machine.
#include "platform/posix/kernel/kernel_posix.h"
#include "platform/posix/machine/machine_posix.h"
#include "platform/posix/paths/paths_posix.h"

namespace posix {
namespace {

std::string SystemDirectory() { return WindowsDirectory() + "\\system32"; }

// GetTempPath takes the first of TMP, TEMP and USERPROFILE that is set, else
// the Windows directory, as a full path with a trailing backslash.
std::string TempPath() {
  const char* names[] = {"TMP", "TEMP", "USERPROFILE"};
  std::string path = WindowsDirectory();
  for (const char* name : names) {
    const char* value = FindVariable(name);
    if (value && *value) {
      path = value;
      break;
    }
  }
  path = FullWinPath(path.c_str());
  if (path.empty() || path.back() != '\\') path += '\\';
  return path;
}

}  // namespace
}  // namespace posix

extern "C" UINT GetWindowsDirectoryA(LPSTR buffer, UINT size) {
  return posix::CopyOutText(posix::WindowsDirectory(), buffer, size);
}

extern "C" UINT GetSystemDirectoryA(LPSTR buffer, UINT size) {
  return posix::CopyOutText(posix::SystemDirectory(), buffer, size);
}

extern "C" DWORD GetTempPathA(DWORD size, LPSTR buffer) {
  return posix::CopyOutText(posix::TempPath(), buffer, size);
}
