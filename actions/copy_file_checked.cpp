#include "actions/copy_file_checked.h"

#include "actions/backup_copy.h"
#include "actions/put_in_place.h"
#include "actions/shown_order.h"
#include "common/dialog_record.h"
#include "common/dialog_runner.h"
#include "common/message_box.h"
#include "common/message_buffer.h"
#include "common/run_state.h"
#include "common/system_message.h"
#include "fileinfo/file_info.h"
#include "log/log_file.h"
#include "values/profile_values.h"

namespace {
enum { UrlBufferSize = 720 };

char g_urlBuffer[UrlBufferSize];

// The answer that the prompt's "always" box gave for every later prompt of
// the run (0: none yet), and the backup folder that went with it.
int g_alwaysAnswer = 0;
Str g_alwaysBackupFolder;

// A file as the version read left it open, closed on every way out.
struct HeldFile {
  HANDLE handle = INVALID_HANDLE_VALUE;
  HeldFile() = default;
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;
  ~HeldFile() { Close(); }
  void Close() {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    handle = INVALID_HANDLE_VALUE;
  }
};
// What the comparison knows of one file.
struct FileSide {
  int64_t number = 0;  // version number, or -1/+1/0 of the date comparison
  Str text;            // version or date text
  Str language;        // translation text, only when the version number is not 0
  FILETIME written = {0, 0};
};

FileSide ReadSide(const char* path, HANDLE* keepOpen = nullptr, FileHead* head = nullptr) {
  FileSide side;
  int64_t number = ReadVersionInfo(path, side.text, keepOpen, head);
  side.number = number < 0 ? 0 : number;
  if (side.number != 0) side.language = VersionInfo.Translation;
  return side;
}

// Files without version information compare by the date of their last write,
// in the steps that the date texts show. A target that does not exist has
// no date: its time 0 compares as earlier. The new file's time comes with
// the search that found it, which saves opening the file once more for the
// same answer.
void SwitchToDates(const FILETIME& newFileWritten, const char* target, bool targetExists, HANDLE openTarget,
                   FileSide& n, FileSide& i) {
  n.written = newFileWritten;
  FileTimeDateStr(n.written, n.text);
  if (openTarget != INVALID_HANDLE_VALUE)
    OpenFileDateStr(openTarget, FileTimeLastWrite, i.written, i.text);
  else if (targetExists)
    FileDateStr(target, FileTimeLastWrite, i.written, i.text);
  i.number = CompareDateTexts(i.written, n.written);
}

// The installed file is the newer one by what the prompt would show.
bool InstalledLooksNewer(const FileSide& n, const FileSide& i, bool dateMode) {
  if (dateMode) return i.number > 0;
  return CompareVersionTexts(i.text.c_str(), n.text.c_str()) > 0;
}

Str PromptText(const char* target, const FileSide& n, const FileSide& i, bool dateMode) {
  Str text = Str("The file \"") + target + "\" in your system has the ";
  if (dateMode)
    text += Str("Date ") + i.text + " and you tried to install a file dated " + n.text;
  else
    text += Str("version ") + i.text + " and you tried to install version " + n.text;
  return text + ", you should skip!";
}

// Shows the skip-or-overwrite prompt, unless "always" answered it already.
int AskUser(const char* target, const char* controlFile, const Str& message) {
  if (g_alwaysAnswer) {
    DlgRec.Backup = !g_alwaysBackupFolder.empty();
    CopyToBuffer(g_urlBuffer, sizeof g_urlBuffer, g_alwaysBackupFolder.c_str());
    return g_alwaysAnswer;
  }
  ReadProfileValue(controlFile, "Info", "URL", g_urlBuffer);
  DlgRec.Text = message;
  DlgRec.PathBuf = g_urlBuffer;
  DlgRec.PathBufSize = UrlBufferSize;
  int result = static_cast<int>(RunDialog("MsgBoxSOC"));
  if (DlgRec.Always && (result == DialogAccepted || result == DialogOverwrite)) {
    g_alwaysAnswer = result;
    g_alwaysBackupFolder = (result == DialogOverwrite && DlgRec.Backup) ? Str(g_urlBuffer) : Str();
  }
  return result;
}

// The failure of a copy, in a box (the system's reason on its second line)
// and in the log, so that a user who reads only the log learns it too.
void ReportCopyFailure(const char* newFile, const char* target) {
  DWORD error = GetLastError();
  Str reason = SystemReasonOrNumber(error);
  Str failure = Str("Error: can't copy ") + newFile + " to " + target;
  WriteLogLine(failure, ": ", reason);
  ShowErrorBox((failure + "\r" + reason).c_str());
}

void WriteOutcome(const char* target, const FileSide& from, const char* outcome, const FileSide* to) {
  WriteLog(target);
  WriteLog('\t');
  WriteLog(from.text);
  WriteLog(' ');
  WriteLog(from.language);
  WriteLog(outcome);
  if (to) {
    WriteLog(to->text);
    WriteLog(' ');
    WriteLog(to->language);
  }
  WriteLogLineEnd();
}
}  // namespace

