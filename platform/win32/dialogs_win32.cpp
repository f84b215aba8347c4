#include "platform/platform.h"

namespace platform {
// Windows always has a desktop to show dialogs on.
bool CanShowDialogs() { return true; }
}  // namespace platform
