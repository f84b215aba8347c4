// The target of a link: where it is and what the header records of it.
#include "platform/posix/links/links_posix.h"
#include "platform/posix/machine/machine_posix.h"
#include "platform/posix/paths/paths_posix.h"

#include <cctype>

namespace posix {
namespace {

// A stable serial number per drive of the machine (the emulation keeps no
// volume serial numbers).
DWORD VolumeSerial(char drive) {
  DWORD hash = 2166136261u;
  std::string key = MachineRoot() + ":" + static_cast<char>(std::toupper(drive));
  for (unsigned char c : key) hash = (hash ^ c) * 16777619u;
  return hash;
}

bool IsDrivePath(const std::string& path) {
  return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
         path[2] == '\\';
}

void TakeFileFacts(const std::string& path, LinkFileData* data) {
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA(path.c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return;
  FindClose(search);
  data->targetAttributes = entry.dwFileAttributes;
  data->creationTime = entry.ftCreationTime;
  data->accessTime = entry.ftLastAccessTime;
  data->writeTime = entry.ftLastWriteTime;
  data->targetSize = entry.nFileSizeLow;
}

}  // namespace

bool ResolveLinkTarget(const std::string& path, LinkFileData* data) {
  std::string full = FullWinPath(path.c_str());
  bool found = GetFileAttributesA(full.c_str()) != INVALID_FILE_ATTRIBUTES;
  if (!found) {
    char searched[MAX_PATH];
    DWORD length = SearchPathA(nullptr, path.c_str(), nullptr, MAX_PATH, searched, nullptr);
    if (length > 0 && length < MAX_PATH) {
      full = searched;
      found = true;
    }
  }
  data->targetPath = full;
  data->volume.reset();
  if (IsDrivePath(full)) {
    LinkVolume volume;
    volume.serialNumber = VolumeSerial(full[0]);
    data->volume = volume;
  }
  data->targetAttributes = 0;
  data->creationTime = data->accessTime = data->writeTime = FILETIME{0, 0};
  data->targetSize = 0;
  if (found) TakeFileFacts(full, data);
  return found;
}

}  // namespace posix
