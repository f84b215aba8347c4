// Opening the simulated machine: its directory, environment and registry.
#include "platform/posix/machine/machine_posix.h"
#include "platform/posix/paths/paths_posix.h"
#include "platform/posix/registry/registry_posix.h"

#include <dirent.h>
#include <errno.h>
#include <limits.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

namespace posix {
namespace {

std::string g_root;

// True when the directory has no entry besides "." and "..".
bool IsEmptyDirectory(const std::string& dir) {
  DIR* d = opendir(dir.c_str());
  if (!d) return false;
  bool empty = true;
  while (dirent* e = readdir(d)) {
    if (strcmp(e->d_name, ".") != 0 && strcmp(e->d_name, "..") != 0) {
      empty = false;
      break;
    }
  }
  closedir(d);
  return empty;
}

bool MakeDirectoryChain(const std::string& dir) {
  for (size_t slash = dir.find('/', 1);; slash = dir.find('/', slash + 1)) {
    std::string part = dir.substr(0, slash);
    if (mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) return true;
  }
}

// The machine's directory as an absolute path without symbolic links, so
// that HostToWin recognises host paths inside it as getcwd() reports them.
bool CanonicalDirectory(const std::string& dir, std::string* canonical, std::string* whyNot) {
  char resolved[PATH_MAX];
  if (!realpath(dir.c_str(), resolved)) {
    *whyNot = dir + ": " + strerror(errno);
    return false;
  }
  *canonical = resolved;
  return true;
}

// A directory that is neither empty nor a machine is refused rather than
// filled: the user most likely named the wrong directory.
bool PrepareDirectory(const std::string& dir, std::string* whyNot) {
  struct stat st;
  if (stat(dir.c_str(), &st) != 0 && !MakeDirectoryChain(dir)) {
    *whyNot = "cannot create the machine directory " + dir + ": " + strerror(errno);
    return false;
  }
  if (stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    *whyNot = dir + " is not a directory";
    return false;
  }
  if (IsEmptyDirectory(dir)) return CreateDefaultMachine(dir, whyNot);
  if (stat((dir + "/drive_c").c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    *whyNot = dir + " is not a machine directory (it has no drive_c)";
    return false;
  }
  return true;
}

}  // namespace

bool OpenMachine(const std::string& dir, std::string* whyNot) {
  std::string ignored;
  if (!whyNot) whyNot = &ignored;
  std::string root;
  if (dir.empty()) {
    *whyNot = "no machine directory given";
    return false;
  }
  if (!PrepareDirectory(dir, whyNot) || !CanonicalDirectory(dir, &root, whyNot)) return false;
  g_root = root;
  LoadEnvironment(root + "/environment");
  if (!LoadRegistry(root + "/registry.reg", whyNot)) return false;
  char cwd[PATH_MAX];
  if (getcwd(cwd, sizeof cwd)) SetCurrentDirectoryA(HostToWin(cwd).c_str());
  return true;
}

const std::string& MachineRoot() { return g_root; }

}  // namespace posix
