// The end-of-run procedure: runs once however the run ends.
#pragma once

#include <cstdint>

// Installs the procedure so that it also runs when the process ends by a
// way that does not pass through EndRun.
void InstallEndOfRunProcedure();
// Runs the procedure (only the first call does anything): closes the
// information text's viewer, writes what is left in MessageBuffer to the log
// and closes it, and shows the result when a log was written.
void RunEndOfRunProcedure();

// The steps of the procedure, each callable on its own.

// Writes what is left in MessageBuffer into the open log, or, when the log
// was never opened, into a log of its own in the temporary directory (after
// a line naming it), then closes the log. False when no log file was open
// or could be created: the run then ends without a result.
bool WriteAndCloseLog();
// "Installation successfully!", "... with warnings!" or "... without success!".
const char* ResultSentence(int32_t errorLevel);
// The result dialog with the sentence for ErrorLevel and the log's path.
void ShowRunResult();
