// The program's own file and command line as Windows reports them.
#include <string.h>

#include <string>

#include "platform/posix/machine/machine_posix.h"
#include "platform/posix/paths/paths_posix.h"

namespace posix {
namespace {
std::string g_programWinPath;
std::string g_commandLine;
}  // namespace

void SetProgramIdentity(const std::string& hostProgramPath, const std::string& commandLine) {
  g_programWinPath = HostToWin(hostProgramPath);
  g_commandLine = commandLine;
}

const std::string& ProgramWinPath() { return g_programWinPath; }

}  // namespace posix

extern "C" LPSTR GetCommandLineA(void) { return &posix::g_commandLine[0]; }

// Only the program's own module exists. A path that does not fit is cut to
// size - 1 characters and a NUL, returning size with error 122, as Windows
// does since Vista (Wine leaves the cut text without NUL).
extern "C" DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size) {
  if (module) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  const std::string& path = posix::ProgramWinPath();
  if (!buffer || size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  if (path.size() < size) {
    memcpy(buffer, path.c_str(), path.size() + 1);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(path.size());
  }
  memcpy(buffer, path.data(), size - 1);
  buffer[size - 1] = '\0';
  SetLastError(ERROR_INSUFFICIENT_BUFFER);
  return size;
}
