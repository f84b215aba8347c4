// Fuzzes the version functions with arbitrary file contents: the bytes are
// written to a file in a temporary machine, then read through
// GetFileVersionInfoSizeA, GetFileVersionInfoA and VerQueryValueA with the
// paths the installer asks for and a few damaged ones. Every read must stay
// inside the file and the block (ASan), whatever the headers claim.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/posix/machine/machine_posix.h"

namespace {

std::string MachineDir() {
  static std::string dir;
  if (dir.empty()) {
    char pattern[] = "/tmp/pe-version-fuzz-XXXXXX";
    if (!mkdtemp(pattern)) abort();
    dir = pattern;
    std::string why;
    if (!posix::OpenMachine(dir, &why)) abort();
  }
  return dir;
}

const char* const kQueries[] = {
    "\\", "", "\\VarFileInfo\\Translation", "\\StringFileInfo", "\\StringFileInfo\\040904E4",
    "\\StringFileInfo\\040904E4\\CompanyName", "\\StringFileInfo\\040904E4\\ProductVersion",
    "\\StringFileInfo\\040904B0\\FileDescription", "\\\\a\\\\b\\\\", "VS_VERSION_INFO",
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string host = MachineDir() + "/drive_c/input.dll";
  FILE* f = fopen(host.c_str(), "wb");
  if (!f) abort();
  fwrite(data, 1, size, f);
  fclose(f);

  DWORD handle = 0;
  DWORD blockSize = GetFileVersionInfoSizeA("C:\\input.dll", &handle);
  if (blockSize == 0) return 0;
  std::vector<uint8_t> block(blockSize);
  if (!GetFileVersionInfoA("C:\\input.dll", handle, blockSize, block.data())) return 0;
  for (const char* query : kQueries) {
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), query, &value, &length)) continue;
    // The whole value must lie inside the caller's block.
    const auto* p = static_cast<const uint8_t*>(value);
    if (p < block.data() || p + length > block.data() + block.size()) abort();
    uint8_t sum = 0;
    for (UINT i = 0; i < length; ++i) sum ^= p[i];
    asm volatile("" : : "r"(sum));  // keep the reads
  }
  return 0;
}
