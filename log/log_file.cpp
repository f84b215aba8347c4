#include "log/log_file.h"

#include "common/environment_value.h"
#include "common/message_buffer.h"
#include "common/run_state.h"
#include "common/system_message.h"

TTextFile LogFile;
Str LogFilePath;
bool LogFileOpen = false;
const char* const LogFileName = "LOGFILKW.LOG";

namespace {
// The temporary directory's value: at most 519 characters and the NUL.
enum { TempValueSize = 520 };

[[noreturn]] void EndRunForWriteError() {
  EndRunWithUncaughtError("EInOutError", LogIoErrorMessage().c_str());
}
}  // namespace

bool TemporaryLogFilePath(Str& path) {
  char value[TempValueSize];
  if (ReadEnvironmentValue("tmp", value) == 0 && ReadEnvironmentValue("temp", value) == 0)
    return false;
  path = value;
  if (path.last() != '\\') path += '\\';
  path += LogFileName;
  return true;
}

Str LogIoErrorMessage() {
  Str message("I/O error ");
  message.appendNumber(LogFile.LastError());
  message += " on ";
  message += LogFilePath;
  Str systemText = SystemReasonText(LogFile.LastError());
  if (!systemText.empty()) {
    message += ": ";
    message += systemText;
  }
  return message;
}

void WriteLog(const char* text) {
  if (!LogFile.Write(text)) EndRunForWriteError();
}

void WriteLog(const Str& text) {
  if (!LogFile.Write(text.c_str(), text.size())) EndRunForWriteError();
}

void WriteLog(char c) {
  if (!LogFile.Write(c)) EndRunForWriteError();
}

void WriteLogLineEnd() {
  if (!LogFile.WriteLineEnd()) EndRunForWriteError();
}

void FlushMessageBuffer() {
  if (!MessageBuffer.empty()) {
    WriteLog(MessageBuffer);
    WriteLogLineEnd();
  }
  MessageBuffer.clear();
}
