// The last path of an arbitrary uninstall command line is text of that line,
// never longer than it (an unpaired quote stays in the text after the last
// blank).
#include <cstring>
#include <string>

#include "setup/previous_installation.h"
#include "tests/fuzz/fuzz_machine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string line = fuzz::TextOf(data, size);
  Str path = LastPathOfCommandLine(line.c_str());
  fuzz::Check(path.size() <= line.size(), "path longer than line");
  fuzz::Check(path.empty() || line.find(path.c_str()) != std::string::npos, "path not in line");
  return 0;
}
