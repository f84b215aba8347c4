#include "log/end_of_run.h"

#include <stdlib.h>

#include "platform/platform.h"
#include "setup/info_process.h"

namespace {
bool g_ran = false;

void EndOfRunAtExit() { RunEndOfRunProcedure(); }
}  // namespace

void InstallEndOfRunProcedure() {
  g_ran = false;
  // The C runtime keeps the exit procedures installed before this one and
  // runs them after it, so the chain goes on.
  atexit(EndOfRunAtExit);
}

void RunEndOfRunProcedure() {
  if (g_ran) return;
  g_ran = true;
  CloseInfoViewer();
}
