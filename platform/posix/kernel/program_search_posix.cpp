// Finding the program file of a command line in the machine.
#include "platform/posix/kernel/kernel_posix.h"
#include "platform/posix/machine/machine_posix.h"
#include "platform/posix/paths/paths_posix.h"

#include <sys/stat.h>

#include <vector>

namespace posix {
namespace {

bool IsFile(const std::string& winPath) {
  std::string host;
  struct stat st;
  return WinToHost(winPath.c_str(), &host) && stat(host.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool HasPathPart(const std::string& name) { return name.find_first_of("\\/:") != std::string::npos; }

std::string WithExtension(const std::string& name) {
  size_t lastPart = name.find_last_of("\\/:");
  size_t dot = name.find('.', lastPart == std::string::npos ? 0 : lastPart + 1);
  return dot == std::string::npos ? name + ".exe" : name;
}

std::string Joined(std::string dir, const std::string& name) {
  if (!dir.empty() && dir.back() != '\\') dir += '\\';
  return dir + name;
}

std::vector<std::string> SearchFolders() {
  std::vector<std::string> folders;
  const std::string& self = ProgramWinPath();
  size_t slash = self.rfind('\\');
  if (slash != std::string::npos) folders.push_back(self.substr(0, slash));
  char current[MAX_PATH];
  DWORD n = GetCurrentDirectoryA(sizeof current, current);
  if (n > 0 && n < sizeof current) folders.push_back(current);
  std::string windows = WindowsDirectory();
  folders.push_back(windows + "\\system32");
  folders.push_back(windows + "\\system");
  folders.push_back(windows);
  const char* path = FindVariable("PATH");
  std::string list = path ? path : "";
  for (size_t start = 0; start <= list.size();) {
    size_t end = list.find(';', start);
    if (end == std::string::npos) end = list.size();
    if (end > start) folders.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return folders;
}

// The full path of the program a name stands for, "" when there is none.
std::string Locate(const std::string& name) {
  if (name.empty()) return "";
  std::string file = WithExtension(name);
  if (HasPathPart(file)) {
    std::string full = FullWinPath(file.c_str());
    return IsFile(full) ? full : "";
  }
  for (const std::string& folder : SearchFolders()) {
    std::string full = FullWinPath(Joined(folder, file).c_str());
    if (IsFile(full)) return full;
  }
  return "";
}

std::string SkipBlanks(const std::string& text, size_t from) {
  size_t start = text.find_first_not_of(" \t", from);
  return start == std::string::npos ? "" : text.substr(start);
}

std::string AfterFirstToken(const std::string& line) {
  size_t end = line.empty() || line[0] != '"' ? line.find_first_of(" \t") : line.find('"', 1);
  return end == std::string::npos ? "" : SkipBlanks(line, end + 1);
}

}  // namespace

bool FindProgramCall(const char* applicationName, const char* commandLine, ProgramCall* call) {
  std::string line = SkipBlanks(commandLine ? commandLine : "", 0);
  if (applicationName) {
    call->program = FullWinPath(applicationName);
    call->arguments = AfterFirstToken(line);  // the first token names the program again
    return IsFile(call->program);
  }
  if (!line.empty() && line[0] == '"') {
    size_t close = line.find('"', 1);
    std::string name = line.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    call->program = Locate(name);
    call->arguments = close == std::string::npos ? "" : SkipBlanks(line, close + 1);
    return !call->program.empty();
  }
  for (size_t end = line.find_first_of(" \t");; end = line.find_first_of(" \t", end + 1)) {
    call->program = Locate(line.substr(0, end));
    if (!call->program.empty()) {
      call->arguments = end == std::string::npos ? "" : SkipBlanks(line, end);
      return true;
    }
    if (end == std::string::npos) return false;
  }
}

}  // namespace posix
