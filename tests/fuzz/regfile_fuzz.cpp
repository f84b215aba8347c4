// The .reg reader on arbitrary bytes: it must neither crash nor read out of
// bounds, and what it writes must read back to the same registry (a second
// write gives the same text).
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/posix/registry/registry_posix.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  posix::Registry first;
  if (!posix::ParseRegFile(text, &first, nullptr)) return 0;
  std::string written = posix::WriteRegFile(first);
  posix::Registry second;
  if (!posix::ParseRegFile(written, &second, nullptr)) abort();
  if (posix::WriteRegFile(second) != written) abort();
  return 0;
}
