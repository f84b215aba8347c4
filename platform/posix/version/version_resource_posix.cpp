// Reading a file's version resource, checked so that everything later done
// with the block stays inside the bytes read here.
#include <cerrno>

#include "platform/posix/files/files_posix.h"
#include "platform/posix/kernel/kernel_posix.h"
#include "platform/posix/paths/paths_posix.h"
#include "platform/posix/version/version_posix.h"

namespace posix {
namespace {

// A version block's length is a 16-bit field; a resource claiming much more
// than that is damaged. The slack covers NE length rounding.
const uint32_t kMaxResourceSize = 0x20000;
const uint32_t kFixedFileInfoSize = 52;
const uint16_t kNodeHeader32 = 6;
const uint16_t kNodeHeader16 = 4;

DWORD LocateResource(const BoundedFile& file, ResourceSpan* span, bool* sixteenBit) {
  uint32_t newHeader = 0;
  switch (IdentifyExecutable(file, &newHeader)) {
    case ExeFormat::Pe: {
      PeImage image;
      if (!ReadPeImage(file, newHeader, &image)) return ERROR_RESOURCE_DATA_NOT_FOUND;
      *sixteenBit = false;
      return FindPeVersionResource(file, image, span);
    }
    case ExeFormat::Ne:
      *sixteenBit = true;
      return FindNeVersionResource(file, newHeader, span);
    default:
      return ERROR_RESOURCE_DATA_NOT_FOUND;
  }
}

// The root node must lie inside the resource and be of the kind the file
// format promises: the buffer size reported to the caller depends on it.
bool RootFits(const VersionResource& r) {
  const std::string& b = r.bytes;
  uint16_t header = r.sixteenBit ? kNodeHeader16 : kNodeHeader32;
  if (b.size() < header + 2u) return false;
  const auto* p = reinterpret_cast<const uint8_t*>(b.data());
  uint16_t length = LoadU16(p);
  if (length < header + 2u || length > b.size()) return false;
  if (r.sixteenBit && b.size() <= kFixedFileInfoSize) return false;
  return IsSixteenBitBlock(p) == r.sixteenBit;
}

}  // namespace

DWORD ReadVersionResource(const std::string& hostPath, VersionResource* resource) {
  BoundedFile file;
  int err = 0;
  if (!file.Open(hostPath, &err)) {
    if (err == ENOENT) return MissingPathError(hostPath);  // 3 when a folder on the way is missing
    return err == EISDIR ? ERROR_ACCESS_DENIED : Win32ErrorFromErrno(err);
  }
  ResourceSpan span;
  DWORD error = LocateResource(file, &span, &resource->sixteenBit);
  if (error != ERROR_SUCCESS) return error;
  if (span.size > kMaxResourceSize) return ERROR_RESOURCE_DATA_NOT_FOUND;
  resource->bytes.assign(span.size, '\0');
  if (!file.ReadAt(span.offset, &resource->bytes[0], span.size)) return ERROR_RESOURCE_DATA_NOT_FOUND;
  return RootFits(*resource) ? ERROR_SUCCESS : ERROR_RESOURCE_DATA_NOT_FOUND;
}

DWORD VersionInfoBufferSize(const VersionResource& resource) {
  DWORD size = static_cast<DWORD>(resource.bytes.size());
  // Windows leaves a 32-bit block room for ANSI copies of its strings (and a
  // 4-byte marker); a 16-bit block room for Unicode copies.
  return resource.sixteenBit ? (size - kFixedFileInfoSize) * 4 : size * 2 + 4;
}

}  // namespace posix
