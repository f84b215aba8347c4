// Standard error, the terminal and the immediate end of the process.
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include "platform/platform.h"

// _exit ends the process without the sanitizers' exit handlers, so an
// AddressSanitizer build asks for the leak check itself before leaving.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SETUP_LEAK_CHECK_AT_EXIT 1
#endif
#elif defined(__SANITIZE_ADDRESS__)
#define SETUP_LEAK_CHECK_AT_EXIT 1
#endif
#ifdef SETUP_LEAK_CHECK_AT_EXIT
#include <sanitizer/lsan_interface.h>
#endif

namespace platform {

bool HasStandardError() { return fcntl(STDERR_FILENO, F_GETFL) != -1; }

void WriteStandardError(const char* text) {
  if (!text || !HasStandardError()) return;
  size_t left = strlen(text);
  while (left > 0) {
    ssize_t n = write(STDERR_FILENO, text, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    text += n;
    left -= static_cast<size_t>(n);
  }
}

// Questions are asked on standard error and answered on standard input, so
// both must be the terminal: with standard error redirected the user would
// not see what is asked.
bool HasInteractiveTerminal() { return isatty(STDIN_FILENO) && isatty(STDERR_FILENO); }

void ExitProcessNow(unsigned code) {
  fflush(nullptr);
#ifdef SETUP_LEAK_CHECK_AT_EXIT
  // Ends the process with LeakSanitizer's failure code when something leaked.
  __lsan_do_leak_check();
#endif
  _exit(static_cast<int>(code));
}

}  // namespace platform
