// Running one of the four dialog templates: MsgBoxContinue, PathSel,
// MsgBoxSOC, MsgBoxLogFile (names matched without regard to case).
#pragma once

#include "platform/platform.h"

// Fills nothing itself: the caller sets the DlgRec fields its template uses.
// The dialog is answered without being shown from /DIR (the first PathSel),
// from the response file, or in a silent run (or where no dialog can be
// shown) with its default: OK, the proposed directory, "Skip copy", Close.
// Returns the id that closed it (1, 2 or 4), as DlgRec.Result does, or the
// platform's failure value when the template cannot be loaded.
INT_PTR RunDialog(const char* templateName);
