#include "values/select_install_dir.h"

#include <string.h>

#include "actions/create_dir_chain.h"
#include "dialogs/dialog_record.h"
#include "dialogs/dialog_runner.h"
#include "dialogs/message_box.h"
#include "log/message_buffer.h"
#include "setup/phases.h"
#include "setup/run_state.h"
#include "values/expand.h"
#include "values/profile_values.h"

namespace {
enum { PathBufferSize = 261, ReadBufferSize = 262 };

// The dialog edits this buffer; DlgRec points into it while the dialog runs.
char g_path[PathBufferSize];

void FillDialogRecord() {
  DlgRec.Text = "The Programm will be installed to";
  DlgRec.PathBuf = g_path;
  DlgRec.PathBufSize = PathBufferSize;
  DlgRec.FolderSuffix = LastPathComponent(g_path);
}

bool HasFilesToInstall(const char* sourceFile) {
  char keys[ReadBufferSize];
  return ReadProfileKeyList(sourceFile, "Files", keys) > 0;
}
}  // namespace

const char* LastPathComponent(const char* path) {
  const char* cut = strrchr(path, '\\');
  return cut ? cut + 1 : path;
}

bool SelectInstallDir(const char* sourceFile, bool forceDialog) {
  char proposal[ReadBufferSize];
  g_path[0] = '\0';
  if (ReadProfileValue(sourceFile, "Strings", "MyProgramPath", proposal) > 0)
    ExpandInto(proposal, g_path);
  if (!HasFilesToInstall(sourceFile) && !forceDialog) return false;
  // A directory that failed and was then corrected by the user is a
  // warning of this run, not its failure: its error line stays in the log.
  int32_t levelBeforeFailure = ErrorLevel;
  bool failed = false;
  for (;;) {
    FillDialogRecord();
    if (RunDialog("PathSel") == IDCANCEL) {
      MessageBuffer.clear();
      return true;
    }
    if (!g_path[0] || CreateDirChain(g_path, MessageBuffer) != DirChainFailed) break;
    ShowErrorBox("Error: Failed to create InstallDirectory");
    RaiseErrorLevelToFailure();
    failed = true;
  }
  if (failed) ErrorLevel = levelBeforeFailure + 1;
  SetEnvironmentVariableA("MyProgramPath", g_path);
  return false;
}
