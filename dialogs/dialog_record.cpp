#include "common/dialog_record.h"

// Zero-filled: the dialogs take a missing FolderSuffix for an empty one.
TDlgRec DlgRec;
