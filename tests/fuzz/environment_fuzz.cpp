// Loads arbitrary environment files and expands references against them:
// every variable read back fits the buffer it is given.
#include <string>
#include <vector>

#include "platform/posix/win32_api_posix.h"
#include "tests/fuzz/fuzz_machine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  (void)fuzz::MachineDir();
  const std::string host = fuzz::MachineDir() + "/fuzz.env";
  FILE* f = fopen(host.c_str(), "wb");
  if (!f) abort();
  if (size) fwrite(data, 1, size, f);
  fclose(f);
  posix::LoadEnvironment(host);
  const std::string text = fuzz::TextOf(data, size);
  std::vector<char> buffer(64);
  ExpandEnvironmentStringsA(text.c_str(), buffer.data(), buffer.size());
  for (const char* name : {"PATH", "windir", "A", ""}) {
    DWORD n = GetEnvironmentVariableA(name, buffer.data(), buffer.size());
    if (n > 0 && n < buffer.size()) fuzz::Check(buffer[n] == '\0', "variable without NUL");
  }
  return 0;
}
