// The thread's last error code.
#include "platform/posix/win32_api_posix.h"

namespace {
thread_local DWORD g_lastError = 0;
}

extern "C" DWORD GetLastError(void) { return g_lastError; }
extern "C" void SetLastError(DWORD code) { g_lastError = code; }
