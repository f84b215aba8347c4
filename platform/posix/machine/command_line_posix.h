// The Windows command line that the emulated program sees, built from the
// host's argument vector.
#pragma once

#include <string>
#include <vector>

namespace posix {

// The Windows form of one argument given on the host:
//   /home/u/pkg/APP.INF  -> Z:\home\u\pkg\APP.INF (a host path: its first
//                           component exists in the host's root directory)
//   /ANSWERS=/tmp/a.txt  -> /ANSWERS=Z:\tmp\a.txt (the value of a switch)
//   pkg/APP.INF          -> pkg\APP.INF
//   /S, /DIR=C:\x        -> unchanged (a switch, no host path)
// Host paths inside the machine's drives become paths on those drives.
std::string WindowsArgument(const std::string& hostArgument);

// The program's Windows path followed by the arguments in Windows form, each
// in double quotes when it holds a blank or a tab or is empty.
std::string WindowsCommandLine(const std::string& programWinPath,
                               const std::vector<std::string>& hostArguments);

}  // namespace posix