void ResetCopyPromptMemory() {
  g_alwaysAnswer = 0;
  g_alwaysBackupFolder.clear();
}

uint32_t CopyFileChecked(const char* newFile, const char* target, const char* controlFile,
                         uint32_t flags, const WIN32_FIND_DATAA& found) {
  HeldFile source;
  // A large file goes by the platform's own copy, which can copy without
  // passing the bytes through this process; a small one is copied from the
  // handle that its version check opened, starting with what that read.
  bool large = (found.nFileSizeHigh | (found.nFileSizeLow >> 20)) != 0;
  FileHead head = CopyHeadRoom();
  FileSide n = large ? ReadSide(newFile) : ReadSide(newFile, &source.handle, &head);
  // Most targets of an installation are new: one look instead of reading
  // the version and the date of a file that is not there.
  bool targetExists = GetFileAttributesA(target) != INVALID_FILE_ATTRIBUTES;
  HeldFile installed;
  FileSide i = targetExists ? ReadSide(target, &installed.handle) : FileSide();
  bool dateMode = n.number == 0;
  if (dateMode) SwitchToDates(found.ftLastWriteTime, target, targetExists, installed.handle, n, i);
  // The installed file must be closed before anything replaces it.
  installed.Close();

  bool backupWanted = false;
  if (InstalledLooksNewer(n, i, dateMode)) {
    int answer = AskUser(target, controlFile, PromptText(target, n, i, dateMode));
    if (answer == DialogCancelled) {
      RaiseErrorLevelToFailure();
      MessageBuffer += "FileCopy canceled by User";
      return flags | CopyStop;
    }
    if (answer == DialogOverwrite) {
      n.number = i.number + 1;
      flags |= CopyOverwrote;
      backupWanted = DlgRec.Backup;
    } else {
      i.number = n.number + 1;
      flags |= CopySkipped;
    }
  }

  if (i.number > n.number) {
    WriteOutcome(target, i, " not replaced by ", &n);
    return flags;
  }
  // A backup that fails keeps the installed file: nothing is lost.
  if (backupWanted && !SaveBackupCopy(target, g_urlBuffer)) return flags;
  RemoveLeftoverTemporaries(target);
  if (!PutFileInPlace(newFile, source.handle, head, found, target)) {
    ReportCopyFailure(newFile, target);
    RaiseErrorLevelToFailure();
    return flags | CopyStop;
  }
  if (n.text.equals(i.text.c_str()) && n.language.equals(i.language.c_str()))
    WriteOutcome(target, n, " refreshed", nullptr);
  else if (!i.text.empty())
    WriteOutcome(target, i, " replaced by ", &n);
  else
    WriteOutcome(target, n, " created", nullptr);
  return flags;
}
