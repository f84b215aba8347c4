// Runs [RegRead] of arbitrary control files against the machine's registry:
// each entry is expanded, split and read; a REG_SZ value found is written
// back into the file's [Strings] and set as a variable. An unknown root key
// ends the run (and with it the fuzzer), so inputs with an entry whose root
// is not a known one are left out.
#include <string>

#include "common/root_key.h"
#include "tests/fuzz/fuzz_run.h"
#include "values/registry_read.h"

namespace {

// Every "name=root,..." line names a known root, as written (no references or quotes
// that an expansion could turn into another root).
bool RootsAreKnown(const std::string& input) {
  if (input.find_first_of("%\"") != std::string::npos) return false;
  // Only the root as the profile read sees it counts: no NULs or other
  // control characters that would cut or change it there.
  for (char c : input)
    if (static_cast<unsigned char>(c) < ' ' && c != '\r' && c != '\n') return false;
  size_t start = 0;
  while (start < input.size()) {
    size_t end = input.find_first_of("\r\n", start);
    if (end == std::string::npos) end = input.size();
    const std::string line = input.substr(start, end - start);
    start = end + 1;
    size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    size_t comma = line.find(',', equals);
    if (comma == std::string::npos) continue;
    size_t first = line.find_first_not_of(' ', equals + 1);
    size_t last = line.find_last_not_of(' ', comma - 1);
    if (first == std::string::npos || last < first) return false;
    HKEY key;
    if (!LookUpRootKey(line.substr(first, last - first + 1).c_str(), key)) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (!RootsAreKnown(std::string(reinterpret_cast<const char*>(data), size))) return 0;
  fuzz::FreshRun();
  const std::string path = fuzz::InputFile("regread.inf", data, size);
  ReadRegistryVariables(path.c_str());
  return 0;
}
