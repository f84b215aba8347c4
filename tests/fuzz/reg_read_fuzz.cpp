// Runs [RegRead] of arbitrary control files against the machine's registry:
// each entry is expanded, split and read; a REG_SZ value found is written
// back into the file's [Strings] and set as a variable.
#include <string>

#include "tests/fuzz/fuzz_run.h"
#include "values/registry_read.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::FreshRun();
  const std::string path = fuzz::InputFile("regread.inf", data, size);
  ReadRegistryVariables(path.c_str());
  return 0;
}
