// The emulation as the host: it runs on the simulated machine given by
// "--machine DIR" (a fresh one for each CTest run) and is never Wine.
#include <stdio.h>

#include "platform/platform.h"
#include "tests/contract/contract.h"
#include "tests/contract/host.h"

namespace contract {

bool OpenHost(int argc, char** argv) {
  const char* whyNot = "";
  if (platform::Startup(argc, argv, &whyNot)) return true;
  printf("cannot open the machine: %s\n", whyNot);
  return false;
}

bool RunningOnWine() { return false; }
bool RunningAsRoot() { return false; }

}  // namespace contract
