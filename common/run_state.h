// Process-wide state of one run of the installer. Every subsystem reads or
// raises it, so it is declared here, below them all; the run sequence owns it
// and defines it (setup/run_state.cpp).
#pragma once

#include <cstdint>

#include "common/str.h"

// Problem counter: 0 success, 1..99 warnings, 100 and more failure.
extern int32_t ErrorLevel;
// Caption of every dialog and message box: "SETUP V" + version + maker notice.
enum { SetupCaptionSize = 104 };
extern char SetupCaption[SetupCaptionSize];

extern Str SourceDir;         // directory of the control file, no trailing backslash
extern Str InfFileName;       // the control file's name within SourceDir
extern Str SourceInfPath;     // SourceDir + "\" + InfFileName
extern Str InstalledInfPath;  // the installed copy in the system INF directory
extern Str ProjectVersion;    // major.minor of [Version] ProjectVersionFile
extern bool InfDirNotWritable;
extern bool UseSetupx;

// Raises ErrorLevel into the failure range: to 101 below 100, else by one.
void RaiseErrorLevelToFailure();

// Ends the run at once: the end-of-run procedure runs, the process exits with
// exit code 0 (or the unattended code for the result).
[[noreturn]] void EndRun();
// Ends the run before anything was installed (a cancel, no usable control
// file, a bad switch): MessageBuffer is emptied, so that no log is written
// and no result is shown, also when a box was answered without being shown
// and left its line there. What the box said stays on standard error.
[[noreturn]] void EndRunWithoutReport();
// Ends the run for an error that nothing handles (the buffer overflow of the
// expansion, a failed write to the open log): a task-modal error box names
// the error class and its message, ErrorLevel goes into the failure range,
// the end-of-run procedure runs and the process exits with code 1.
[[noreturn]] void EndRunWithUncaughtError(const char* errorClass, const char* message);
