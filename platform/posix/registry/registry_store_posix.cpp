// The registry of the open machine: loaded from its registry.reg, written
// back after every change so that a crash or a full disk never leaves a
// half-written file (a new file beside it, flushed, then renamed over it).
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/posix/registry/registry_posix.h"

namespace posix {
namespace {

Registry g_registry;
std::string g_file;  // "" while no machine is open: changes stay in memory
bool g_machineKeysReadOnly = false;

// The new file of a write is the registry file's name and this suffix, its
// X's made unique by mkstemp.
const char kTempSuffix[] = ".XXXXXX";

std::string DirectoryOf(const std::string& file) {
  size_t slash = file.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : file.substr(0, slash);
}

std::string NameOf(const std::string& file) {
  size_t slash = file.rfind('/');
  return slash == std::string::npos ? file : file.substr(slash + 1);
}

// True for "<registry name>." and six letters or digits: what mkstemp makes
// of the suffix.
bool IsTempOf(const std::string& registryName, const char* entry) {
  size_t prefix = registryName.size();
  size_t suffix = sizeof kTempSuffix - 1;
  if (std::strlen(entry) != prefix + suffix || registryName.compare(0, prefix, entry, prefix) != 0)
    return false;
  if (entry[prefix] != '.') return false;
  for (size_t i = prefix + 1; i < prefix + suffix; ++i)
    if (!std::isalnum(static_cast<unsigned char>(entry[i]))) return false;
  return true;
}

// A writer killed between creating its new file and renaming it leaves the
// file behind; nothing else ever takes it, so the next load removes it.
void RemoveLeftoverTemporaries(const std::string& registryFile) {
  std::string dir = DirectoryOf(registryFile);
  std::string name = NameOf(registryFile);
  DIR* listing = opendir(dir.c_str());
  if (!listing) return;
  while (dirent* entry = readdir(listing))
    if (IsTempOf(name, entry->d_name)) unlink((dir + "/" + entry->d_name).c_str());
  closedir(listing);
}

bool ReadWholeFile(const std::string& file, std::string* text, int* err) {
  int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    *err = errno;
    return false;
  }
  text->clear();
  char buf[65536];
  for (;;) {
    ssize_t n = read(fd, buf, sizeof(buf));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      *err = errno;
      close(fd);
      return false;
    }
    if (n == 0) break;
    text->append(buf, static_cast<size_t>(n));
  }
  close(fd);
  return true;
}

bool WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

LONG ErrorForWriteFailure(int err) {
  return (err == ENOSPC || err == EDQUOT) ? ERROR_DISK_FULL : ERROR_CANTWRITE;
}

// Writes text to a new file beside file and renames it over file. On failure
// the new file is removed and file is untouched.
LONG ReplaceFileAtomically(const std::string& file, const std::string& text) {
  std::string temp = file + kTempSuffix;
  std::vector<char> name(temp.begin(), temp.end());
  name.push_back('\0');
  int fd = mkstemp(name.data());
  if (fd < 0) return ErrorForWriteFailure(errno);
  bool ok = fchmod(fd, 0644) == 0 && WriteAll(fd, text) && fsync(fd) == 0;
  int err = errno;
  if (close(fd) != 0 && ok) {
    ok = false;
    err = errno;
  }
  if (ok && rename(name.data(), file.c_str()) != 0) {
    ok = false;
    err = errno;
  }
  if (!ok) {
    unlink(name.data());
    return ErrorForWriteFailure(err);
  }
  // The rename itself reaches the disk with the directory.
  int dir = open(DirectoryOf(file).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    fsync(dir);
    close(dir);
  }
  return ERROR_SUCCESS;
}

unsigned g_changeCount = 0;

}  // namespace

bool LoadRegistry(const std::string& registryFile, std::string* whyNot) {
  ++g_changeCount;
  Registry fresh;
  std::string text;
  int err = 0;
  // Whatever happens, the previous machine's registry and handles are gone;
  // a file that cannot be read is never written over (changes stay in memory).
  ForgetKeyHandles();
  g_registry = Registry();
  g_file.clear();
  RemoveLeftoverTemporaries(registryFile);
  if (!ReadWholeFile(registryFile, &text, &err) && err != ENOENT) {
    if (whyNot) *whyNot = registryFile + ": cannot read the registry file";
    return false;
  }
  // A missing or empty file is an empty registry, as a new machine has.
  if (!text.empty() && !ParseRegFile(text, &fresh, whyNot)) {
    if (whyNot) *whyNot = registryFile + ": " + *whyNot;
    return false;
  }
  g_registry = std::move(fresh);
  g_file = registryFile;
  g_machineKeysReadOnly = access((DirectoryOf(registryFile) + "/non-admin").c_str(), F_OK) == 0;
  return true;
}

Registry& TheRegistry() { return g_registry; }

bool MachineKeysReadOnly() { return g_machineKeysReadOnly; }

unsigned RegistryChangeCount() { return g_changeCount; }

LONG SaveRegistry() {
  ++g_changeCount;
  if (g_file.empty()) return ERROR_SUCCESS;
  return ReplaceFileAtomically(g_file, WriteRegFile(g_registry));
}

}  // namespace posix
