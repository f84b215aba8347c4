// Runs [IniWrite] of arbitrary control files: each line is split, checked and
// written into a profile file of the machine; syntax errors become message
// boxes that a silent run answers.
#include <string>

#include "actions/ini_write.h"
#include "tests/fuzz/fuzz_run.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (fuzz::MayNameHostFiles(std::string(reinterpret_cast<const char*>(data), size))) return 0;
  fuzz::FreshRun();
  const std::string path = fuzz::InputFile("iniwrite.inf", data, size);
  WriteIniEntries(path.c_str());
  return 0;
}
