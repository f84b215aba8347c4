// verdump: prints what the installer reads from the version resources of
// files, one line per file argument:
//   path TAB version number (-1 when none) TAB version text TAB translation
// Both builds run the same core code (ReadVersionInfo), so the native
// build's lines can be compared with the Windows build's under Wine.
// The native build also takes absolute host paths ("/usr/lib/..."), which
// it reads as the Windows paths the emulation gives them (Z:\usr\lib\...).
#include <cstdio>
#include <cstring>

#include "common/str.h"
#include "fileinfo/file_info.h"
#include "platform/platform.h"
#ifndef _WIN32
#include "platform/posix/paths/paths_posix.h"
#endif

namespace {

Str WindowsPathOf(const char* argument) {
#ifndef _WIN32
  if (argument[0] == '/') return Str(posix::HostToWin(argument).c_str());
#endif
  return Str(argument);
}

void DumpOne(const char* argument) {
  VersionInfo = TVersionInfo();  // no file inherits the previous one's values
  Str versionText;
  long long number = ReadVersionInfo(WindowsPathOf(argument).c_str(), versionText);
  std::printf("%s\t%lld\t%s\t%s\n", argument, number, number < 0 ? "" : versionText.c_str(),
              number < 0 ? "" : VersionInfo.Translation.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  const char* whyNot = nullptr;
  if (!platform::Startup(argc, argv, &whyNot)) {
    std::fprintf(stderr, "verdump: %s\n", whyNot ? whyNot : "cannot start");
    return 2;
  }
  int first = 1;
  if (argc > 2 && std::strcmp(argv[1], "--machine") == 0) first = 3;
  if (first >= argc) {
    std::fprintf(stderr, "usage: verdump_tool [--machine DIR] FILE...\n");
    return 2;
  }
  for (int i = first; i < argc; ++i) DumpOne(argv[i]);
  return 0;
}
