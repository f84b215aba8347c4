// The end-of-run procedure: runs once however the run ends.
#pragma once

// Installs the procedure so that it also runs when the process ends by a
// way that does not pass through EndRun.
void InstallEndOfRunProcedure();
// Runs the procedure (only the first call does anything).
void RunEndOfRunProcedure();
