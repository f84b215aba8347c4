#include "dialogs/dialog_record.h"

TDlgRec DlgRec = {Str(), nullptr, 0, "", 0, false, false};
