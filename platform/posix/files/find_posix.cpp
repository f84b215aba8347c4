// FindFirstFileA / FindNextFileA / FindClose. The entries of the folder are
// taken when the search starts, in Wine's order ("." and ".." first, then by
// upper-cased name), and matched against the DOS mask by their long name or
// their short alias. "." and ".." are part of every folder but a drive's root.
// An entry that vanished before its turn is passed over; attributes, sizes
// and times are read when the entry is returned. A folder that went away
// during the search (its medium taken out) or an entry that cannot be read
// ends the search with an error, never with ERROR_NO_MORE_FILES: a caller
// must not take the rest of the folder for absent.
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "platform/posix/files/files_posix.h"
#include "platform/posix/kernel/kernel_posix.h"
#include "platform/posix/paths/paths_posix.h"

namespace posix {
namespace {

class FindObject : public HandleObject {
 public:
  std::string hostDir;
  std::vector<std::string> hostNames;  // as on the host ("." and ".." as such)
  std::vector<std::string> names;      // the same in the ANSI code page
  std::vector<std::string> aliases;
  size_t next = 0;
};

void CopyName(const std::string& name, char* out, size_t capacity) {
  size_t length = name.size() < capacity - 1 ? name.size() : capacity - 1;
  std::memcpy(out, name.data(), length);
  out[length] = '\0';
}

bool IsHostDirectory(const std::string& hostDir) {
  struct stat st;
  return stat(hostDir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Why an entry could not be read: ERROR_FILE_NOT_FOUND for one that vanished
// from a folder still there; Windows tells a removed medium by "not ready".
DWORD EntryError(const FindObject& search, int err) {
  if (err != ENOENT && err != ENOTDIR) return Win32ErrorFromErrno(err);
  return IsHostDirectory(search.hostDir) ? ERROR_FILE_NOT_FOUND : ERROR_NOT_READY;
}

DWORD FillFindData(const FindObject& search, size_t i, WIN32_FIND_DATAA* data) {
  const std::string& hostName = search.hostNames[i];
  std::string host = hostName == "." ? search.hostDir
                     : hostName == ".." ? HostParent(search.hostDir)
                                        : (search.hostDir == "/" ? "" : search.hostDir) + "/" + hostName;
  struct stat st = {};
  EntryTimes times;
  uint64_t size;
  if (!EntryOfPath(host, &times, &st.st_mode, &size)) return EntryError(search, errno);
  std::memset(data, 0, sizeof *data);
  data->dwFileAttributes = AttributesFromStat(host, st);
  data->ftCreationTime = times.creation;
  data->ftLastAccessTime = times.lastAccess;
  data->ftLastWriteTime = times.lastWrite;
  if (S_ISDIR(st.st_mode)) size = 0;
  data->nFileSizeHigh = static_cast<DWORD>(size >> 32);
  data->nFileSizeLow = static_cast<DWORD>(size);
  CopyName(search.names[i], data->cFileName, sizeof data->cFileName);
  CopyName(search.aliases[i], data->cAlternateFileName, sizeof data->cAlternateFileName);
  return ERROR_SUCCESS;
}

// ERROR_SUCCESS with the next entry in data, ERROR_NO_MORE_FILES after the
// last one, or why the search cannot go on.
DWORD NextEntry(FindObject* search, WIN32_FIND_DATAA* data) {
  while (search->next < search->names.size()) {
    DWORD error = FillFindData(*search, search->next++, data);
    if (error != ERROR_FILE_NOT_FOUND) return error;
  }
  return ERROR_NO_MORE_FILES;
}

// Splits "dir\mask" into the folder to search and the mask.
void SplitPattern(const std::string& pattern, std::string* folder, std::string* mask) {
  size_t slash = pattern.find_last_of('\\');
  size_t start = slash != std::string::npos ? slash + 1 : (pattern.size() >= 2 && pattern[1] == ':') ? 2 : 0;
  *mask = pattern.substr(start);
  *folder = pattern.substr(0, start);
  if (folder->empty()) *folder = ".";
  else if (folder->size() == 2 && (*folder)[1] == ':') *folder += ".";
}

DWORD CollectMatches(const std::string& fullDir, const std::string& hostDir, const std::string& mask,
                     FindObject* search) {
  std::vector<std::string> hostNames;
  if (!ListHostDirectory(hostDir, &hostNames)) return ERROR_PATH_NOT_FOUND;
  std::vector<std::string> names;
  for (const std::string& hostName : hostNames) names.push_back(AnsiFromHostName(hostName));
  std::vector<std::string> aliases = ShortAliases(names);
  if (!IsDriveRootPath(fullDir)) {
    hostNames.insert(hostNames.begin(), {".", ".."});
    names.insert(names.begin(), {".", ".."});
    aliases.insert(aliases.begin(), {"", ""});
  }
  for (size_t i = 0; i < names.size(); ++i) {
    if (!MatchDosMask(mask, names[i]) && (aliases[i].empty() || !MatchDosMask(mask, aliases[i]))) continue;
    search->hostNames.push_back(hostNames[i]);
    search->names.push_back(names[i]);
    search->aliases.push_back(aliases[i]);
  }
  return search->names.empty() ? ERROR_FILE_NOT_FOUND : ERROR_SUCCESS;
}

HANDLE FailFind(DWORD error) {
  SetLastError(error);
  return INVALID_HANDLE_VALUE;
}

}  // namespace
}  // namespace posix

extern "C" HANDLE FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA findData) {
  if (!pattern || !*pattern) return posix::FailFind(ERROR_PATH_NOT_FOUND);
  if (std::strlen(pattern) >= MAX_PATH) return posix::FailFind(206 /* ERROR_FILENAME_EXCED_RANGE */);
  std::string text = pattern;
  for (char& c : text)
    if (c == '/') c = '\\';
  if (text.back() == '\\') return posix::FailFind(ERROR_FILE_NOT_FOUND);
  std::string folder, mask;
  posix::SplitPattern(text, &folder, &mask);
  if (std::strpbrk(mask.c_str(), "<>|\":")) return posix::FailFind(ERROR_INVALID_NAME);
  std::string fullDir = posix::FullWinPath(folder.c_str());
  std::string hostDir;
  struct stat st;
  if (posix::HasInvalidNameChars(fullDir) || !posix::WinToHost(fullDir.c_str(), &hostDir) ||
      stat(hostDir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
    return posix::FailFind(ERROR_PATH_NOT_FOUND);
  posix::FindObject* search = new posix::FindObject;
  search->hostDir = hostDir;
  DWORD error = posix::CollectMatches(fullDir, hostDir, mask, search);
  if (error == ERROR_SUCCESS) error = posix::NextEntry(search, findData);
  if (error == ERROR_NO_MORE_FILES) error = ERROR_FILE_NOT_FOUND;
  if (error != ERROR_SUCCESS) {
    delete search;
    return posix::FailFind(error);
  }
  return posix::NewHandle(search);
}

extern "C" BOOL FindNextFileA(HANDLE find, LPWIN32_FIND_DATAA findData) {
  posix::FindObject* search = posix::HandleAs<posix::FindObject>(find);
  if (!search) return posix::FailWith(ERROR_INVALID_HANDLE);
  posix::TakeMediumAwayWhenDue(search->hostDir);
  DWORD error = posix::NextEntry(search, findData);
  if (error != ERROR_SUCCESS) return posix::FailWith(error);
  return TRUE;
}

extern "C" BOOL FindClose(HANDLE find) {
  if (!posix::HandleAs<posix::FindObject>(find)) return posix::FailWith(ERROR_INVALID_HANDLE);
  posix::CloseHandleObject(find);
  return TRUE;
}
