// A distribution medium taken out in the middle of a directory search cannot
// be timed from outside a test; this hook makes it happen at a chosen search
// step, so that the search's error path runs as it would on a real machine.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/posix/files/files_posix.h"

namespace posix {

void TakeMediumAwayWhenDue(const std::string& hostDir) {
  static const char* setting = getenv("SETUP_TEST_MEDIUM_GONE_AFTER");
  static long callsLeft = setting ? atol(setting) : 0;
  if (callsLeft <= 0 || --callsLeft > 0) return;
  std::rename(hostDir.c_str(), (hostDir + ".gone").c_str());
}

}  // namespace posix
