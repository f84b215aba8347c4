// Running one of the four dialog templates: MsgBoxContinue, PathSel,
// MsgBoxSOC, MsgBoxLogFile (names matched without regard to case). Phases
// of every subsystem ask through them, so the runner is declared here; the
// dialogs define it (dialogs/dialog_runner.cpp).
#pragma once

#include "dialog_ids.h"
#include "platform/platform.h"

// What a dialog answers: the id of the button that closed it, the same in
// every template and in the response file.
enum TDialogAnswer {
  DialogAccepted = IDC_ACCEPT,  // "OK", "Skip copy", "Close"
  DialogCancelled = IDC_CANCEL,
  DialogOverwrite = IDC_OVERWRITE,
};

// Fills nothing itself: the caller sets the DlgRec fields its template uses.
// The dialog is answered without being shown from /DIR (the first PathSel),
// from the response file, or in a silent run (or where no dialog can be
// shown) with its default: OK, the proposed directory, "Skip copy", Close.
// Returns the TDialogAnswer that closed it, as DlgRec.Result does, or the
// platform's failure value when the template cannot be loaded.
INT_PTR RunDialog(const char* templateName);
