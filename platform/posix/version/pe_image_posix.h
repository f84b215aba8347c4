// The headers of a Windows executable, as far as finding its resources
// needs them: which format it is, and for PE files the section table and
// the resource directory's place.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/posix/files/bounded_file_posix.h"

namespace posix {

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

}  // namespace posix
