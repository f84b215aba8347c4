// Putting a new file in place of a target all at once: the content is
// written under a temporary name in the target's folder and takes the
// target's name only when it is complete, so that a full disk, a removed
// medium or a killed run leaves the installed file as it was.
//
// The temporary is "~STP" + four upper-case hexadecimal digits + ".TMP"
// (8.3, so that every file system and every search sees the same name).
// Such a name never comes from a package; a folder that a later run
// installs into is cleared of these leftovers before its first copy.
#pragma once

#include "fileinfo/file_info.h"
#include "platform/platform.h"

// Copies newFile over target (which may or may not exist) by way of a
// temporary: content, last-write time and attributes as the platform's copy
// gives them, less read-only. Returns false with the system's last error
// set, and without a temporary left behind, when it fails; target is then
// untouched. `openNewFile`, when valid, is newFile open for reading after
// `head`, its start as a read into CopyHeadRoom() gave it: the content is
// that start and the rest read from the handle (the caller closes it), and
// the attributes and last-write time come from `found`, the search's record
// of newFile.
bool PutFileInPlace(const char* newFile, HANDLE openNewFile, const FileHead& head, const WIN32_FIND_DATAA& found,
                    const char* target);

// The copy's own room, for the first read of a new file that is to be
// copied from its open handle.
FileHead CopyHeadRoom();

// Removes the temporaries that an interrupted run left in target's folder,
// once for each folder that the copies come into, and logs each one removed.
void RemoveLeftoverTemporaries(const char* target);

// True for a name of the temporaries' pattern (the name part only).
bool IsTemporaryName(const char* name);
