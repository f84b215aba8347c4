// What the registry phase does when a key can be neither opened nor created:
// the user is assumed to lack administrator rights, and the links of the
// section named by ErrSection offer another way to uninstall.
#pragma once

#include <cstdint>

#include "actions/create_links.h"

// The link creation the fallback uses (CreateLinks; tests pass their own).
typedef int (*TLinkCreator)(const char* section, const char* defaultFolder, const char* controlFile);

// Logs the warning lines and creates the links of errSection (if one is
// named) from controlFile. Returns what the section adds to ErrorLevel: 1
// when the links were created, 101 when they failed or none were named.
int32_t RunUninstallFallback(const char* section, const char* errSection, const char* controlFile,
                             TLinkCreator createLinks = CreateLinks);
