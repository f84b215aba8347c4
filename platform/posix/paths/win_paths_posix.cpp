// Windows paths of the simulated machine and the host paths behind them.
//   C:  = <machine>/drive_c, X: = <machine>/drive_x where that folder exists,
//   Z:  = the host's root "/".
// Windows compares names without regard to case, the host does not: every
// existing component is looked up case-insensitively (the exact spelling
// first), so "C:\PROGRAM FILES" finds drive_c/Program Files.
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <string>
#include <vector>

#include "platform/posix/machine/machine_posix.h"
#include "platform/posix/paths/paths_posix.h"

namespace posix {
namespace {

std::vector<std::string> SplitComponents(const std::string& rest) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= rest.size()) {
    size_t end = rest.find('\\', start);
    if (end == std::string::npos) end = rest.size();
    parts.push_back(rest.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

// True when a component starting at `start` is "." or "..".
bool IsDotComponent(const std::string& rest, size_t start) {
  size_t dots = 0;
  while (start + dots < rest.size() && rest[start + dots] == '.') ++dots;
  return (dots == 1 || dots == 2) && (start + dots == rest.size() || rest[start + dots] == '\\');
}

// True when NormaliseRest would give rest back unchanged: the path of almost
// every call, spared the split and the join.
bool IsNormalRest(const std::string& rest) {
  if (rest.size() < 2 || rest[0] != '\\') return false;
  char last = rest.back();
  if (last == '\\' || last == '.' || last == ' ') return false;
  for (size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] != '\\') continue;
    if (rest[i + 1] == '\\' || IsDotComponent(rest, i + 1)) return false;
  }
  return true;
}

// Drops "." and empty components and applies "..", as GetFullPathName does;
// the last component loses trailing dots and blanks, which Windows ignores.
std::string NormaliseRest(const std::string& rest) {
  if (IsNormalRest(rest)) return rest;
  std::vector<std::string> kept;
  for (const std::string& part : SplitComponents(rest)) {
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!kept.empty()) kept.pop_back();
      continue;
    }
    kept.push_back(part);
  }
  if (!kept.empty()) {
    std::string& last = kept.back();
    while (!last.empty() && (last.back() == '.' || last.back() == ' ')) last.pop_back();
    if (last.empty()) kept.pop_back();
  }
  std::string out;
  for (const std::string& part : kept) out += "\\" + part;
  return out.empty() ? "\\" : out;
}

bool IsDriveLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

// Splits a UNC path "\\server\share\rest" into its root and the rest.
void SplitUnc(const std::string& p, std::string* root, std::string* rest) {
  size_t server = p.find('\\', 2);
  size_t share = server == std::string::npos ? std::string::npos : p.find('\\', server + 1);
  *root = share == std::string::npos ? p : p.substr(0, share);
  *rest = share == std::string::npos ? "" : p.substr(share);
}

// The machine folder as an absolute host path, and its resolved form.
std::vector<std::string> MachineRootForms() {
  std::vector<std::string> forms;
  std::string root = MachineRoot();
  if (root.empty()) return forms;
  if (root[0] != '/') {
    char cwd[PATH_MAX];
    if (getcwd(cwd, sizeof cwd)) root = std::string(cwd) + "/" + root;
  }
  while (root.size() > 1 && root.back() == '/') root.pop_back();
  forms.push_back(root);
  char resolved[PATH_MAX];
  if (realpath(root.c_str(), resolved) && root != resolved) forms.push_back(resolved);
  return forms;
}

// Lexical clean-up of an absolute host path ("//", "/./", "/../").
std::string CleanHostPath(const std::string& path) {
  std::vector<std::string> kept;
  size_t start = 0;
  while (start < path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    std::string part = path.substr(start, end - start);
    if (part == "..") {
      if (!kept.empty()) kept.pop_back();
    } else if (!part.empty() && part != ".") {
      kept.push_back(part);
    }
    start = end + 1;
  }
  std::string out;
  for (const std::string& part : kept) out += "/" + part;
  return out.empty() ? "/" : out;
}

std::string BackslashesOf(const std::string& hostTail) {
  std::string out = AnsiFromHostName(hostTail);
  for (char& c : out)
    if (c == '/') c = '\\';
  return out;
}

// Resolves the components below a drive's host folder one by one.
std::string ResolveBelow(const std::string& hostRoot, const std::vector<std::string>& parts) {
  std::string host = hostRoot;
  bool resolving = true;
  for (const std::string& part : parts) {
    std::string actual = part;
    if (resolving && !FindEntryNoCase(host.empty() ? "/" : host, part, &actual)) {
      resolving = false;
      actual = part;
    }
    host += "/" + actual;
  }
  return host.empty() ? "/" : host;
}

}  // namespace

bool DriveHostRoot(char drive, std::string* hostRoot) {
  char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(drive)));
  if (letter == 'z') {
    hostRoot->clear();  // the host root: components are appended as "/name"
    return true;
  }
  if (letter < 'a' || letter > 'z') return false;
  std::string folder = MachineRoot() + "/drive_" + std::string(1, letter);
  // A drive once found stays: every path of a run passes here.
  static std::string knownFolders[26];
  std::string& known = knownFolders[letter - 'a'];
  if (known == folder) return *hostRoot = folder, true;
  struct stat st;
  if (MachineRoot().empty() || stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  known = folder;
  *hostRoot = folder;
  return true;
}

