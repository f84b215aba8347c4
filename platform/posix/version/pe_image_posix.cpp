// PE and NE header parsing, every field read through a bounded read.
#include "platform/posix/files/files_posix.h"
#include "platform/posix/version/version_posix.h"

namespace posix {
namespace {

const uint32_t kDosNewHeaderField = 0x3C;
const uint32_t kCoffHeaderSize = 20;
const uint16_t kPe32Magic = 0x10B;
const uint16_t kPe32PlusMagic = 0x20B;
const uint32_t kResourceDirectoryIndex = 2;
const uint32_t kSectionHeaderSize = 40;

}  // namespace

ExeFormat IdentifyExecutable(const BoundedFile& file, uint32_t* newHeader) {
  uint8_t mz[2];
  uint32_t lfanew = 0;
  if (!file.ReadAt(0, mz, 2) || mz[0] != 'M' || mz[1] != 'Z') return ExeFormat::Unknown;
  if (!file.ReadU32(kDosNewHeaderField, &lfanew)) return ExeFormat::Unknown;
  uint8_t sig[4];
  if (file.ReadAt(lfanew, sig, 4) && sig[0] == 'P' && sig[1] == 'E' && sig[2] == 0 && sig[3] == 0) {
    *newHeader = lfanew;
    return ExeFormat::Pe;
  }
  if (file.ReadAt(lfanew, sig, 2) && sig[0] == 'N' && sig[1] == 'E') {
    *newHeader = lfanew;
    return ExeFormat::Ne;
  }
  return ExeFormat::Unknown;
}

bool PeImage::RvaToOffset(uint32_t rva, uint32_t length, uint64_t* offset) const {
  for (const PeSection& s : sections) {
    uint64_t start = s.virtualAddress;
    uint64_t end = start + s.rawSize;
    if (rva >= start && rva < end) {
      if (static_cast<uint64_t>(rva) + length > end) return false;
      *offset = static_cast<uint64_t>(s.rawOffset) + (rva - start);
      return true;
    }
  }
  return false;
}

bool ReadPeImage(const BoundedFile& file, uint32_t peHeader, PeImage* image) {
  const uint64_t coff = static_cast<uint64_t>(peHeader) + 4;
  uint16_t sectionCount = 0, optionalSize = 0, magic = 0;
  if (!file.ReadU16(coff + 2, &sectionCount) || !file.ReadU16(coff + 16, &optionalSize)) return false;
  const uint64_t optional = coff + kCoffHeaderSize;
  if (!file.ReadU16(optional, &magic)) return false;
  uint32_t countField, directories;
  if (magic == kPe32Magic) {
    countField = 92;
    directories = 96;
  } else if (magic == kPe32PlusMagic) {
    countField = 108;
    directories = 112;
  } else {
    return false;
  }
  uint32_t rvaCount = 0;
  uint32_t resourceEntry = directories + kResourceDirectoryIndex * 8;
  image->resourceRva = image->resourceSize = 0;
  if (optionalSize >= countField + 4 && file.ReadU32(optional + countField, &rvaCount) &&
      rvaCount > kResourceDirectoryIndex && optionalSize >= resourceEntry + 8) {
    if (!file.ReadU32(optional + resourceEntry, &image->resourceRva) ||
        !file.ReadU32(optional + resourceEntry + 4, &image->resourceSize))
      return false;
  }
  // The section table (at most 65535 entries of 40 bytes: a bounded read).
  std::vector<uint8_t> table(static_cast<size_t>(sectionCount) * kSectionHeaderSize);
  if (!file.ReadAt(optional + optionalSize, table.data(), table.size())) return false;
  image->sections.clear();
  for (size_t i = 0; i < sectionCount; ++i) {
    const uint8_t* h = table.data() + i * kSectionHeaderSize;
    image->sections.push_back(PeSection{LoadU32(h + 12), LoadU32(h + 16), LoadU32(h + 20)});
  }
  return true;
}

}  // namespace posix
