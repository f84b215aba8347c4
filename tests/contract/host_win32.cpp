// Windows or Wine as the host. Wine is known by the export of its ntdll
// that Windows lacks; whether Wine runs as root only the script that
// starts it knows, and says so with "--as-root".
#include <string.h>

#include "platform/platform.h"
#include "tests/contract/contract.h"
#include "tests/contract/host.h"

namespace contract {
namespace {
bool asRoot = false;
}

bool OpenHost(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (strcmp(argv[i], "--as-root") == 0) asRoot = true;
  return true;
}

bool RunningOnWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

bool RunningAsRoot() { return asRoot; }

}  // namespace contract
