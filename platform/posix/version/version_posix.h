// Finding and reading the version resource (RT_VERSION, ID 1) of an
// executable file on the host, and walking a version block.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/posix/files/files_posix.h"
#include "platform/posix/win32_api_posix.h"

namespace posix {

// ---- executable headers (pe_image_posix.cpp) ----

enum class ExeFormat { Unknown, Pe, Ne };

// Reads the DOS header and the signature at e_lfanew. *newHeader is the
// file offset of the "PE\0\0" or "NE" header.
ExeFormat IdentifyExecutable(const BoundedFile& file, uint32_t* newHeader);

struct PeSection {
  uint32_t virtualAddress;
  uint32_t rawSize;
  uint32_t rawOffset;
};

struct PeImage {
  std::vector<PeSection> sections;
  uint32_t resourceRva = 0;
  uint32_t resourceSize = 0;

  // File offset of length bytes starting at rva. False unless they all lie
  // in the raw data of one section (the file's length is checked on read).
  bool RvaToOffset(uint32_t rva, uint32_t length, uint64_t* offset) const;
};

// Reads a PE32 or PE32+ header at peHeader. False when the header is
// damaged; an image without resources comes back with resourceRva 0.
bool ReadPeImage(const BoundedFile& file, uint32_t peHeader, PeImage* image);

// ---- version resources (version_resource_posix.cpp) ----

// Where a resource's bytes lie in its file.
struct ResourceSpan {
  uint64_t offset = 0;
  uint32_t size = 0;
};

// The version resource of a PE image. Returns ERROR_SUCCESS, or the error
// Windows gives: ERROR_RESOURCE_DATA_NOT_FOUND (no or damaged resource
// section), ERROR_RESOURCE_TYPE_NOT_FOUND, ERROR_RESOURCE_NAME_NOT_FOUND.
DWORD FindPeVersionResource(const BoundedFile& file, const PeImage& image, ResourceSpan* span);
// The same for a 16-bit NE executable (its header at neHeader).
DWORD FindNeVersionResource(const BoundedFile& file, uint32_t neHeader, ResourceSpan* span);

struct VersionResource {
  std::string bytes;
  bool sixteenBit = false;  // an NE resource: ANSI keys, no wType
};

// Reads the version resource of a host file and checks that its root node
// fits in it. Returns ERROR_SUCCESS or the Win32 error to report.
DWORD ReadVersionResource(const std::string& hostPath, VersionResource* resource);

// The size GetFileVersionInfoSizeA reports for a resource: room for the
// block and for the converted copies VerQueryValue makes in it.
DWORD VersionInfoBufferSize(const VersionResource& resource);

// A version block is 16-bit when its key starts where a 32-bit block has wType.
inline bool IsSixteenBitBlock(const uint8_t* block) { return block[4] >= 0x20; }

// The value of a sub-block path in a version block (whose root node's
// wLength bounds every read). offset is the value's position in the block;
// length is in WCHARs for 32-bit text values, in bytes otherwise, cut to
// what the node really holds.
struct VersionValue {
  size_t offset = 0;
  uint32_t length = 0;
  bool text = false;
};
bool FindVersionValue(const uint8_t* block, const char* subBlock, VersionValue* value);

// ---- the program's own version resource (own_version_posix.cpp) ----

// The version resource block of the native program itself, built from the
// same numbers as the Windows program's resource script. Returns the bytes
// of a VS_VERSIONINFO block as a resource would hold it.
const std::string& OwnVersionResource();

}  // namespace posix
