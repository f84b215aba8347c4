// What the emulated shell-link object learns about a link's target when
// its path is set.
#pragma once

#include <string>

#include "platform/posix/links/lnk_writer_posix.h"

namespace posix {

// Sets the target fields of data for a path as given to SetPath (quotes
// around it already removed): the full path against the current directory,
// or what the search path finds for the name when that does not exist;
// LinkInfo's volume for a drive path; attributes, times and size of an
// existing file. Returns false when the target exists nowhere (SetPath
// then answers S_FALSE, as Wine's does).
bool ResolveLinkTarget(const std::string& path, LinkFileData* data);

}  // namespace posix
