#include "common/run_state.h"

#include "common/message_box.h"
#include "common/message_buffer.h"
#include "common/run_options.h"
#include "log/end_of_run.h"
#include "platform/platform.h"

int32_t ErrorLevel = 0;
char SetupCaption[SetupCaptionSize] = "";
Str SourceDir;
Str InfFileName;
Str SourceInfPath;
Str InstalledInfPath;
Str ProjectVersion;
bool InfDirNotWritable = false;
bool UseSetupx = false;

namespace {
bool g_uncaughtError = false;

// The exit code of the process: 0 (1 after an uncaught error) as the
// interactive installer always had; unattended runs tell the result apart.
unsigned ExitCodeForRun() {
  if (g_uncaughtError) return 1;
  if (!RunOptions.Silent) return 0;
  if (RunOptions.CancelledByAnswers) return 4;
  if (ErrorLevel == 0) return 0;
  return ErrorLevel < 100 ? 2 : 3;
}
}  // namespace

void RaiseErrorLevelToFailure() {
  if (ErrorLevel < 100)
    ErrorLevel = 101;
  else
    ++ErrorLevel;
}

void EndRun() {
  RunEndOfRunProcedure();
  platform::ExitProcessNow(ExitCodeForRun());
}

void EndRunWithoutReport() {
  MessageBuffer.clear();
  EndRun();
}

void EndRunWithUncaughtError(const char* errorClass, const char* message) {
  g_uncaughtError = true;
  // The run stopped short of what it had to do; the result must not call
  // that a success.
  RaiseErrorLevelToFailure();
  Str text(errorClass);
  text += ": ";
  text += message;
  ShowMessageBox(text.c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
  EndRun();
}
