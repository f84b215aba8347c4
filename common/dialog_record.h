// The one record through which data goes in and out of the dialogs. The
// phases that ask through a dialog fill it, so it is declared here; the
// dialogs define it (dialogs/dialog_record.cpp).
#pragma once

#include <cstdint>

#include "common/str.h"

struct TDlgRec {
  Str Text;               // message shown in static 101
  char* PathBuf = nullptr;  // caller's buffer: edit 102 and link 107
  int32_t PathBufSize = 0;  // capacity of PathBuf, NUL included
  const char* FolderSuffix = nullptr;  // a browsed path must contain this folder name
  int32_t Result = 0;       // id of the button that last closed a dialog
  bool Always = false;      // check box 105
  bool Backup = false;      // check box 104
};

extern TDlgRec DlgRec;
