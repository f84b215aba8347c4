// [SetMnuLNK]: the program's own Start-menu folder and its links.
#include "actions/start_menu_links.h"

#include "actions/create_links.h"
#include "actions/programs_menu_dir.h"
#include "common/create_dir_chain.h"
#include "common/environment_value.h"
#include "common/message_box.h"
#include "common/run_state.h"
#include "log/log_file.h"
#include "values/full_path.h"

namespace {
enum { StartMenuSize = 262 };

const char* const NoStartMenuText = "Error: can't find or create Start Menue Program directory";

// Makes the folder exist: 0 when it is there (or was created). A folder that
// names no place of its own would be made beside the control file, on the
// medium: it is refused like one that cannot be created.
int EnsureFolder(char* folder, Str& folderLog) {
  if (!IsFullPath(folder)) {
    LogNotFullPath("the Start Menu folder MyStartMenu", folder);
    return DirChainFailed;
  }
  int result = CreateDirChain(folder, folderLog);
  // A directory that had to be created is as good as one that was there.
  return result == DirChainCreated ? DirChainExists : result;
}

// Makes the folder in buffer exist, falling back to the folder below the
// user's Programs folder (which then replaces it in buffer). Ends the run
// when neither can be had.
void EnsureStartMenuFolder(char (&buffer)[StartMenuSize], const char* installedCopy, Str& folderLog) {
  int result = EnsureFolder(buffer, folderLog);
  FlushMessageBuffer();
  if (result != 0) {
    result = FindProgramsMenuDir(true, buffer, ProgramsFolderSize, installedCopy);
    FlushMessageBuffer();
    if (result == 0) {
      result = EnsureFolder(buffer, folderLog);
      FlushMessageBuffer();
    }
  }
  if (result == 0) return;
  WriteLogLine(NoStartMenuText, ' ', buffer);
  ShowErrorBox(NoStartMenuText);
  RaiseErrorLevelToFailure();
  EndRun();
}

// The folder as the control file's later values should see it: its short
// form for setupx, which cannot take blanks (the long one when the short
// form cannot be had).
void PublishStartMenu(const char* folder, const char* installedCopy, bool useShortPath) {
  char shortFolder[ProgramsFolderSize];
  const char* published = folder;
  if (useShortPath) {
    DWORD length = GetShortPathNameA(folder, shortFolder, ProgramsFolderSize);
    if (length > 0 && length < ProgramsFolderSize) published = shortFolder;
  }
  WritePrivateProfileStringA("Strings", "MyStartMenu", published, installedCopy);
  SetEnvironmentVariableA("MyStartMenu", published);
}
}  // namespace

void CreateStartMenuLinks(const char* installedInfPath, const char* sourceFile, bool useShortPath) {
  char folder[StartMenuSize];
  if (ReadEnvironmentValue("MyStartMenu", folder) != 0) {
    Str folderLog;
    EnsureStartMenuFolder(folder, installedInfPath, folderLog);
    WriteLogLine(folderLog);
    PublishStartMenu(folder, installedInfPath, useShortPath);
  }
  ReadEnvironmentValue("MyStartMenu", folder);
  ErrorLevel += CreateLinks("SetMnuLNK", folder, sourceFile);
  FlushMessageBuffer();
}
