// Finding an entry of a host directory without regard to case, and listing
// a directory in the order a Windows directory search gives.
//
// A path whose last name does not exist as spelt needs the directory read to
// learn whether it exists in another case. An installer creates thousands of
// new files in one folder, so the names of a folder are kept, upper-cased,
// until the folder's modification time changes; this process's own
// additions update the kept names instead of forcing a new read.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/posix/paths/paths_posix.h"

namespace posix {
namespace {

struct FolderNames {
  struct timespec mtime;
  ino_t inode;
  // A listing read in the same clock tick as the folder's last change may
  // miss an entry added later in that tick: trusted only for names found.
  bool trusted;
  // Our own last change, not yet seen in a stat of the folder: the first
  // modification time that is not after `ownChangeNoted` is that change.
  bool ownChangeUnseen = false;
  struct timespec ownChangeNoted;
  // Lookups in a row that found no such name: a folder that an installer
  // fills with new files answers its next lookup from the kept names.
  int missesInRow = 0;
  std::unordered_map<std::string, std::string> byUpperName;
};

constexpr size_t kMaxFolders = 512;
constexpr long kRacyNanoseconds = 50 * 1000 * 1000;

using FolderMap = std::map<std::string, FolderNames, std::less<>>;

FolderMap& Folders() {
  static FolderMap folders;
  return folders;
}

bool SameTime(const struct timespec& a, const struct timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

bool NotAfter(const struct timespec& a, const struct timespec& b) {
  return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec <= b.tv_nsec);
}

// The folder's new time is that of our own change, which updated the kept
// names already. Changes of other processes in the same clock tick are the
// gap here, as for a listing read.
bool AdoptOwnChange(FolderNames& folder, const struct stat& st) {
  if (!folder.ownChangeUnseen || folder.inode != st.st_ino || !NotAfter(st.st_mtim, folder.ownChangeNoted))
    return false;
  folder.mtime = st.st_mtim;
  folder.ownChangeUnseen = false;
  return true;
}

constexpr int kMissesBeforeNamesFirst = 2;

void NoteMiss(FolderNames& folder) {
  if (folder.missesInRow < kMissesBeforeNamesFirst) ++folder.missesInRow;
}

bool OlderThanRacyWindow(const struct timespec& mtime) {
  struct timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  int64_t age = (static_cast<int64_t>(now.tv_sec) - mtime.tv_sec) * 1000000000LL +
                (now.tv_nsec - mtime.tv_nsec);
  return age > kRacyNanoseconds;
}

// The folder whose status was asked for twice in a row by its path is held
// open: its status then comes from the open folder, without walking its path
// each time (a stat of the path was an eighth of an installation's time).
// The status of the open folder shows every change made in it, as its path
// would; that the path still leads to it (another process could move the
// folder away and put another in its place) is checked by the path again
// after kPathTrustNanoseconds, which bounds that gap.
constexpr int64_t kPathTrustNanoseconds = 2 * 1000 * 1000;

struct HeldFolder {
  std::string path;  // the folder whose status was asked for last
  int fd = -1;       // that folder held open, or -1
  dev_t device = 0;
  ino_t inode = 0;
  struct timespec pathChecked = {0, 0};
};

int64_t NanosecondsSince(const struct timespec& then) {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return (static_cast<int64_t>(now.tv_sec) - then.tv_sec) * 1000000000LL + (now.tv_nsec - then.tv_nsec);
}

void LetGo(HeldFolder& held) {
  if (held.fd >= 0) close(held.fd);
  held.fd = -1;
}

// After a stat of its path found the folder `st`: holds it open, unless it
// is held already.
void Hold(HeldFolder& held, const std::string& hostDir, const struct stat& st) {
  if (held.fd >= 0 && held.device == st.st_dev && held.inode == st.st_ino) return;
  LetGo(held);
  int fd = open(hostDir.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  struct stat opened;
  // Only the folder that was statted is held: one that took its place in between is not.
  if (fd >= 0 && (fstat(fd, &opened) != 0 || opened.st_dev != st.st_dev || opened.st_ino != st.st_ino)) {
    close(fd);
    fd = -1;
  }
  held.fd = fd;
  held.device = st.st_dev;
  held.inode = st.st_ino;
}

// The status of a folder, false when hostDir is no folder.
bool StatFolder(const std::string& hostDir, struct stat* st) {
  static HeldFolder held;
  bool again = held.path == hostDir;
  // A folder removed while held has no links left: its path says what is there now.
  if (again && held.fd >= 0 && NanosecondsSince(held.pathChecked) < kPathTrustNanoseconds &&
      fstat(held.fd, st) == 0 && st->st_nlink > 0)
    return true;
  if (stat(hostDir.c_str(), st) != 0 || !S_ISDIR(st->st_mode)) {
    LetGo(held);
    held.path.clear();
    return false;
  }
  if (again) {
    Hold(held, hostDir, *st);
  } else {
    LetGo(held);
    held.path = hostDir;
  }
  clock_gettime(CLOCK_MONOTONIC, &held.pathChecked);
  return true;
}

bool ReadFolder(const std::string& hostDir, const struct stat& st, FolderNames* folder) {
  DIR* dir = opendir(hostDir.c_str());
  if (!dir) return false;
  folder->mtime = st.st_mtim;
  folder->inode = st.st_ino;
  folder->trusted = OlderThanRacyWindow(st.st_mtim);
  folder->ownChangeUnseen = false;
  folder->byUpperName.clear();
  while (struct dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    auto inserted = folder->byUpperName.emplace(UpperName(name), name);
    // Several spellings of one name can exist on the host: keep the first in listing order.
    if (!inserted.second && ListingOrderLess(name, inserted.first->second))
      inserted.first->second = name;
  }
  closedir(dir);
  return true;
}

FolderNames* CurrentFolder(const std::string& hostDir, bool forNegativeAnswer) {
  struct stat st;
  if (!StatFolder(hostDir, &st)) return nullptr;
  auto& folders = Folders();
  auto it = folders.find(hostDir);
  bool fresh = it != folders.end() &&
               ((SameTime(it->second.mtime, st.st_mtim) && it->second.inode == st.st_ino) ||
                AdoptOwnChange(it->second, st)) &&
               (it->second.trusted || !forNegativeAnswer);
  if (fresh) return &it->second;
  if (it == folders.end()) {
    if (folders.size() >= kMaxFolders) folders.clear();
    it = folders.emplace(hostDir, FolderNames()).first;
  }
  if (!ReadFolder(hostDir, st, &it->second)) {
    folders.erase(it);
    return nullptr;
  }
  return &it->second;
}

}  // namespace

std::string UpperName(const std::string& name) {
  std::string upper = name;
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper;
}

bool ListingOrderLess(const std::string& a, const std::string& b) {
  int folded = UpperName(a).compare(UpperName(b));
  if (folded != 0) return folded < 0;
  return a < b;
}

// The form of the aliases that ShortAliases makes: a stem, "~", digits, and
// an optional extension. Other names with a "~" (temporaries such as
// ~STP0000.TMP) need not cost a listing of their folder.
bool HasAliasForm(const std::string& name) {
  size_t tilde = name.find_last_of('~');
  if (tilde == std::string::npos) return false;
  size_t end = name.find('.', tilde);
  if (end == std::string::npos) end = name.size();
  if (end == tilde + 1) return false;
  for (size_t i = tilde + 1; i < end; ++i)
    if (name[i] < '0' || name[i] > '9') return false;
  return true;
}

// A component written in its 8.3 form (PROGRA~1) names the entry whose short
// alias it is, as on Windows.
bool FindByShortAlias(const std::string& hostDir, const std::string& name, std::string* actual) {
  if (!HasAliasForm(name)) return false;
  std::vector<std::string> names;
  if (!ListHostDirectory(hostDir, &names)) return false;
  std::vector<std::string> aliases = ShortAliases(names);
  std::string wanted = UpperName(name);
  for (size_t i = 0; i < names.size(); ++i)
    if (!aliases[i].empty() && aliases[i] == wanted) return *actual = names[i], true;
  return false;
}

NameLookup LookUpNameInOtherCase(const std::string& hostDir, const std::string& name, std::string* actual) {
  FolderNames* folder = CurrentFolder(hostDir, false);
  if (!folder) return NameLookup::NoFolder;
  auto it = folder->byUpperName.find(UpperName(name));
  if (it == folder->byUpperName.end() && !folder->trusted) {
    folder = CurrentFolder(hostDir, true);
    if (!folder) return NameLookup::NoFolder;
    it = folder->byUpperName.find(UpperName(name));
  }
  if (it != folder->byUpperName.end()) {
    folder->missesInRow = 0;
    *actual = it->second;
    return NameLookup::Found;
  }
  if (FindByShortAlias(hostDir, name, actual)) return NameLookup::Found;
  NoteMiss(*folder);
  return NameLookup::Missing;
}

namespace {
// The kept names of the folder that hostPath is in, or Folders().end().
FolderMap::iterator KeptFolderOf(const std::string& hostPath) {
  if (Folders().empty() || hostPath.find_last_of('/') == std::string::npos) return Folders().end();
  return Folders().find(HostParentView(hostPath));
}
}  // namespace

bool MissingFromBusyFolder(const std::string& hostPath) {
  auto kept = KeptFolderOf(hostPath);
  if (kept == Folders().end() || kept->second.missesInRow < kMissesBeforeNamesFirst) return false;
  std::string name = HostLeaf(hostPath);
  if (HasAliasForm(name)) return false;
  std::string hostDir = kept->first;
  FolderNames* folder = CurrentFolder(hostDir, true);
  if (!folder) return false;
  if (folder->byUpperName.count(UpperName(name))) {
    folder->missesInRow = 0;
    return false;
  }
  NoteMiss(*folder);
  return true;
}

void NoteFoundAsSpelt(const std::string& hostPath) {
  auto kept = KeptFolderOf(hostPath);
  if (kept != Folders().end()) kept->second.missesInRow = 0;
}

bool FindEntryNoCase(const std::string& hostDir, const std::string& name, std::string* actual) {
  std::string prefix = hostDir == "/" ? "" : hostDir;
  struct stat st;
  if (lstat((prefix + "/" + name).c_str(), &st) == 0) {
    *actual = name;
    return true;
  }
  return LookUpNameInOtherCase(hostDir, name, actual) == NameLookup::Found;
}

namespace {
// The folder changed by our own hand: the kept names with this change are
// its listing (a change by another process in this very tick is the one
// gap). The folder's new time is learnt at its next look, which saves a
// stat per change. `removed` and `added` are names, either may be empty.
void NoteOwnChange(const std::string& hostDir, const std::string& removed, const std::string& added) {
  auto& folders = Folders();
  auto it = folders.find(hostDir);
  if (it == folders.end()) return;
  clock_gettime(CLOCK_REALTIME, &it->second.ownChangeNoted);
  it->second.ownChangeUnseen = true;
  it->second.trusted = true;
  auto& names = it->second.byUpperName;
  if (!removed.empty()) {
    auto entry = names.find(UpperName(removed));
    if (entry != names.end() && entry->second == removed) names.erase(entry);
  }
  if (!added.empty()) names.emplace(UpperName(added), added);
}
}  // namespace

void NoteEntryAdded(const std::string& hostDir, const std::string& name) { NoteOwnChange(hostDir, "", name); }

void NoteEntryRemoved(const std::string& hostDir, const std::string& name) { NoteOwnChange(hostDir, name, ""); }

void NoteEntryRenamed(const std::string& hostDir, const std::string& from, const std::string& to) {
  NoteOwnChange(hostDir, from, to);
}

bool ListHostDirectory(const std::string& hostDir, std::vector<std::string>* names) {
  DIR* dir = opendir(hostDir.c_str());
  if (!dir) return false;
  // Sorted by (upper-cased name, name), the folded key made once per entry.
  std::vector<std::pair<std::string, std::string>> keyed;
  while (struct dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name != "." && name != "..") keyed.emplace_back(UpperName(name), name);
  }
  closedir(dir);
  std::sort(keyed.begin(), keyed.end());
  names->clear();
  names->reserve(keyed.size());
  for (auto& entry : keyed) names->push_back(std::move(entry.second));
  return true;
}

}  // namespace posix
