// The test hook that kills the process in the middle of a file copy.
#pragma once

namespace posix {
// Called once by every CopyFileA that gets to write: the number of bytes after
// which this copy is to kill the process, or -1 (the usual case).
long long KillAfterBytesOfThisCopy();
[[noreturn]] void KillNow();
}  // namespace posix
