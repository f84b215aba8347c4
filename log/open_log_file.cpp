// OpenLogFile: the switch from collecting lines in MessageBuffer to writing
// them into LOGFILKW.LOG.
#include "common/create_dir_chain.h"
#include "common/environment_value.h"
#include "common/message_box.h"
#include "common/message_buffer.h"
#include "common/run_state.h"
#include "fileinfo/date_text.h"
#include "fileinfo/file_info.h"
#include "log/log_file.h"
#include "values/expand.h"
#include "values/full_path.h"

namespace {

// Directory values: at most 260 characters and the NUL.
enum { DirValueSize = 261 };

const char* const NoDirectoryText = "Error: no ProgramPath given, no temp or tmp found!";
const char* const CannotOpenText = "Error: could not create/open the the LogFile  ";
const char* const SectionRule = "==================================================";

// The installation directory as the run holds it. It was expanded when it
// was chosen; expanding it again would put the log elsewhere than the files
// whenever its text holds a percent sign. One that is not a full path (set
// by [RegRead], say) would put the log on the medium: refused, and the
// temporary directory takes the log.
bool InstallDirectoryForLog(char (&value)[DirValueSize]) {
  if (ReadEnvironmentValue("MyProgramPath", value) == 0) return false;
  if (IsFullPath(value)) return true;
  LogNotFullPath("the installation directory", value);
  return false;
}

// The temporary directory "tmp", else "temp", expanded, as the log's place
// when there is no installation directory. False (reported, ErrorLevel
// raised) when neither has a value.
bool ChooseTemporaryDirectory(char (&value)[DirValueSize]) {
  if (ReadEnvironmentValue("tmp", value) == 0) ReadEnvironmentValue("temp", value);
  if (value[0] == '\0') {
    MessageBuffer += NoDirectoryText;
    MessageBuffer += "\r\n";
    ShowErrorBox(NoDirectoryText);
    RaiseErrorLevelToFailure();
    return false;
  }
  MessageBuffer += "No ProgramPath given, using ";
  MessageBuffer += value;
  MessageBuffer += " for the LogFile!\r\n";
  char expanded[DirValueSize];
  ExpandInto(value, expanded);
  CopyToBuffer(value, DirValueSize, expanded);
  return true;
}

// The log's directory with exactly one trailing backslash added where it
// has none. False when there is none (reported).
bool ChooseLogDirectory(Str& dir) {
  char value[DirValueSize];
  if (!InstallDirectoryForLog(value) && !ChooseTemporaryDirectory(value)) return false;
  dir = value;
  if (dir.last() != '\\') dir += '\\';
  return true;
}

bool CreateLogDirectory(const Str& dir) {
  char path[DirValueSize + 1];  // room for the backslash added to a full value
  CopyToBuffer(path, sizeof path, dir.c_str());
  // The levels created here are not worth a line: the installation
  // directory was created (and logged) when it was chosen.
  Str createdLevels;
  if (CreateDirChain(path, createdLevels) >= 0) return true;
  MessageBuffer += "Error: can't create directory " + dir + "\r\n";
  ShowErrorBox(("Error: can't create directory " + dir + " (Access-Rights?)").c_str());
  RaiseErrorLevelToFailure();
  return false;
}

bool IsExistingFile(const char* path) {
  DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// An existing log is extended: each run's section begins with an empty line
// and a rule. The line ends push the text to the disk, so that a log that
// takes no more data is found out here, where the temporary directory can
// still take over.
bool OpenInDirectory(const Str& dir) {
  LogFilePath = dir + LogFileName;
  if (!IsExistingFile(LogFilePath.c_str())) return LogFile.Create(LogFilePath.c_str());
  return LogFile.OpenAppend(LogFilePath.c_str()) && LogFile.WriteLineEnd() &&
         LogFile.Write(SectionRule) && LogFile.WriteLineEnd();
}

enum TFallback { FallbackOpened, FallbackNoTemporaryDirectory, FallbackFailed };

// The log in the temporary directory, always begun afresh.
TFallback OpenInTemporaryDirectory() {
  LogFile.Close();
  MessageBuffer += CannotOpenText;
  MessageBuffer += LogFilePath;
  MessageBuffer += "\r\n";
  Str path;
  if (!TemporaryLogFilePath(path)) return FallbackNoTemporaryDirectory;
  LogFilePath = path;
  MessageBuffer += "Trying to use " + LogFilePath + " as Logfile\r\n";
  return LogFile.Create(LogFilePath.c_str()) ? FallbackOpened : FallbackFailed;
}

// No log anywhere: the run cannot record what it installs, so it stops
// here. The collected lines stay in MessageBuffer for the end of the run.
void ReportNoLogFile() {
  ShowErrorBox((CannotOpenText + LogFilePath).c_str());
  RaiseErrorLevelToFailure();
}

bool WriteHeader(const char* sourceFile) {
  Str now;
  CurrentDateTimeText(now);
  FILETIME time;
  Str created;
  Str changed;
  FileDateStr(sourceFile, FileTimeCreation, time, created);
  FileDateStr(sourceFile, FileTimeLastWrite, time, changed);
  return LogFile.Write("Date/Time:\t") && LogFile.Write(now.c_str()) && LogFile.WriteLineEnd() &&
         LogFile.Write("SourceInfFile\t") && LogFile.Write(sourceFile) &&
         LogFile.Write(" Created:") && LogFile.Write(created.c_str()) &&
         LogFile.Write(", Changed:") && LogFile.Write(changed.c_str()) && LogFile.WriteLineEnd();
}

// The lines collected so far; one line end follows even an empty buffer.
bool WriteCollectedLines() {
  if (!LogFile.Write(MessageBuffer.c_str(), MessageBuffer.size()) || !LogFile.WriteLineEnd())
    return false;
  MessageBuffer.clear();
  return true;
}

}  // namespace

TLogOpenResult TryOpenLogFile(const char* sourceFile, Str& ioMessage) {
  Str dir;
  if (!ChooseLogDirectory(dir)) return LogOpenEndsRun;
  if (!CreateLogDirectory(dir)) return LogOpenEndsRun;
  if (!OpenInDirectory(dir)) {
    switch (OpenInTemporaryDirectory()) {
      case FallbackOpened:
        break;
      case FallbackNoTemporaryDirectory:
        ReportNoLogFile();
        return LogOpenEndsRun;
      case FallbackFailed:
        ioMessage = LogIoErrorMessage();
        return LogOpenIoError;
    }
  }
  LogFileOpen = true;
  if (!WriteHeader(sourceFile) || !WriteCollectedLines()) {
    ioMessage = LogIoErrorMessage();
    return LogOpenIoError;
  }
  return LogOpened;
}

void OpenLogFile(const char* sourceFile) {
  Str ioMessage;
  switch (TryOpenLogFile(sourceFile, ioMessage)) {
    case LogOpened:
      return;
    case LogOpenEndsRun:
      EndRun();
    case LogOpenIoError:
      EndRunWithUncaughtError("EInOutError", ioMessage.c_str());
  }
}
