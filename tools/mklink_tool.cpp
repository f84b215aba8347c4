// mklink: writes one link file through the installer's CreateShellLink and
// prints the status it returned, so that the links of both builds (the
// native emulation and Windows under Wine) can be compared.
//
//   mklink_tool [--machine DIR] LINK TARGET ARGUMENTS WORKING_DIR ICON_FILE ICON_INDEX
//
// The native build also takes absolute host paths for LINK ("/tmp/x.lnk"),
// which it writes as the Windows paths the emulation gives them (Z:\...).
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "actions/shell_link.h"
#include "common/str.h"
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

}  // namespace

int main(int argc, char** argv) {
  const char* whyNot = nullptr;
  if (!platform::Startup(argc, argv, &whyNot)) {
    std::fprintf(stderr, "mklink: %s\n", whyNot ? whyNot : "cannot start");
    return 2;
  }
  int first = 1;
  if (argc > 2 && std::strcmp(argv[1], "--machine") == 0) first = 3;
  if (argc - first != 6) {
    std::fprintf(stderr,
                 "usage: mklink_tool [--machine DIR] LINK TARGET ARGUMENTS WORKING_DIR ICON_FILE "
                 "ICON_INDEX\n");
    return 2;
  }
  char** field = argv + first;
  HRESULT result = CreateShellLink(field[1], field[2], field[3], field[4], std::atoi(field[5]),
                                   WindowsPathOf(field[0]).c_str());
  std::printf("%ld\n", static_cast<long>(result));
  return result == 0 ? 0 : 1;
}
