// The opening information text in the viewer, and the continue prompt.
#include "dialogs/info_prompt.h"

#include <string.h>

#include "common/dialog_record.h"
#include "common/dialog_runner.h"
#include "common/message_box.h"
#include "common/run_options.h"
#include "common/run_state.h"
#include "dialogs/viewer.h"
#include "values/profile_values.h"

namespace {
enum { InfoValueSize = 2601 };

char g_url[InfoValueSize];
char g_noLink[1];

// Starts the viewer for the text; false when it could not be started. A
// silent run shows no viewer and leaves the process record as it was.
bool StartInfoViewer(const char* value, PROCESS_INFORMATION& process) {
  process = PROCESS_INFORMATION();
  if (RunOptions.Silent) return true;
  Str command = ViewerCommandLine(value);
  STARTUPINFOA startup;
  memset(&startup, 0, sizeof startup);
  startup.cb = sizeof startup;
  return CreateProcessA(nullptr, const_cast<char*>(command.c_str()), nullptr, nullptr, TRUE,
                        CREATE_DEFAULT_ERROR_MODE, nullptr, nullptr, &startup, &process) != 0;
}
}  // namespace

int ShowInfoPrompt(const char* key, const char* sourceFile, int waitMs, PROCESS_INFORMATION& process) {
  char value[InfoValueSize];
  if (ReadProfileValue(sourceFile, "Info", key, value) > 0) {
    if (!StartInfoViewer(value, process)) {
      if (ShowMessageBox("Error to show Info with Notepad.EXE, Continue?", MB_YESNO) == IDNO) {
        ++ErrorLevel;
        return DialogCancelled;
      }
    }
    if (waitMs >= 1 && !RunOptions.Silent) Sleep(static_cast<DWORD>(waitMs));
  }
  char titleKey[64];
  CopyToBuffer(titleKey, sizeof titleKey, key);
  AppendToBuffer(titleKey, sizeof titleKey, "Title");
  char title[InfoValueSize];
  DlgRec.Text = ReadProfileValue(sourceFile, "Info", titleKey, title) > 0
                    ? Str(title) + "\r" + "Continue Installation?"
                    : Str("Continue Installation?");
  if (ReadProfileValue(sourceFile, "Info", "URL", g_url) > 0) {
    DlgRec.PathBuf = g_url;
    DlgRec.PathBufSize = InfoValueSize - 1;
  } else {
    DlgRec.PathBuf = g_noLink;
    DlgRec.PathBufSize = sizeof g_noLink;
  }
  return static_cast<int>(RunDialog("MsgBoxContinue"));
}
