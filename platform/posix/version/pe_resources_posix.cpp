// The version resource in a PE resource tree: type 16, name 1, then the
// language Windows picks. The tree is only ever walked down these three
// levels, so a directory entry that points back up cannot make us loop.
#include <vector>

#include "platform/posix/files/files_posix.h"
#include "platform/posix/version/version_posix.h"

namespace posix {
namespace {

const uint32_t kVersionType = 16;
const uint32_t kVersionName = 1;
const uint32_t kSubdirectoryBit = 0x80000000u;
const uint32_t kDirectoryHeaderSize = 16;
const uint32_t kEntrySize = 8;
const uint32_t kDataEntrySize = 16;
const DWORD kErrorResourceLangNotFound = 1815;

struct DirectoryEntry {
  uint32_t name;
  uint32_t target;  // offset from the resource root, high bit for a subdirectory
};

struct Directory {
  std::vector<DirectoryEntry> entries;
  size_t namedCount = 0;
};

class ResourceTree {
 public:
  ResourceTree(const BoundedFile& file, const PeImage& image) : file_(file), image_(image) {}

  // Reads the directory at an offset from the resource root.
  bool ReadDirectory(uint32_t offset, Directory* dir) const {
    uint8_t header[kDirectoryHeaderSize];
    if (!Read(offset, header, sizeof header)) return false;
    size_t named = LoadU16(header + 12), ids = LoadU16(header + 14);
    std::vector<uint8_t> raw((named + ids) * kEntrySize);
    if (!raw.empty() && !Read(static_cast<uint64_t>(offset) + kDirectoryHeaderSize, raw.data(), raw.size()))
      return false;
    dir->namedCount = named;
    dir->entries.clear();
    for (size_t i = 0; i < named + ids; ++i)
      dir->entries.push_back({LoadU32(&raw[i * kEntrySize]), LoadU32(&raw[i * kEntrySize + 4])});
    return true;
  }

  // The data entry at an offset from the root: the resource's RVA and size.
  bool ReadDataEntry(uint32_t offset, uint32_t* rva, uint32_t* size) const {
    uint8_t entry[kDataEntrySize];
    if (!Read(offset, entry, sizeof entry)) return false;
    *rva = LoadU32(entry);
    *size = LoadU32(entry + 4);
    return true;
  }

 private:
  bool Read(uint64_t offset, void* buffer, size_t length) const {
    uint64_t rva = static_cast<uint64_t>(image_.resourceRva) + offset;
    uint64_t at = 0;
    if (rva > 0xFFFFFFFFu || length > 0xFFFFFFFFu ||
        !image_.RvaToOffset(static_cast<uint32_t>(rva), static_cast<uint32_t>(length), &at))
      return false;
    return file_.ReadAt(at, buffer, length);
  }

  const BoundedFile& file_;
  const PeImage& image_;
};

const DirectoryEntry* FindId(const Directory& dir, uint32_t id) {
  for (size_t i = dir.namedCount; i < dir.entries.size(); ++i)
    if (dir.entries[i].name == id) return &dir.entries[i];
  return nullptr;
}

// Windows asks for the neutral language and falls back through the user's
// language to the first one there is. The simulated machine's user and
// system language is U.S. English.
const DirectoryEntry* PickLanguage(const Directory& dir) {
  static const uint32_t preferred[] = {0x0000, 0x0409, 0x0009};
  for (uint32_t lang : preferred)
    if (const DirectoryEntry* e = FindId(dir, lang)) return e;
  return dir.entries.empty() ? nullptr : &dir.entries[0];
}

bool IsSubdirectory(const DirectoryEntry& e) { return (e.target & kSubdirectoryBit) != 0; }
uint32_t TargetOffset(const DirectoryEntry& e) { return e.target & ~kSubdirectoryBit; }

}  // namespace

DWORD FindPeVersionResource(const BoundedFile& file, const PeImage& image, ResourceSpan* span) {
  if (image.resourceRva == 0) return ERROR_RESOURCE_DATA_NOT_FOUND;
  ResourceTree tree(file, image);
  Directory types, names, languages;
  if (!tree.ReadDirectory(0, &types)) return ERROR_RESOURCE_DATA_NOT_FOUND;
  const DirectoryEntry* type = FindId(types, kVersionType);
  if (!type) return ERROR_RESOURCE_TYPE_NOT_FOUND;
  if (!IsSubdirectory(*type) || !tree.ReadDirectory(TargetOffset(*type), &names))
    return ERROR_RESOURCE_DATA_NOT_FOUND;
  const DirectoryEntry* name = FindId(names, kVersionName);
  if (!name) return ERROR_RESOURCE_NAME_NOT_FOUND;
  if (!IsSubdirectory(*name) || !tree.ReadDirectory(TargetOffset(*name), &languages))
    return ERROR_RESOURCE_DATA_NOT_FOUND;
  const DirectoryEntry* language = PickLanguage(languages);
  if (!language) return kErrorResourceLangNotFound;
  uint32_t rva = 0, size = 0;
  if (IsSubdirectory(*language) || !tree.ReadDataEntry(TargetOffset(*language), &rva, &size) ||
      !image.RvaToOffset(rva, size, &span->offset))
    return ERROR_RESOURCE_DATA_NOT_FOUND;
  span->size = size;
  return ERROR_SUCCESS;
}

}  // namespace posix
