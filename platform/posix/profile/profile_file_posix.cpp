// A profile file: where it lives on the host, its encoding, and writing it
// without losing the old content when something fails half-way.
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include "platform/posix/kernel/kernel_posix.h"
#include "platform/posix/links/links_posix.h"
#include "platform/posix/paths/paths_posix.h"
#include "platform/posix/profile/profile_posix.h"

namespace posix {
namespace {

int WriteAll(int fd, const std::string& text, off_t offset) {
  size_t done = 0;
  while (done < text.size()) {
    ssize_t n = pwrite(fd, text.data() + done, text.size() - done, offset + static_cast<off_t>(done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    done += static_cast<size_t>(n);
  }
  return 0;
}

// Hidden/system attributes (user.DOSATTRIB) and whatever else the host keeps
// there must survive the file being replaced. Names the process may not set
// (security.* for an ordinary user) are skipped.
void CopyExtendedAttributes(const std::string& from, int toFd) {
  ssize_t listSize = listxattr(from.c_str(), nullptr, 0);
  if (listSize <= 0) return;
  std::string names(static_cast<size_t>(listSize), '\0');
  listSize = listxattr(from.c_str(), &names[0], names.size());
  if (listSize <= 0) return;
  names.resize(static_cast<size_t>(listSize));
  for (size_t pos = 0; pos < names.size(); pos = names.find('\0', pos) + 1) {
    const char* name = names.c_str() + pos;
    ssize_t valueSize = getxattr(from.c_str(), name, nullptr, 0);
    if (valueSize < 0) continue;
    std::string value(static_cast<size_t>(valueSize), '\0');
    valueSize = getxattr(from.c_str(), name, &value[0], value.size());
    if (valueSize >= 0) fsetxattr(toFd, name, value.data(), static_cast<size_t>(valueSize), 0);
  }
}

// Used when no new file can be made beside the old one (a directory that is
// not writable) or when the file has further hard links that must keep
// seeing the change: the new text goes over the old and the rest is cut off.
int WriteInPlace(const std::string& path, const std::string& text) {
  int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return errno;
  int err = WriteAll(fd, text, 0);
  if (!err && ftruncate(fd, static_cast<off_t>(text.size())) != 0) err = errno;
  if (!err && fsync(fd) != 0) err = errno;
  if (close(fd) != 0 && !err) err = errno;
  return err;
}

std::string ParentDirectory(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a symbolic link points to is the one to replace, not the link.
std::string ResolvedTarget(const std::string& hostPath) {
  char resolved[PATH_MAX];
  return realpath(hostPath.c_str(), resolved) ? std::string(resolved) : hostPath;
}

int WriteNewFileBeside(const std::string& target, const struct stat& old, const std::string& text,
                       bool* cannotCreate) {
  std::string temp = ParentDirectory(target) + "/.profile-XXXXXX";
  int fd = mkostemp(&temp[0], O_CLOEXEC);
  if (fd < 0) {
    *cannotCreate = true;
    return errno;
  }
  fchmod(fd, old.st_mode & 07777);
  if (fchown(fd, old.st_uid, old.st_gid) != 0) { /* keeping our own owner is fine */ }
  CopyExtendedAttributes(target, fd);
  int err = WriteAll(fd, text, 0);
  if (!err && fsync(fd) != 0) err = errno;
  if (close(fd) != 0 && !err) err = errno;
  if (!err && rename(temp.c_str(), target.c_str()) != 0) err = errno;
  if (err) unlink(temp.c_str());
  return err;
}

}  // namespace

bool ProfileHostPath(const char* fileName, std::string* hostPath) {
  std::string name = fileName ? fileName : "win.ini";
  if (name.empty()) {  // names the Windows directory itself
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  if (name.find_first_of("\\/") == std::string::npos) name = WindowsDirectory() + "\\" + name;
  std::string full = FullWinPath(name.c_str());
  // Windows refuses the name before it looks for the file; the host would
  // happily make a file "a|b.ini".
  if (HasInvalidNameChars(full) || full.find(':', 2) != std::string::npos) {
    SetLastError(ERROR_INVALID_NAME);
    return false;
  }
  if (full.size() >= MAX_PATH) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return false;
  }
  DWORD before = GetLastError();
  SetLastError(ERROR_PATH_NOT_FOUND);  // in case the drive lookup fails without saying why
  if (!WinToHost(full.c_str(), hostPath)) return false;
  SetLastError(before);
  return true;
}

int ReplaceProfileFile(const std::string& hostPath, const std::string& text) {
  std::string target = ResolvedTarget(hostPath);
  struct stat old;
  if (stat(target.c_str(), &old) != 0) return errno;
  if (old.st_nlink > 1) return WriteInPlace(target, text);
  bool cannotCreate = false;
  int err = WriteNewFileBeside(target, old, text, &cannotCreate);
  if (err && cannotCreate && (err == EACCES || err == EPERM)) return WriteInPlace(target, text);
  return err;
}

int CreateProfileFile(const std::string& hostPath, const std::string& text) {
  int fd = open(hostPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return errno;
  int err = WriteAll(fd, text, 0);
  if (close(fd) != 0 && !err) err = errno;
  if (err) unlink(hostPath.c_str());
  return err;
}

// The encodings of a profile file as Windows tells them apart: a file that
// begins with the UTF-16LE byte-order mark (FF FE) is a Unicode profile,
// read and written back in UTF-16LE, the A functions seeing it in the ANSI
// code page; every other file is ANSI text. A UTF-8 byte-order mark is not
// recognised: its three bytes are text of the first line, so a section
// header on that line is no header (its keys cannot be found) and one on a
// later line is unaffected. Sources: Tera Term's developer notes on the
// profile API of Windows 10 and 11 (doc/en/html/reference/dev/win32api.html
// in its source tree: "If the file has a UTF-16LE BOM (0xff 0xfe) at the
// beginning, the ini file is a Unicode file"), and Thomas Weller's answer
// to "How do WritePrivateProfileStringA() and Unicode go together?" on
// Stack Overflow, tested on Windows 10 21H1 (as copied at
// https://codepudding.com/Backend/239803.html): "Both methods will not
// recognize and respect a UTF-8 BOM. In fact, a UTF-8 BOM can break an
// existing file if the UTF-8 BOM and the first section are both in line 1
// ... If the first section is in line 2, the UTF-8 BOM will have no
// effect", and a byte-swapped mark is not taken for UTF-16BE. Wine differs
// here: it skips a UTF-8 mark and reads the file as UTF-8.
namespace {
const char kUtf16Mark[] = "\xFF\xFE";
}

bool DecodeProfileText(std::string* text) {
  if (text->compare(0, 2, kUtf16Mark) != 0) return false;
  *text = AnsiFromUtf16(text->substr(2));
  return true;
}

std::string EncodeProfileText(const std::string& ansi, bool utf16) {
  if (!utf16) return ansi;
  return std::string(kUtf16Mark) + Utf16FromAnsi(ansi);
}

}  // namespace posix
