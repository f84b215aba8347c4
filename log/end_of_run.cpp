#include "log/end_of_run.h"

#include <stdlib.h>

#include "common/dialog_record.h"
#include "common/dialog_runner.h"
#include "common/info_process.h"
#include "common/message_buffer.h"
#include "common/response_file.h"
#include "common/run_options.h"
#include "common/run_state.h"
#include "log/log_file.h"
#include "platform/platform.h"

// Nothing in here may end the run again (EndRun, the writes of log_file.h
// that end it on an I/O error, message boxes that a response file could
// refuse): this is what ending the run runs.

namespace {
bool g_ran = false;

// The path shown by the result dialog: a temporary directory value of up to
// 519 characters, a backslash and the file name.
char g_resultPath[540];

void EndOfRunAtExit() { RunEndOfRunProcedure(); }

// Lines that no file could take are not lost silently: whoever started the
// run from a console or a script still sees them.
void KeepLinesOnStandardError() {
  if (MessageBuffer.empty()) return;
  platform::WriteStandardError(MessageBuffer.c_str());
  platform::WriteStandardError("\n");
}

// A script that started the run sees the result whenever the result dialog
// is not shown: in a silent run, where nothing can show a dialog, or when the
// response file answers it, as an unshown prompt leaves its text there too.
bool ResultGoesToStandardError() {
  return RunOptions.Silent || !platform::CanShowDialogs() || HasAnswerLeft(AnswerMsgBoxLogFile);
}
}  // namespace

void InstallEndOfRunProcedure() {
  g_ran = false;
  // The C runtime keeps the exit procedures installed before this one and
  // runs them after it, so the chain goes on.
  atexit(EndOfRunAtExit);
}

bool WriteAndCloseLog() {
  if (!MessageBuffer.empty()) {
    if (!LogFileOpen) {
      Str path;
      if (TemporaryLogFilePath(path)) {
        LogFilePath = path;
        MessageBuffer += "Logfile: " + LogFilePath + "\r\n";
        LogFile.Create(LogFilePath.c_str());  // no header: only the collected lines
      }
    }
    if (!LogFile.Write(MessageBuffer.c_str(), MessageBuffer.size()) || !LogFile.WriteLineEnd())
      KeepLinesOnStandardError();
    MessageBuffer.clear();
  }
  return LogFile.Close();
}

const char* ResultSentence(int32_t errorLevel) {
  if (errorLevel == 0) return "Installation successfully!";
  if (errorLevel < 100) return "Installation done with warnings!";
  return "Installation done without success!";
}

void ShowRunResult() {
  const char* sentence = ResultSentence(ErrorLevel);
  DlgRec.Text = sentence;
  CopyToBuffer(g_resultPath, sizeof g_resultPath, LogFilePath.c_str());
  DlgRec.PathBuf = g_resultPath;
  DlgRec.PathBufSize = sizeof g_resultPath;
  if (ResultGoesToStandardError()) {
    platform::WriteStandardError(sentence);
    platform::WriteStandardError("\n");
  }
  RunDialog("MsgBoxLogFile");
}

void RunEndOfRunProcedure() {
  if (g_ran) return;
  g_ran = true;
  CloseInfoViewer();
  if (!WriteAndCloseLog()) return;
  ShowRunResult();
}
