#include "values/select_install_dir.h"

#include <string.h>

#include "common/create_dir_chain.h"
#include "common/dialog_record.h"
#include "common/dialog_runner.h"
#include "common/message_box.h"
#include "common/message_buffer.h"
#include "common/run_state.h"
#include "values/expand.h"
#include "values/full_path.h"
#include "values/profile_values.h"

bool InstallDirSelected = false;

namespace {
enum { PathBufferSize = 261, ReadBufferSize = 262 };

// The dialog edits this buffer; DlgRec points into it while the dialog runs.
char g_path[PathBufferSize];
// What the dialog showed last: already expanded (the proposal, or an attempt
// that failed), so the same text coming back is not expanded a second time.
char g_shown[PathBufferSize];

void FillDialogRecord() {
  DlgRec.Text = "The Programm will be installed to";
  DlgRec.PathBuf = g_path;
  DlgRec.PathBufSize = PathBufferSize;
  DlgRec.FolderSuffix = LastPathComponent(g_path);
  CopyToBuffer(g_shown, PathBufferSize, g_path);
}

// The accepted text, expanded here once and for all (a /DIR= or a typed
// %name%): every later use of MyProgramPath takes its text as it stands, so
// the log, the files, the links and the INI entries all meet in the same
// folder even when that text still holds a percent sign.
void ExpandAcceptedPath() {
  if (strcmp(g_path, g_shown) == 0) return;
  char expanded[PathBufferSize];
  ExpandInto(g_path, expanded);
  CopyToBuffer(g_path, PathBufferSize, expanded);
}

// A relative directory would be made beside the control file, on the
// medium: it is refused like one that cannot be created.
int CreateInstallDirectory() {
  if (IsFullPath(g_path)) return CreateDirChain(g_path, MessageBuffer);
  LogNotFullPath("the installation directory", g_path);
  ShowErrorBox(NotFullPathText("the installation directory", g_path).c_str());
  return DirChainFailed;
}

// Without a selection the directory is whatever the run inherited; it too
// is expanded here once, so that every use sees the same folder.
void ExpandInheritedPath() {
  char inherited[PathBufferSize];
  DWORD length = GetEnvironmentVariableA("MyProgramPath", inherited, PathBufferSize);
  if (length == 0 || length >= PathBufferSize) return;
  char expanded[PathBufferSize];
  ExpandInto(inherited, expanded);
  if (strcmp(inherited, expanded) != 0) SetEnvironmentVariableA("MyProgramPath", expanded);
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
  InstallDirSelected = false;
  if (ReadProfileValue(sourceFile, "Strings", "MyProgramPath", proposal) > 0)
    ExpandInto(proposal, g_path);
  if (!HasFilesToInstall(sourceFile) && !forceDialog) {
    ExpandInheritedPath();
    return false;
  }
  // A directory that failed and was then corrected by the user is a
  // warning of this run, not its failure: its error line stays in the log.
  int32_t levelBeforeFailure = ErrorLevel;
  bool failed = false;
  for (;;) {
    FillDialogRecord();
    if (RunDialog("PathSel") == DialogCancelled) {
      MessageBuffer.clear();
      return true;
    }
    ExpandAcceptedPath();
    if (!g_path[0] || CreateInstallDirectory() != DirChainFailed) break;
    ShowErrorBox("Error: Failed to create InstallDirectory");
    RaiseErrorLevelToFailure();
    failed = true;
  }
  if (failed) ErrorLevel = levelBeforeFailure + 1;
  SetEnvironmentVariableA("MyProgramPath", g_path);
  InstallDirSelected = true;
  return false;
}
