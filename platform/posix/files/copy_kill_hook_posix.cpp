// A fault for the tests: SETUP_TEST_KILL_COPY="K:N" kills the process
// (SIGKILL, nothing of ours runs after it) once the K-th CopyFileA of the
// run that gets to write, counted from 1, has written N bytes, as a power cut or an ended task
// would stop an installation in the middle of a file.
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include "platform/posix/files/files_posix.h"

namespace posix {
namespace {
long g_copiesStarted = 0;
}  // namespace

long long KillAfterBytesOfThisCopy() {
  ++g_copiesStarted;
  const char* hook = getenv("SETUP_TEST_KILL_COPY");
  if (!hook) return -1;
  char* end = nullptr;
  long copy = strtol(hook, &end, 10);
  if (copy != g_copiesStarted || *end != ':') return -1;
  return strtoll(end + 1, nullptr, 10);
}

void KillNow() {
  kill(getpid(), SIGKILL);
  for (;;) pause();
}

}  // namespace posix
