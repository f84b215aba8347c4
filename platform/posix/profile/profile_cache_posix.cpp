// Parsed profile files kept between calls. A control file with thousands of
// keys is read key by key; parsing it again for every key would make the
// walk quadratic. A file is parsed again only when its host identity (inode,
// size, modification and change time to the nanosecond) differs from the
// one it had when it was parsed, so changes by other programs are seen.
// File times advance only once per clock tick of the kernel, so a file that
// changed shortly before it was read could change again without a new stamp:
// such a "racy" entry is confirmed by reading the bytes again (as git does
// with its index) until the file has been quiet for a while.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <mutex>

#include "platform/posix/kernel/kernel_posix.h"
#include "platform/posix/profile/profile_posix.h"

namespace posix {
namespace {

struct CachedProfile {
  ProfileFileStamp stamp;
  std::shared_ptr<const ProfileModel> model;
  long long readAtNanoseconds = 0;  // host clock when the content was read
};

// Longer than the coarsest kernel clock tick that stamps file times.
const long long kRacyWindowNanoseconds = 20 * 1000 * 1000;

// The installer works on a handful of files; the limit only guards memory.
const size_t kMaxCachedFiles = 32;

std::mutex g_mutex;
std::unordered_map<std::string, CachedProfile> g_cache;

ProfileFileStamp StampOf(const struct stat& st) {
  ProfileFileStamp stamp;
  stamp.device = st.st_dev;
  stamp.inode = st.st_ino;
  stamp.size = st.st_size;
  stamp.mtimeSeconds = st.st_mtim.tv_sec;
  stamp.mtimeNanoseconds = st.st_mtim.tv_nsec;
  stamp.ctimeSeconds = st.st_ctim.tv_sec;
  stamp.ctimeNanoseconds = st.st_ctim.tv_nsec;
  return stamp;
}

int ReadAll(int fd, std::string* text) {
  text->clear();
  char chunk[65536];
  for (;;) {
    ssize_t n = read(fd, chunk, sizeof chunk);
    if (n == 0) return 0;
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    text->append(chunk, static_cast<size_t>(n));
  }
}

// Reads the file and the stamp that belongs to that content: when the file
// changes while it is being read, it is read again.
int ReadWithStamp(const std::string& path, std::string* text, ProfileFileStamp* stamp) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno;
  int err = 0;
  for (int attempt = 0; attempt < 3; ++attempt) {
    struct stat before, after;
    if (fstat(fd, &before) != 0 || lseek(fd, 0, SEEK_SET) < 0) {
      err = errno;
      break;
    }
    err = ReadAll(fd, text);
    if (err || fstat(fd, &after) != 0) {
      err = err ? err : errno;
      break;
    }
    *stamp = StampOf(after);
    if (StampOf(before) == *stamp) break;
  }
  close(fd);
  return err;
}

// Windows reports a missing file as 2, a missing folder on the way as 3.
unsigned MissingFileError(const std::string& path) {
  size_t slash = path.rfind('/');
  std::string parent = slash == std::string::npos ? "." : path.substr(0, slash ? slash : 1);
  struct stat st;
  return stat(parent.c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

long long NowNanoseconds() {
  struct timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  return now.tv_sec * 1000000000LL + now.tv_nsec;
}

// The file changed so close to the moment it was read that a later change
// within the same clock tick would leave the stamp as it is.
bool IsRacy(const CachedProfile& entry) {
  const ProfileFileStamp& s = entry.stamp;
  long long changed = std::max(s.mtimeSeconds * 1000000000LL + s.mtimeNanoseconds,
                               s.ctimeSeconds * 1000000000LL + s.ctimeNanoseconds);
  return changed + kRacyWindowNanoseconds >= entry.readAtNanoseconds;
}

void Store(const std::string& path, const ProfileFileStamp& stamp, std::shared_ptr<const ProfileModel> model,
           long long readAt) {
  if (g_cache.size() >= kMaxCachedFiles && !g_cache.count(path)) g_cache.clear();
  g_cache[path] = CachedProfile{stamp, std::move(model), readAt};
}

}  // namespace

bool ProfileFileStamp::operator==(const ProfileFileStamp& other) const {
  return device == other.device && inode == other.inode && size == other.size &&
         mtimeSeconds == other.mtimeSeconds && mtimeNanoseconds == other.mtimeNanoseconds &&
         ctimeSeconds == other.ctimeSeconds && ctimeNanoseconds == other.ctimeNanoseconds;
}

ProfileOpen LoadProfile(const std::string& hostPath, std::shared_ptr<const ProfileModel>* model,
                        unsigned* error) {
  std::lock_guard<std::mutex> lock(g_mutex);
  struct stat st;
  if (stat(hostPath.c_str(), &st) != 0) {
    g_cache.erase(hostPath);
    if (errno != ENOENT && errno != ENOTDIR) {
      *error = Win32ErrorFromErrno(errno);
      return ProfileOpen::kFailed;
    }
    *error = MissingFileError(hostPath);
    return ProfileOpen::kMissing;
  }
  if (S_ISDIR(st.st_mode)) {
    *error = ERROR_ACCESS_DENIED;
    return ProfileOpen::kFailed;
  }
  auto cached = g_cache.find(hostPath);
  bool stampMatches = cached != g_cache.end() && cached->second.stamp == StampOf(st);
  if (stampMatches && !IsRacy(cached->second)) {
    *model = cached->second.model;
    return ProfileOpen::kLoaded;
  }
  long long readAt = NowNanoseconds();
  std::string text;
  ProfileFileStamp stamp;
  int err = ReadWithStamp(hostPath, &text, &stamp);
  if (err) {
    g_cache.erase(hostPath);
    *error = err == ENOENT ? ERROR_FILE_NOT_FOUND : Win32ErrorFromErrno(err);
    return err == ENOENT ? ProfileOpen::kMissing : ProfileOpen::kFailed;
  }
  bool utf16 = DecodeProfileText(&text);
  if (stampMatches && text == cached->second.model->text && utf16 == cached->second.model->utf16) {
    // racy, but unchanged
    Store(hostPath, stamp, cached->second.model, readAt);
    *model = g_cache[hostPath].model;
    return ProfileOpen::kLoaded;
  }
  std::shared_ptr<ProfileModel> parsed = ParseProfile(std::move(text));
  parsed->utf16 = utf16;
  Store(hostPath, stamp, parsed, readAt);
  *model = std::move(parsed);
  return ProfileOpen::kLoaded;
}

void RememberProfile(const std::string& hostPath, std::shared_ptr<const ProfileModel> model) {
  std::lock_guard<std::mutex> lock(g_mutex);
  struct stat st;
  if (stat(hostPath.c_str(), &st) != 0) {
    g_cache.erase(hostPath);
    return;
  }
  // Taken as read before the write ended: the entry is racy until confirmed.
  Store(hostPath, StampOf(st), std::move(model), 0);
}

void ForgetAllProfiles() {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_cache.clear();
}

}  // namespace posix
