// hold_file: keeps a file open without sharing it, as a running program
// keeps its own files, so that a test can meet a locked target:
//   hold_file FILE SIGNAL
// Opens FILE for reading with no share mode, creates SIGNAL when it holds
// the file, and keeps it until SIGNAL is gone again (at most 60 seconds).
// Exit code 2 when FILE cannot be opened.
#include <cstdio>

#include "platform/platform.h"

namespace {
bool Exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }
}  // namespace

int main(int argc, char** argv) {
#ifndef _WIN32
  const char* whyNot = "";
  if (!platform::Startup(argc, argv, &whyNot)) {
    std::fprintf(stderr, "%s\n", whyNot);
    return 1;
  }
#endif
  if (argc < 3) {
    std::fprintf(stderr, "usage: hold_file FILE SIGNAL\n");
    return 1;
  }
  const char* file = argv[argc - 2];
  const char* signal = argv[argc - 1];
  HANDLE held = CreateFileA(file, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (held == INVALID_HANDLE_VALUE) return 2;
  HANDLE mark = CreateFileA(signal, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (mark != INVALID_HANDLE_VALUE) CloseHandle(mark);
  for (int i = 0; i < 600 && Exists(signal); ++i) Sleep(100);
  CloseHandle(held);
  return 0;
}
