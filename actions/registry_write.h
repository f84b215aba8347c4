// [RegWrite] and [RegWriteUninstall]: registry values written on the target system.
#pragma once

#include <cstdint>

// Writes every entry of section of sourceFile. Returns what the run adds to
// ErrorLevel: 0, 1 for a warning or 101 when the section failed.
int32_t WriteRegistrySection(const char* section, const char* sourceFile);
