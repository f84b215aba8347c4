// Copies every file of a folder into another folder with CopyFileA, as the
// [Files] phase does, and prints how long it took.
//
// usage: copy_bench_tool [--machine DIR] SOURCE_FOLDER TARGET_FOLDER
// (bench/copy_bench.sh makes the files and compares with cp.)
#include <chrono>
#include <cstdio>
#include <string>

#include "platform/platform.h"

int main(int argc, char** argv) {
  const char* why = "";
  if (!platform::Startup(argc, argv, &why)) {
    fprintf(stderr, "%s\n", why);
    return 1;
  }
  if (argc < 3) {
    fprintf(stderr, "usage: copy_bench_tool [--machine DIR] SOURCE_FOLDER TARGET_FOLDER\n");
    return 2;
  }
  std::string source = argv[argc - 2];
  std::string target = argv[argc - 1];
  auto start = std::chrono::steady_clock::now();
  CreateDirectoryA(target.c_str(), nullptr);
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((source + "\\*").c_str(), &data);
  unsigned copied = 0, failed = 0;
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      std::string from = source + "\\" + data.cFileName;
      std::string to = target + "\\" + data.cFileName;
      if (CopyFileA(from.c_str(), to.c_str(), FALSE)) ++copied;
      else ++failed;
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  printf("%u files copied, %u failed, %.1f ms\n", copied, failed, ms);
  return failed ? 1 : 0;
}
