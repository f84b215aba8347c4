// One emulated machine per fuzzing process, in a temporary directory (in
// memory when the host has /dev/shm), and the file through which a target
// hands its input to the code under test.
#pragma once

#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <cstdint>
#include <string>

#include "platform/posix/machine/machine_posix.h"

namespace fuzz {

inline const std::string& MachineDir() {
  static std::string dir;
  if (!dir.empty()) return dir;
  struct stat st;
  dir = std::string(stat("/dev/shm", &st) == 0 ? "/dev/shm" : "/tmp") + "/setup-fuzz-XXXXXX";
  if (!mkdtemp(&dir[0])) abort();
  std::string why;
  if (!posix::OpenMachine(dir, &why)) abort();
  static std::string removeCommand = "rm -rf '" + dir + "'";
  atexit([] { (void)system(removeCommand.c_str()); });
  return dir;
}

// Writes the input to C:\<name> and returns that Windows path.
inline std::string InputFile(const char* name, const uint8_t* data, size_t size) {
  const std::string host = MachineDir() + "/drive_c/" + name;
  FILE* f = fopen(host.c_str(), "wb");
  if (!f) abort();
  if (size) fwrite(data, 1, size, f);
  fclose(f);
  return std::string("C:\\") + name;
}

// The input as NUL-terminated text, cut at its first NUL (as profile reads
// and command lines deliver text).
inline std::string TextOf(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  return text.substr(0, text.find('\0'));
}

inline void Check(bool condition, const char* what) {
  if (condition) return;
  fprintf(stderr, "fuzz check failed: %s\n", what);
  abort();
}

}  // namespace fuzz
