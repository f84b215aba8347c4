// The size and place of a dialog on the screen. The templates are drawn for
// texts of a few words; a real path, title or URL needs more lines, and a
// text cut by its control hides the very question the dialog asks.
#include "dialog_ids.h"
#include "platform/platform.h"

namespace {
RECT WorkArea() {
  RECT work = {};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

// A child's rectangle in the dialog's client coordinates.
RECT RectInDialog(HWND child, HWND dialog) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// The height that the control's text needs at the control's width, broken
// into lines as the static control itself breaks it.
int TextHeight(HWND control, int width) {
  // Room for the longest text a dialog is given: a title of 2600 characters
  // with the question, or a message with two paths.
  static char buffer[4096];
  GetWindowTextA(control, buffer, sizeof buffer);
  HDC dc = GetDC(control);
  HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0));
  HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
  RECT rect = {0, 0, width, 0};
  DrawTextA(dc, buffer, -1, &rect, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  if (previous) SelectObject(dc, previous);
  ReleaseDC(control, dc);
  return rect.bottom;
}

void Resize(HWND window, int width, int height) {
  SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MoveTo(HWND window, int x, int y) {
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Controls that begin at or below fromY move down by delta.
void MoveControlsBelow(HWND dialog, int fromY, int delta) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT rect = RectInDialog(child, dialog);
    if (rect.top >= fromY) MoveTo(child, rect.left, rect.top + delta);
  }
}

// Grows one static to its text, by no more than the screen leaves room for.
void GrowToText(HWND dialog, int id, const RECT& work) {
  HWND control = GetDlgItem(dialog, id);
  if (!control) return;
  RECT rect = RectInDialog(control, dialog);
  int width = rect.right - rect.left, height = rect.bottom - rect.top;
  RECT frame;
  GetWindowRect(dialog, &frame);
  int room = (work.bottom - work.top) - (frame.bottom - frame.top);
  int delta = TextHeight(control, width) - height;
  if (delta > room) delta = room;
  if (delta <= 0) return;
  MoveControlsBelow(dialog, rect.bottom, delta);
  Resize(control, width, height + delta);
  Resize(dialog, frame.right - frame.left, frame.bottom - frame.top + delta);
}

// A dialog that grew past the bottom of the screen moves up.
void KeepOnScreen(HWND dialog, const RECT& work) {
  RECT frame;
  GetWindowRect(dialog, &frame);
  if (frame.bottom <= work.bottom) return;
  int top = work.bottom - (frame.bottom - frame.top);
  MoveTo(dialog, frame.left, top < work.top ? work.top : top);
}
}  // namespace

namespace platform {
void FitDialogToTexts(HWND dialog) {
  RECT work = WorkArea();
  GrowToText(dialog, IDC_MESSAGE, work);
  GrowToText(dialog, IDC_LINK, work);
  KeepOnScreen(dialog, work);
}

// A sixth of the screen stays free below the dialog.
void PlaceDialogLow(HWND dialog) {
  RECT work = WorkArea(), frame;
  GetWindowRect(dialog, &frame);
  int width = frame.right - frame.left, height = frame.bottom - frame.top;
  int top = work.bottom - height - (work.bottom - work.top) / 6;
  MoveTo(dialog, work.left + (work.right - work.left - width) / 2, top < work.top ? work.top : top);
}
}  // namespace platform
