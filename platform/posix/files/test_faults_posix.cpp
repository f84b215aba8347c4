// Faults for the tests that cannot be timed from outside a process: a copy
// killed in the middle and a medium taken away during a directory search.
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/posix/files/files_posix.h"

namespace posix {

// SETUP_TEST_KILL_COPY="K:N" kills the process (SIGKILL, nothing of ours
// runs after it) once the K-th CopyFileA of the run that gets to write,
// counted from 1, has written N bytes, as a power cut or an ended task would
// stop an installation in the middle of a file.
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

// A distribution medium taken out in the middle of a directory search cannot
// be timed from outside a test; this hook makes it happen at a chosen search
// step, so that the search's error path runs as it would on a real machine.

void TakeMediumAwayWhenDue(const std::string& hostDir) {
  static const char* setting = getenv("SETUP_TEST_MEDIUM_GONE_AFTER");
  static long callsLeft = setting ? atol(setting) : 0;
  if (callsLeft <= 0 || --callsLeft > 0) return;
  std::rename(hostDir.c_str(), (hostDir + ".gone").c_str());
}

}  // namespace posix
