// The Windows and system directories of the machine.
#include "platform/posix/kernel/kernel_posix.h"
#include "platform/posix/machine/machine_posix.h"
#include "platform/posix/paths/paths_posix.h"

namespace posix {
namespace {

std::string SystemDirectory() { return WindowsDirectory() + "\\system32"; }

}  // namespace
}  // namespace posix

extern "C" UINT GetWindowsDirectoryA(LPSTR buffer, UINT size) {
  return posix::CopyOutText(posix::WindowsDirectory(), buffer, size);
}

extern "C" UINT GetSystemDirectoryA(LPSTR buffer, UINT size) {
  return posix::CopyOutText(posix::SystemDirectory(), buffer, size);
}
