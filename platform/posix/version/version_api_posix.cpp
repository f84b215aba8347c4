// GetFileVersionInfoSizeA, GetFileVersionInfoA and VerQueryValueA.
//
// As on Windows the block handed out holds the resource followed by spare
// room: a 32-bit block is followed by "FE2X" and then space where
// VerQueryValueA puts ANSI copies of the (UTF-16) strings it is asked for.
#include <strings.h>

#include <cstring>
#include <string>

#include "platform/posix/files/files_posix.h"
#include "platform/posix/kernel/kernel_posix.h"
#include "platform/posix/machine/machine_posix.h"
#include "platform/posix/paths/paths_posix.h"
#include "platform/posix/version/version_posix.h"

namespace posix {
namespace {

const char kSpareMarker[4] = {'F', 'E', '2', 'X'};

bool HostFileExists(const std::string& winPath, std::string* hostPath) {
  return WinToHost(winPath.c_str(), hostPath) && HostAttributes(*hostPath) != INVALID_FILE_ATTRIBUTES;
}

// A bare file name is looked for as Windows loads a module for its
// resources: in the current directory, then the system and Windows folders.
std::string HostPathOf(const char* fileName) {
  std::string host;
  std::string full = FullWinPath(fileName);
  if (std::strpbrk(fileName, "\\/:") || HostFileExists(full, &host)) {
    WinToHost(full.c_str(), &host);
    return host;
  }
  char dir[MAX_PATH];
  std::string candidate;
  if (GetSystemDirectoryA(dir, MAX_PATH) && HostFileExists(std::string(dir) + "\\" + fileName, &candidate))
    return candidate;
  if (HostFileExists(WindowsDirectory() + "\\" + fileName, &candidate)) return candidate;
  WinToHost(full.c_str(), &host);
  return host;
}

bool IsOwnProgram(const char* fileName) {
  const std::string& own = ProgramWinPath();
  if (own.empty()) return false;
  // The program's own path is made full once, not for every file asked about.
  static std::string ownSeen;
  static std::string ownFull;
  if (ownSeen != own) ownSeen = own, ownFull = FullWinPath(own.c_str());
  return strcasecmp(FullWinPath(fileName).c_str(), ownFull.c_str()) == 0;
}

// The version resource of a file named by the caller, or the Win32 error.
DWORD LoadVersionResource(const char* fileName, VersionResource* resource) {
  if (!fileName) return ERROR_INVALID_PARAMETER;
  if (!*fileName) return ERROR_PATH_NOT_FOUND;  // as opening the empty name answers
  if (IsOwnProgram(fileName)) {
    resource->bytes = OwnVersionResource();
    resource->sixteenBit = false;
    return ERROR_SUCCESS;
  }
  return ReadVersionResource(HostPathOf(fileName), resource);
}

}  // namespace
}  // namespace posix

extern "C" {

DWORD GetFileVersionInfoSizeA(LPCSTR fileName, LPDWORD handle) {
  if (handle) *handle = 0;
  posix::VersionResource resource;
  // The size is refused an empty name before any file is looked for; the
  // block itself is not (GetFileVersionInfoA fails as the open does).
  DWORD error = fileName && !*fileName ? ERROR_BAD_PATHNAME : posix::LoadVersionResource(fileName, &resource);
  if (error != ERROR_SUCCESS) {
    SetLastError(error);
    return 0;
  }
  SetLastError(ERROR_SUCCESS);
  return posix::VersionInfoBufferSize(resource);
}

BOOL GetFileVersionInfoA(LPCSTR fileName, DWORD handle, DWORD size, LPVOID data) {
  if (!data) {
    SetLastError(ERROR_INVALID_DATA);
    return FALSE;
  }
  posix::VersionResource resource;
  DWORD error = posix::LoadVersionResource(fileName, &resource);
  if (error != ERROR_SUCCESS) {
    SetLastError(error);
    return FALSE;
  }
  size_t copied = size < resource.bytes.size() ? size : resource.bytes.size();
  std::memcpy(data, resource.bytes.data(), copied);
  uint16_t length = posix::LoadU16(reinterpret_cast<const uint8_t*>(resource.bytes.data()));
  if (!resource.sixteenBit && size >= length + sizeof posix::kSpareMarker)
    std::memcpy(static_cast<char*>(data) + length, posix::kSpareMarker, sizeof posix::kSpareMarker);
  return TRUE;
}

BOOL VerQueryValueA(LPCVOID block, LPCSTR subBlock, LPVOID* buffer, PUINT length) {
  if (!block || !buffer) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const auto* base = static_cast<const uint8_t*>(block);
  posix::VersionValue value;
  if (!posix::FindVersionValue(base, subBlock, &value)) {
    if (length) *length = 0;
    SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return FALSE;
  }
  if (!value.text) {
    *buffer = const_cast<uint8_t*>(base + value.offset);
    if (length) *length = value.length;
    return TRUE;
  }
  // The ANSI copy goes to the same place in the spare half that the
  // string has in the block itself, which always leaves it room.
  size_t blockLength = posix::LoadU16(base);
  size_t offset = value.offset < blockLength ? value.offset : blockLength;
  char* copy = reinterpret_cast<char*>(const_cast<uint8_t*>(base)) + blockLength + 4 + offset;
  size_t room = blockLength - offset;
  std::string ansi = posix::AnsiFromUtf16(
      std::string(reinterpret_cast<const char*>(base) + value.offset, value.length * 2u));
  size_t written = ansi.size() < room ? ansi.size() : room;
  std::memcpy(copy, ansi.data(), written);
  // A string stored without its NUL still comes back terminated.
  if (written < room && (written == 0 || copy[written - 1] != '\0')) copy[written] = '\0';
  *buffer = copy;
  if (length) *length = static_cast<UINT>(written);
  return TRUE;
}

}  // extern "C"
