// The log file LOGFILKW.LOG: opening it in the installation directory (or the
// temporary directory), its header, and the writes that go straight into it
// once it is open.
//
// Until OpenLogFile has run, every line goes to MessageBuffer. Afterwards a
// phase may write its lines into LogFile directly (WriteLogLine) or append
// them to MessageBuffer and call FlushMessageBuffer.
#pragma once

#include "common/str.h"
#include "log/text_file.h"

extern TTextFile LogFile;
// The log's full path once chosen; the result dialog shows it.
extern Str LogFilePath;
// LogFile was opened by OpenLogFile.
extern bool LogFileOpen;

// The log file's fixed name.
extern const char* const LogFileName;

// Opens the log and writes the header and MessageBuffer into it. Ends the
// run when no directory can be had for it: no MyProgramPath, "tmp" or
// "temp"; a directory that cannot be created; a log that can be opened
// neither there nor in the temporary directory. A failed write of the header
// ends the run as an error that nothing handles.
void OpenLogFile(const char* sourceFile);

// What OpenLogFile decides, without ending the run (OpenLogFile ends it).
enum TLogOpenResult {
  LogOpened,
  // Reported (box, MessageBuffer line) and ErrorLevel raised: the run ends.
  LogOpenEndsRun,
  // An I/O error that nothing handles; ioMessage says what happened.
  LogOpenIoError,
};
TLogOpenResult TryOpenLogFile(const char* sourceFile, Str& ioMessage);

// The log in the temporary directory: "tmp" or, when that is not set,
// "temp", a backslash unless the value ends in one, and LOGFILKW.LOG. The
// value is taken as it stands, not expanded. False when neither is set.
bool TemporaryLogFilePath(Str& path);

// The text of the uncaught error for the last failure of LogFile.
Str LogIoErrorMessage();

// Direct writes into the open log. A failed write ends the run as the
// uncaught error EInOutError (it does not return then).
void WriteLog(const char* text);
void WriteLog(const Str& text);
void WriteLog(char c);
void WriteLogLineEnd();

// Writes the pieces (texts and single characters) and a line end:
// WriteLogLine(path, '\t', "created").
template <typename... Pieces>
void WriteLogLine(const Pieces&... pieces) {
  (WriteLog(pieces), ...);
  WriteLogLineEnd();
}

// Writes MessageBuffer into the open log followed by one line end, when it
// holds anything, then empties it. A failed write ends the run as WriteLog
// does.
void FlushMessageBuffer();
