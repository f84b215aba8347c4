// Placeholders for Win32 functions the emulation does not implement yet.
// Each is a weak symbol: the real implementation in its own file wins.
// This file shrinks as the emulation grows; it goes when it is empty.
#include "platform/posix/machine_posix.h"
#include "platform/platform.h"

#include <unistd.h>

#define PLACEHOLDER __attribute__((weak))

extern "C" {


}  // extern "C"
namespace posix {
}
namespace platform {
PLACEHOLDER void ExitProcessNow(unsigned code) { _exit(static_cast<int>(code)); }
}
