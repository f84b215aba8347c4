// The files a row of the file tables starts from, in a folder of its own
// so that no row sees what an earlier one left.
#pragma once

#include <stddef.h>

#include "platform/platform.h"

namespace contract {

// What stands at a row's target name "old" before the call under test.
enum Target { kNoTarget, kPlain, kReadOnly, kHidden, kSystem, kFolder, kNoFolder };

// What a row finds at the target afterwards, besides its content.
inline constexpr const char* kAbsent = "<absent>";   // nothing
inline constexpr const char* kAFolder = "<folder>";  // a folder

// The fresh folder C:\contract\<table><row> with the file "new" (when
// `source`), and the target made as asked ("old" is its content); the paths
// of both.
void GivenRowFiles(const char* table, int row, bool source, Target target, char* sourcePath,
                   char* targetPath);
// Compares what stands at `path` with `expected` (content, kAbsent or kAFolder).
void ExpectTarget(const char* path, const char* expected);

}  // namespace contract
