// Opening the simulated machine. (Minimal for now: the root and drive C.)
#include "platform/posix/machine_posix.h"

#include <sys/stat.h>

namespace posix {
namespace {
std::string g_root;
std::string g_programWinPath;
std::string g_commandLine;
}  // namespace

bool OpenMachine(const std::string& dir, std::string* whyNot) {
  mkdir(dir.c_str(), 0777);
  g_root = dir;
  mkdir((dir + "/drive_c").c_str(), 0777);
  return true;
}

const std::string& MachineRoot() { return g_root; }

void SetProgramIdentity(const std::string& hostProgramPath, const std::string& commandLine) {
  g_programWinPath = HostToWin(hostProgramPath);
  g_commandLine = commandLine;
}

const std::string& ProgramWinPath() { return g_programWinPath; }

}  // namespace posix
