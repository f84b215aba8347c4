// A key list that did not fit in its buffer: the platform cuts it and says
// nothing, so every section that walks one checks for the cut itself. A
// section that went on silently would install part of a package and call
// the run a success.
#pragma once

#include "platform/platform.h"

// True when a key list read into a buffer of size characters was cut. The
// platform gives size - 2 for a cut list, and also for one that fits only
// with its final NUL; both are taken as cut, as nothing tells them apart.
bool KeyListWasCut(DWORD length, DWORD size);

// Reads the key list like ReadProfileKeyList. When it was cut, its last name
// (which may itself be cut) is dropped, so a walk never processes a name the
// control file does not have. True when the list was cut.
bool ReadKeyListDroppingCutName(const char* file, const char* section, char* keys, DWORD size);

template <DWORD Size>
bool ReadKeyListDroppingCutName(const char* file, const char* section, char (&keys)[Size]) {
  static_assert(Size >= 2, "a key list needs room for its two final NULs");
  return ReadKeyListDroppingCutName(file, section, keys, Size);
}

// For a list read by ReadKeyListDroppingCutName that was cut: appends
// "Error: [section] has more lines than fit in N characters; the lines after
// <its last name> are not <notDone>" (N = size - 1) to the message buffer and
// raises ErrorLevel into the failure range.
void ReportCutKeyList(const char* section, const char* keys, DWORD size, const char* notDone);
