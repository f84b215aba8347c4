#include "setup/run_sequence.h"

#include "actions/copy_files_section.h"
#include "actions/ini_write.h"
#include "actions/registry_write.h"
#include "actions/start_menu_links.h"
#include "common/dialog_record.h"
#include "common/dialog_runner.h"
#include "common/info_process.h"
#include "common/message_box.h"
#include "common/message_buffer.h"
#include "common/response_file.h"
#include "common/run_options.h"
#include "common/run_state.h"
#include "dialogs/info_prompt.h"
#include "dialogs/viewer.h"
#include "log/end_of_run.h"
#include "log/log_file.h"
#include "platform/platform.h"
#include "setup/caption.h"
#include "setup/control_file_location.h"
#include "setup/installed_copy.h"
#include "setup/previous_installation.h"
#include "values/registry_read.h"
#include "values/select_install_dir.h"
#include "values/shell_folders.h"

namespace {
enum { InfoWaitMs = 2500 };

void InitialiseRunState() {
  InfoProcess = PROCESS_INFORMATION();
  ErrorLevel = 0;
  InstallEndOfRunProcedure();
  MessageBuffer.clear();
}

// The switches of unattended runs; a bad switch or response file is an error
// before anything is installed.
void ReadUnattendedOptions() {
  Str error;
  bool ok = ReadRunOptions(GetCommandLineA(), error);
  if (ok && !RunOptions.AnswersFile.empty()) ok = LoadResponseFile(RunOptions.AnswersFile.c_str(), error);
  if (ok && !RunOptions.RecordFile.empty() && !StartRecording(RunOptions.RecordFile.c_str()))
    error = "Error: can't write the record file " + RunOptions.RecordFile, ok = false;
  if (ok) return;
  ShowErrorBox(error.c_str());
  RaiseErrorLevelToFailure();
  EndRunWithoutReport();
}

void ShowClosingText() {
  char value[2601];
  if (GetPrivateProfileStringA("Info", "After", "", value, sizeof value, SourceInfPath.c_str()) == 0)
    return;
  if (StartViewer(value) >= 32) return;
  ShowMessageBox((Str("Error to show Info ") + value + " with Notepad.EXE").c_str(), MB_YESNO);
  ++ErrorLevel;
}

void RunPhases() {
  DeriveProjectVersion();
  if (ShowInfoPrompt("Before", SourceInfPath.c_str(), InfoWaitMs, InfoProcess) == DialogCancelled)
    EndRunWithoutReport();
  InstalledInfPath = SystemInfDir() + "\\" + InfFileName;
  FindPreviousInstallation(SourceInfPath.c_str(), InstalledInfPath.c_str());
  ProbeInstalledCopy();
  if (SelectInstallDir(SourceInfPath.c_str(), InfDirNotWritable)) EndRunWithoutReport();
  ResolveStrings(ResolveSetVariables, SourceInfPath.c_str(), nullptr);
  PlaceInstalledCopy();
  PublishInstallDirectory();
  DlgRec.FolderSuffix = "";  // belonged to the directory selection, which is over
  ResolveStrings(ResolveWriteTargetFile, SourceInfPath.c_str(), InstalledInfPath.c_str());
  PublishRunVariables();
  RegRead_Expand_Strings(InstalledInfPath.c_str());
  ResolveStrings(ResolveSetAndWrite, SourceInfPath.c_str(), InstalledInfPath.c_str());
  ErrorLevel += WriteRegistrySection("RegWrite", SourceInfPath.c_str());
  ErrorLevel += WriteRegistrySection("RegWriteUninstall", SourceInfPath.c_str());
  OpenLogFile(SourceInfPath.c_str());
  CopyFilesSection(SourceInfPath.c_str());
  CreateStartMenuLinks(InstalledInfPath.c_str(), SourceInfPath.c_str(), UseSetupx);
  WriteIniEntries(SourceInfPath.c_str());
  CloseInfoViewer();
  ShowClosingText();
}
}  // namespace

int RunSetup(int argc, char** argv) {
  const char* whyNot = "";
  if (!platform::Startup(argc, argv, &whyNot)) {
    platform::WriteStandardError(whyNot);
    platform::WriteStandardError("\n");
    return 1;
  }
  InitialiseRunState();
  BuildSetupCaption();
  ReadUnattendedOptions();
  LocateControlFile();
  SourceInfPath = SourceDir + "\\" + InfFileName;
  RunPhases();
  EndRun();
}
