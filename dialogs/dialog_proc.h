// The one dialog procedure of the four dialog templates. It recognises a
// dialog by the controls its template contains; data goes in and out through
// DlgRec.
#pragma once

#include "platform/platform.h"

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
