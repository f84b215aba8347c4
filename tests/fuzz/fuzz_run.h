// The run state a fuzzed section starts from: a silent run (message boxes
// answer themselves instead of waiting for a user), no lines or error level
// left from the input before, and C:\ as the current directory, so that a
// path of the input never reaches the host's own files through Z:.
#pragma once

#include "common/message_buffer.h"
#include "common/run_options.h"
#include "common/run_state.h"
#include "tests/fuzz/fuzz_machine.h"

namespace fuzz {

inline void FreshRun() {
  (void)MachineDir();
  RunOptions.Silent = true;
  MessageBuffer.clear();
  ErrorLevel = 0;
  if (!SetCurrentDirectoryA("C:\\")) abort();
}

// Host paths are reachable as Z:; an input that could name one is left out,
// since the fuzzed code writes where the input says.
inline bool MayNameHostFiles(const std::string& input) {
  return input.find_first_of("zZ%") != std::string::npos;
}

}  // namespace fuzz
