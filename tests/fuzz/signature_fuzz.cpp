// Checks the signature of arbitrary control files: the position found lies
// inside the 30 characters of FormKw that are read.
#include <string>

#include "setup/control_file_location.h"
#include "tests/fuzz/fuzz_machine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = fuzz::InputFile("signed.inf", data, size);
  const int position = CheckSignature(path.c_str());
  fuzz::Check(position >= 0 && position <= 30 - 6 + 1, "signature outside FormKw");
  return 0;
}
