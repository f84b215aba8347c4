// The caption of every window of the installer.
#pragma once

#include "common/str.h"

// "SETUP V" + the version text of the program file + the maker notice.
void BuildSetupCaption();
// The first two components of a version text: "2.07.0000.0000" gives "2.07".
Str CutToMajorMinor(const Str& versionText);
// ProjectVersion from the file named by [Version] ProjectVersionFile.
void DeriveProjectVersion();
