// infcheck: reads a control file as the installer would and reports its
// mistakes like a compiler, before any machine is changed.
//   infcheck CONTROL-FILE
// Exit code 0 clean, 1 warnings only, 2 errors.
#include <cstdio>

#include "check/checks.h"
#include "common/system_message.h"
#include "platform/platform.h"
#include "setup/command_line.h"
#include "setup/control_file_location.h"

namespace {

enum { MaxControlFileSize = 4 * 1024 * 1024 };

TLineIndex Index;

// The last argument of the process's command line, in the platform's form
// (the native build hands host paths over as Windows paths).
bool ControlFileArgument(Str& argument) {
  const char* cursor = GetCommandLineA();
  Str next;
  if (!NextCommandLineArgument(cursor, next)) return false;  // the program itself
  bool found = false;
  while (NextCommandLineArgument(cursor, next)) argument = next, found = true;
  return found;
}

bool ReadWholeFile(const char* path, Str& text, DWORD& error) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return error = GetLastError(), false;
  DWORD size = GetFileSize(file, nullptr);
  if (size > MaxControlFileSize) size = MaxControlFileSize;
  char* buffer = text.reserve(size);
  DWORD read = 0;
  bool ok = ReadFile(file, buffer, size, &read, nullptr) != 0;
  if (!ok) error = GetLastError();
  CloseHandle(file);
  text.setLength(ok ? read : 0);
  return ok;
}

Str DirectoryOf(const Str& path) {
  long cut = path.findLast('\\');
  return cut >= 0 ? path.substr(0, static_cast<size_t>(cut) + 1) : Str();
}

}  // namespace

int main(int argc, char** argv) {
  const char* whyNot = nullptr;
  if (!platform::Startup(argc, argv, &whyNot)) {
    std::fprintf(stderr, "infcheck: %s\n", whyNot ? whyNot : "cannot start");
    return 2;
  }
  Str argument;
  if (!ControlFileArgument(argument) || argc < 2) {
    std::fprintf(stderr, "usage: infcheck CONTROL-FILE\n");
    return 2;
  }
  SetReportedFileName(argv[argc - 1]);
  Str path = AbsoluteDirectory(argument);
  Str text;
  DWORD error = 0;
  if (!ReadWholeFile(path.c_str(), text, error)) {
    Error(0, "cannot be read: " + SystemReasonOrNumber(error));
    return PrintFindings();
  }
  ScanLines(text.c_str(), text.size(), Index);
  CheckInput = TCheckInput{path.c_str(), DirectoryOf(path), text.c_str(), text.size(), &Index};
  RunAllChecks();
  return PrintFindings();
}
