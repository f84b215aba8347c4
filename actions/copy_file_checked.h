// Putting one file of the installation source in place of a target path,
// never replacing an installed file blindly: by version when the new file
// has one, else by date, asking the user when the installed file is newer.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// Bits of the state word of the [Files] phase.
enum : uint32_t {
  CopyStop = 0x1000,       // no further file of the phase is copied
  CopyOverwrote = 0x0001,  // "Overwrite" was chosen at a prompt
  CopySkipped = 0x0002,    // "Skip copy" was chosen at a prompt
};

// Copies newFile onto target after the comparison; writes one log line and
// returns flags with the bits this call adds. `found` is the new file as the
// directory search that found it reported it: its last-write time and
// attributes are taken from there rather than read again.
uint32_t CopyFileChecked(const char* newFile, const char* target, const char* controlFile,
                         uint32_t flags, const WIN32_FIND_DATAA& found);

// Forgets the answer that "always" gave for later prompts (a new run).
void ResetCopyPromptMemory();
