// Times the profile reads of a control file walked key by key, as the
// installer walks [Strings] and [Files]: the key list once, then every value.
//
// usage: profile_bench_tool [--machine DIR] INI SECTION
// (bench/profile_bench.sh makes the file and runs it.)
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace {

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

std::vector<std::string> KeyList(const char* ini, const char* section) {
  std::vector<char> list(1 << 20);
  DWORD n = GetPrivateProfileStringA(section, nullptr, "", list.data(), (DWORD)list.size(), ini);
  std::vector<std::string> keys;
  for (DWORD pos = 0; pos < n && list[pos];) {
    keys.push_back(&list[pos]);
    pos += (DWORD)keys.back().size() + 1;
  }
  return keys;
}

// Waits without threads, which the Windows tool chain may lack.
void WaitMilliseconds(int ms) {
  auto start = std::chrono::steady_clock::now();
  while (MillisecondsSince(start) < ms) {
  }
}

// Reads every key once; returns the time in milliseconds.
double ReadAll(const char* ini, const char* section, const std::vector<std::string>& keys, size_t* bytes) {
  char value[262];
  auto start = std::chrono::steady_clock::now();
  for (const std::string& key : keys) *bytes += GetPrivateProfileStringA(section, key.c_str(), "", value, sizeof value, ini);
  return MillisecondsSince(start);
}

}  // namespace

int main(int argc, char** argv) {
  const char* why = "";
  if (!platform::Startup(argc, argv, &why)) {
    fprintf(stderr, "%s\n", why);
    return 1;
  }
  if (argc < 3) {
    fprintf(stderr, "usage: profile_bench_tool [--machine DIR] INI SECTION\n");
    return 2;
  }
  const char* ini = argv[argc - 2];
  const char* section = argv[argc - 1];
  auto start = std::chrono::steady_clock::now();
  std::vector<std::string> keys = KeyList(ini, section);
  printf("key list of [%s]: %u keys in %.2f ms\n", section, (unsigned)keys.size(), MillisecondsSince(start));
  size_t bytes = 0;
  double first = ReadAll(ini, section, keys, &bytes);
  printf("%u key reads right after the file was made: %8.2f ms\n", (unsigned)keys.size(), first);
  // A file changed within the last few milliseconds is compared byte for
  // byte on each read (file times are only as fine as the kernel's tick).
  WaitMilliseconds(100);
  double second = ReadAll(ini, section, keys, &bytes);
  printf("%u key reads of a settled file:             %8.2f ms (%.2f us per key)\n", (unsigned)keys.size(), second,
         1000 * second / (keys.size() ? keys.size() : 1));
  start = std::chrono::steady_clock::now();
  for (int i = 0; i < 20; ++i) WritePrivateProfileStringA(section, "BenchWritten", std::to_string(i).c_str(), ini);
  printf("20 writes: %.2f ms\n", MillisecondsSince(start));
  double after = ReadAll(ini, section, keys, &bytes);
  printf("%u key reads right after the writes:       %8.2f ms\n", (unsigned)keys.size(), after);
  printf("(%u value bytes read)\n", (unsigned)bytes);
  return 0;
}
