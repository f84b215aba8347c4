// The [Files] phase: file groups copied with masks, destinations and
// subdirectories, one state word running through the whole phase.
#pragma once

#include <cstdint>

// Copies every file group of [Files].
void CopyFilesSection(const char* sourceFile);

// Copies every file of sourceDir that matches mask into destDir, with
// withSubdirs also the matching subdirectories. Returns flags with the bits
// the copies added; stops at the stop bit.
uint32_t CopyFileGroup(const char* sourceDir, const char* mask, const char* destDir, bool withSubdirs,
                       uint32_t flags, const char* controlFile);
