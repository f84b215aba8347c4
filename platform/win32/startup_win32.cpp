// Process start on Windows: close the DLL-planting hole before anything else
// can load a library. SETUP.EXE has done so in its entry already; the tools
// that share this code start here.
#include "platform/platform.h"
#include "platform/win32/system_library_win32.h"

namespace platform {

bool Startup(int, char**, const char** whyNot) {
  win32::RestrictDllSearch();
  if (whyNot) *whyNot = "";
  return true;
}

}  // namespace platform
