// Start of the emulated program: which machine it runs on, and who it is.
//
// The machine directory is, in this order:
//   1. "--machine DIR" as the very first arguments (taken off the command
//      line that the program sees);
//   2. the host environment variable SETUP_MACHINE;
//   3. $HOME/.talven-machine, a machine of the user's own that lives on
//      from run to run as a Wine prefix does (./machine without HOME).
// A missing or empty directory becomes a fresh default machine.
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/machine/machine_posix.h"
#include "platform/posix/paths/paths_posix.h"

namespace {

std::string DefaultMachineDirectory() {
  const char* home = getenv("HOME");
  if (home && *home) return std::string(home) + "/.talven-machine";
  return "machine";
}

std::string OwnHostPath(const char* argv0) {
  char path[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n > 0) return std::string(path, n);
  if (argv0 && realpath(argv0, path)) return path;
  return argv0 ? argv0 : "setup";
}

}  // namespace

namespace platform {

bool Startup(int argc, char** argv, const char** whyNot) {
  static std::string reason;
  std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  std::string dir;
  if (!arguments.empty() && arguments[0] == "--machine") {
    if (arguments.size() < 2) {
      if (whyNot) *whyNot = "--machine needs the machine's directory";
      return false;
    }
    dir = arguments[1];
    arguments.erase(arguments.begin(), arguments.begin() + 2);
  } else if (const char* fromEnvironment = getenv("SETUP_MACHINE")) {
    dir = fromEnvironment;
  }
  if (dir.empty()) dir = DefaultMachineDirectory();
  std::string why;
  if (!posix::OpenMachine(dir, &why)) {
    reason = "Cannot open the machine " + dir + ": " + why;
    if (whyNot) *whyNot = reason.c_str();
    return false;
  }
  std::string program = OwnHostPath(argc > 0 ? argv[0] : nullptr);
  posix::SetProgramIdentity(program,
                            posix::WindowsCommandLine(posix::HostToWin(program), arguments));
  return true;
}

}  // namespace platform
