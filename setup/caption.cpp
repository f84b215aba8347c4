#include "setup/caption.h"

#include "common/run_state.h"
#include "fileinfo/file_info.h"
#include "platform/platform.h"

namespace {
const char* const MakerNotice = " - Talven Software";
}

void BuildSetupCaption() {
  char program[MAX_PATH + 1];
  DWORD length = GetModuleFileNameA(nullptr, program, sizeof program);
  if (length >= sizeof program) length = sizeof program - 1;
  program[length] = '\0';
  Str versionText;
  ReadVersionInfo(program, versionText);
  SetupCaption[0] = '\0';
  AppendToBuffer(SetupCaption, sizeof SetupCaption, "SETUP V");
  AppendToBuffer(SetupCaption, sizeof SetupCaption, versionText.c_str());
  AppendToBuffer(SetupCaption, sizeof SetupCaption, MakerNotice);
}

Str CutToMajorMinor(const Str& versionText) {
  long p = versionText.find(".") + 1;  // counted from 1, 0 when there is none
  Str rest = versionText.substr(static_cast<size_t>(p), 255);
  long q = rest.find(".") + 1;
  long keep = p + q - 1;
  return keep > 0 ? versionText.substr(0, static_cast<size_t>(keep)) : Str();
}

void DeriveProjectVersion() {
  char value[2601];
  if (GetPrivateProfileStringA("Version", "ProjectVersionFile", "", value, sizeof value,
                               SourceInfPath.c_str()) == 0)
    return;
  Str versionText;
  ReadVersionInfo((SourceDir + "\\" + value).c_str(), versionText);
  ProjectVersion = CutToMajorMinor(versionText);
}