std::string FullWinPath(const char* winPath) {
  std::string p = winPath ? winPath : "";
  for (char& c : p)
    if (c == '/') c = '\\';
  if (p.compare(0, 4, "\\\\?\\") == 0) p = p.substr(4);
  const std::string& cwd = CurrentWinDirectory();
  std::string prefix;
  std::string rest;
  if (p.size() >= 2 && p[1] == ':' && IsDriveLetter(p[0])) {
    char drive = static_cast<char>(std::toupper(static_cast<unsigned char>(p[0])));
    prefix = std::string(1, drive) + ":";
    rest = p.substr(2);
    if (rest.empty() || rest[0] != '\\') {
      // "X:name" is relative to the current directory when that is on X:.
      bool onDrive = cwd.size() >= 2 && std::toupper(static_cast<unsigned char>(cwd[0])) == drive;
      rest = (onDrive ? cwd.substr(2) : std::string("\\")) + "\\" + rest;
    }
  } else if (p.compare(0, 2, "\\\\") == 0) {
    SplitUnc(p, &prefix, &rest);
  } else if (!p.empty() && p[0] == '\\') {
    prefix = cwd.substr(0, 2);
    rest = p;
  } else {
    prefix = cwd.substr(0, 2);
    rest = cwd.substr(2) + "\\" + p;
  }
  return prefix + NormaliseRest(rest);
}

namespace {
// A file opened by its exact spelling exists with that spelling (the host
// names are case-sensitive). Not following a link and not waiting on a pipe,
// anything but a regular file is closed again and left to the usual look.
bool OpenRegularToRead(const std::string& exact, PathLook* look) {
  int fd = open(exact.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  if (fstat(fd, &look->st) != 0 || !S_ISREG(look->st.st_mode)) {
    close(fd);
    return false;
  }
  look->statted = true;
  look->readFd = fd;
  NoteFoundAsSpelt(exact);
  return true;
}
}  // namespace

bool WinToHost(const char* winPath, std::string* hostPath, PathLook* look) {
  return FullWinPathToHost(FullWinPath(winPath), hostPath, look);
}

bool FullWinPathToHost(const std::string& full, std::string* hostPath, PathLook* look) {
  std::string hostRoot;
  if (full.size() < 3 || full[1] != ':') {
    SetLastError(full.compare(0, 2, "\\\\") == 0 ? ERROR_BAD_NETPATH : ERROR_PATH_NOT_FOUND);
    return false;
  }
  if (!DriveHostRoot(full[0], &hostRoot)) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return false;
  }
  std::vector<std::string> parts;
  if (full.size() > 3) parts = SplitComponents(full.substr(3));
  for (std::string& part : parts) part = HostNameFromAnsi(part);

  // Most paths are spelt as they exist: one lstat settles them.
  std::string exact = hostRoot;
  for (const std::string& part : parts) exact += "/" + part;
  if (exact.empty()) exact = "/";
  if (!parts.empty() && MissingFromBusyFolder(exact)) {
    if (look) look->missingInFolder = true;
    *hostPath = exact;
    return true;
  }
  if (look && look->openToRead && !parts.empty() && OpenRegularToRead(exact, look)) {
    *hostPath = exact;
    return true;
  }
  struct stat st;
  if (parts.empty() || lstat(exact.c_str(), &st) == 0) {
    if (look && !parts.empty() && !S_ISLNK(st.st_mode)) look->statted = true, look->st = st;
    if (!parts.empty()) NoteFoundAsSpelt(exact);
    *hostPath = exact;
    return true;
  }
  bool absentAsSpelt = errno == ENOENT;
  // A new entry in a folder that exists as spelt: only the last name needs a look.
  std::string parent = HostParent(exact);
  std::string actual;
  NameLookup lookup = LookUpNameInOtherCase(parent, parts.back(), &actual);
  if (parts.size() == 1 || lookup != NameLookup::NoFolder) {
    *hostPath = (parent == "/" ? "" : parent) + "/" + (lookup == NameLookup::Found ? actual : parts.back());
    if (look) look->missingInFolder = absentAsSpelt && lookup == NameLookup::Missing;
    return true;
  }
  *hostPath = ResolveBelow(hostRoot, parts);
  return true;
}

std::string HostToWin(const std::string& hostPath) {
  std::string path = hostPath;
  if (path.empty() || path[0] != '/') {
    char cwd[PATH_MAX];
    if (getcwd(cwd, sizeof cwd)) path = std::string(cwd) + "/" + path;
  }
  path = CleanHostPath(path);
  for (const std::string& root : MachineRootForms()) {
    std::string drivePrefix = root + "/drive_";
    if (path.compare(0, drivePrefix.size(), drivePrefix) != 0) continue;
    size_t letterAt = drivePrefix.size();
    if (path.size() <= letterAt || !IsDriveLetter(path[letterAt])) continue;
    if (path.size() > letterAt + 1 && path[letterAt + 1] != '/') continue;
    char drive = static_cast<char>(std::toupper(static_cast<unsigned char>(path[letterAt])));
    std::string tail = path.substr(letterAt + 1);
    return std::string(1, drive) + ":" + (tail.empty() ? "\\" : BackslashesOf(tail));
  }
  return "Z:" + BackslashesOf(path);
}

std::string WindowsDirectory() {
  const char* windir = FindVariable("windir");
  if (windir && *windir) return windir;
  return "C:\\WINDOWS";
}

}  // namespace posix
