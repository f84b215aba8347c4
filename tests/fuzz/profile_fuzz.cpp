// Feeds arbitrary bytes as an INI file to the profile functions: every list
// and value is read with buffers of several sizes (each allocated to its
// exact size, so AddressSanitizer sees any write past it), the results are
// checked against the documented shapes, and a write is read back.
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/posix/machine/machine_posix.h"
#include "platform/platform.h"

namespace {

const char kIniWin[] = "C:\\fuzz.ini";
const DWORD kSizes[] = {0, 1, 2, 3, 5, 16, 300};

void Check(bool condition, const char* what) {
  if (condition) return;
  fprintf(stderr, "profile_fuzz: %s\n", what);
  abort();
}

// One machine for the whole run, in a temporary directory (in memory when
// the host has /dev/shm, which keeps the writes fast).
std::string MachineOnce() {
  static std::string iniHost;
  if (!iniHost.empty()) return iniHost;
  struct stat st;
  std::string base = stat("/dev/shm", &st) == 0 ? "/dev/shm" : "/tmp";
  std::string dir = base + "/profile-fuzz-XXXXXX";
  Check(mkdtemp(&dir[0]) != nullptr, "mkdtemp");
  std::string why;
  Check(posix::OpenMachine(dir, &why), "OpenMachine");
  iniHost = dir + "/drive_c/fuzz.ini";
  static std::string removeCommand = "rm -rf '" + dir + "'";
  atexit([] { (void)system(removeCommand.c_str()); });
  return iniHost;
}

void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
  FILE* f = fopen(path.c_str(), "wb");
  Check(f != nullptr, "fopen");
  if (size) fwrite(data, 1, size, f);
  fclose(f);
}

// Reads into a heap buffer of exactly `size` bytes and checks the result.
std::string ReadInto(const char* section, const char* key, DWORD size, bool isList) {
  std::vector<char> buffer(size ? size : 1, '#');
  // Lists get "" as default: a missing section gives the default, not a list.
  DWORD n = GetPrivateProfileStringA(section, key, isList ? "" : "dflt", buffer.data(), size, kIniWin);
  if (size == 0) {
    Check(n == 0 && buffer[0] == '#', "size 0 must leave the buffer alone");
    return std::string();
  }
  Check(n < size, "return value beyond the buffer");
  Check(buffer[n] == '\0', "result not NUL-terminated");
  if (isList && size >= 2 && n > 0) Check(n <= size - 2 || buffer[n - 1] == '\0', "list end");
  return std::string(buffer.data(), n);
}

// The names of a list, as a caller walks it.
std::vector<std::string> Names(const std::string& list) {
  std::vector<std::string> names;
  for (size_t pos = 0; pos < list.size();) {
    size_t end = list.find('\0', pos);
    if (end == std::string::npos) end = list.size();
    if (end == pos) break;
    names.push_back(list.substr(pos, end - pos));
    pos = end + 1;
  }
  return names;
}

// Names that read back as written: no blanks around them (written as given
// but stripped when read), no line breaks, brackets, '=' or ';'.
bool IsPlainName(const std::string& s) {
  if (s.empty() || s.front() == ' ' || s.back() == ' ') return false;
  for (char c : s)
    if (static_cast<unsigned char>(c) < 0x20 || c == '[' || c == ']' || c == '=' || c == ';') return false;
  return true;
}

void ReadEverything() {
  for (DWORD size : kSizes) ReadInto(nullptr, nullptr, size, true);
  std::vector<std::string> sections = Names(ReadInto(nullptr, nullptr, 1 << 16, true));
  for (size_t s = 0; s < sections.size() && s < 8; ++s) {
    const char* section = sections[s].c_str();
    for (DWORD size : kSizes) ReadInto(section, nullptr, size, true);
    std::vector<std::string> keys = Names(ReadInto(section, nullptr, 1 << 16, true));
    for (size_t k = 0; k < keys.size() && k < 8; ++k)
      for (DWORD size : kSizes) ReadInto(section, keys[k].c_str(), size, false);
  }
}

// Writing a plain value to the first key found must read back as written.
void WriteAndReadBack(uint8_t choice) {
  std::vector<std::string> sections = Names(ReadInto(nullptr, nullptr, 1 << 16, true));
  std::string section = sections.empty() ? "new" : sections[0];
  std::vector<std::string> keys = Names(ReadInto(section.c_str(), nullptr, 1 << 16, true));
  std::string key = keys.empty() ? "k" : keys[0];
  if (choice % 4 == 3) {
    Check(WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, kIniWin), "delete section");
    return;
  }
  Check(WritePrivateProfileStringA(section.c_str(), key.c_str(), "fuzz value", kIniWin), "write");
  if (!IsPlainName(section) || !IsPlainName(key)) return;
  std::string value = ReadInto(section.c_str(), key.c_str(), 64, false);
  Check(value == "fuzz value", "written value does not read back");
  Check(WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, kIniWin), "delete key");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string iniHost = MachineOnce();
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, kIniWin);  // forget what was cached
  WriteFile(iniHost, data, size);
  ReadEverything();
  WriteAndReadBack(size ? data[0] : 0);
  ReadEverything();
  return 0;
}
