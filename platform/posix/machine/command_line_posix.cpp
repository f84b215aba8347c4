// Host arguments to the Windows command line.
#include "platform/posix/machine/machine_posix.h"
#include "platform/posix/paths/paths_posix.h"

#include <sys/stat.h>

namespace posix {
namespace {

// "/home/u/x" is a host path when "/home" exists; "/S" or "/DIR=C:\x" are
// switches (no such entry in the host root).
bool IsHostPath(const std::string& text) {
  if (text.size() < 2 || text[0] != '/' || text[1] == '/') return false;
  std::string first = text.substr(0, text.find('/', 1));
  struct stat st;
  return lstat(first.c_str(), &st) == 0;
}

std::string Quoted(const std::string& text) {
  if (!text.empty() && text.find_first_of(" \t") == std::string::npos) return text;
  return "\"" + text + "\"";
}

}  // namespace

std::string WindowsArgument(const std::string& argument) {
  if (IsHostPath(argument)) return HostToWin(argument);
  if (argument[0] == '/') {
    size_t equals = argument.find('=');
    if (equals != std::string::npos && IsHostPath(argument.substr(equals + 1)))
      return argument.substr(0, equals + 1) + HostToWin(argument.substr(equals + 1));
    return argument;
  }
  std::string converted = argument;
  for (char& c : converted)
    if (c == '/') c = '\\';
  return converted;
}

std::string WindowsCommandLine(const std::string& programWinPath,
                               const std::vector<std::string>& hostArguments) {
  std::string line = Quoted(programWinPath);
  for (const std::string& argument : hostArguments) line += " " + Quoted(WindowsArgument(argument));
  return line;
}

}  // namespace posix
