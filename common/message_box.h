// Message boxes of the installer: no owner window, caption SetupCaption.
// Every subsystem shows them, so they are declared here; the dialogs define
// them (dialogs/message_box.cpp), where the answers given in advance are.
#pragma once

#include "platform/platform.h"

// Shows a message box, or answers it without showing it: from the response
// file when it has an answer for the next box, else in a silent run with the
// box's default (OK, or Yes for Yes/No boxes). A box that is not shown leaves
// its text on standard error and as a line "MessageBox: <text>" in
// MessageBuffer, so nothing that only the screen would have shown is lost.
// Returns the id of the button (IDOK, IDCANCEL, IDYES, IDNO).
int ShowMessageBox(const char* text, UINT type);

// The common error box: error icon and an OK button.
void ShowErrorBox(const char* text);
