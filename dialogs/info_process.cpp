#include "common/info_process.h"

PROCESS_INFORMATION InfoProcess = {};

void CloseInfoViewer() {
  if (InfoProcess.hProcess) TerminateProcess(InfoProcess.hProcess, 0);
  InfoProcess.hProcess = nullptr;
}
