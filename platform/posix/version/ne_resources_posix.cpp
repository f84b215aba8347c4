// The version resource of a 16-bit (NE) executable: resource type 0x8010,
// name 0x8001, found through the NE resource table.
#include "platform/posix/files/files_posix.h"
#include "platform/posix/version/version_posix.h"

namespace posix {
namespace {

const uint32_t kResourceTableField = 0x24;
const uint16_t kVersionType = 0x8010;
const uint16_t kVersionName = 0x8001;
const uint32_t kTypeInfoSize = 8;
const uint32_t kNameInfoSize = 12;
const uint16_t kMaxAlignShift = 15;
// Real files have a handful of resource types; a table that goes on and on
// is damaged, and this bounds the work it can cause.
const int kMaxTypes = 4096;

}  // namespace

DWORD FindNeVersionResource(const BoundedFile& file, uint32_t neHeader, ResourceSpan* span) {
  uint16_t tableOffset = 0, shift = 0;
  if (!file.ReadU16(static_cast<uint64_t>(neHeader) + kResourceTableField, &tableOffset) || tableOffset == 0)
    return ERROR_RESOURCE_DATA_NOT_FOUND;
  uint64_t pos = static_cast<uint64_t>(neHeader) + tableOffset;
  if (!file.ReadU16(pos, &shift) || shift > kMaxAlignShift) return ERROR_RESOURCE_DATA_NOT_FOUND;
  pos += 2;
  for (int t = 0; t < kMaxTypes; ++t) {
    uint16_t type = 0, count = 0;
    if (!file.ReadU16(pos, &type)) return ERROR_RESOURCE_DATA_NOT_FOUND;
    if (type == 0) return ERROR_RESOURCE_TYPE_NOT_FOUND;
    if (!file.ReadU16(pos + 2, &count)) return ERROR_RESOURCE_DATA_NOT_FOUND;
    pos += kTypeInfoSize;
    if (type != kVersionType) {
      pos += static_cast<uint64_t>(count) * kNameInfoSize;
      continue;
    }
    for (uint16_t i = 0; i < count; ++i, pos += kNameInfoSize) {
      uint8_t info[kNameInfoSize];
      if (!file.ReadAt(pos, info, sizeof info)) return ERROR_RESOURCE_DATA_NOT_FOUND;
      if (LoadU16(info + 6) != kVersionName) continue;
      span->offset = static_cast<uint64_t>(LoadU16(info)) << shift;
      span->size = static_cast<uint32_t>(LoadU16(info + 2)) << shift;
      return ERROR_SUCCESS;
    }
    return ERROR_RESOURCE_NAME_NOT_FOUND;
  }
  return ERROR_RESOURCE_DATA_NOT_FOUND;
}

}  // namespace posix
