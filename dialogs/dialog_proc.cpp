#include "dialogs/dialog_proc.h"

#include <string.h>

#include "common/dialog_record.h"
#include "common/message_box.h"
#include "common/run_state.h"
#include "dialog_ids.h"
#include "dialogs/folder_browser.h"
#include "dialogs/viewer.h"
#include "log/log_file.h"

namespace {
HFONT LinkFont = nullptr;

bool HasControl(HWND dialog, int id) { return GetDlgItem(dialog, id) != nullptr; }

const char* PathText() { return DlgRec.PathBuf ? DlgRec.PathBuf : ""; }

void EnablePathControls(HWND dialog, bool enable) {
  EnableWindow(GetDlgItem(dialog, IDC_PATH), enable);
  EnableWindow(GetDlgItem(dialog, IDC_BROWSE), enable);
}

// The link: an underlined Swiss font of 8 points (blue: see LinkColour).
void PrepareLink(HWND dialog) {
  HDC screen = GetDC(nullptr);
  int height = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  LinkFont = CreateFontA(height, 0, 0, 0, FW_DONTCARE, FALSE, TRUE, FALSE, ANSI_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS,
                         nullptr);
  if (LinkFont)
    SendMessageA(GetDlgItem(dialog, IDC_LINK), WM_SETFONT, reinterpret_cast<WPARAM>(LinkFont), 0);
  SetDlgItemTextA(dialog, IDC_LINK, PathText());
}

// A static takes its colours from the dialog each time it paints, so the
// link is made blue here; the dialog's own colours and brush stay as they are.
INT_PTR LinkColour(HWND dialog, WPARAM dc, LPARAM control) {
  INT_PTR brush = DefWindowProcA(dialog, WM_CTLCOLORSTATIC, dc, control);
  if (reinterpret_cast<HWND>(control) == GetDlgItem(dialog, IDC_LINK))
    SetTextColor(reinterpret_cast<HDC>(dc), RGB(0, 0, 255));
  return brush;
}

// Where the keyboard starts: on "Skip copy" in the skip-or-overwrite prompt,
// so that Enter keeps the installed file, and in the path of the directory
// dialog; else on the template's first control.
HWND FirstFocus(HWND dialog) {
  if (HasControl(dialog, IDC_ALWAYS)) return GetDlgItem(dialog, IDC_ACCEPT);
  if (HasControl(dialog, IDC_PATH)) return GetDlgItem(dialog, IDC_PATH);
  return nullptr;
}

INT_PTR InitDialog(HWND dialog) {
  SetWindowTextA(dialog, SetupCaption);
  SetDlgItemTextA(dialog, IDC_MESSAGE, DlgRec.Text.c_str());
  if (HasControl(dialog, IDC_PATH)) SetDlgItemTextA(dialog, IDC_PATH, PathText());
  if (HasControl(dialog, IDC_BACKUP)) {
    CheckDlgButton(dialog, IDC_BACKUP, DlgRec.Backup ? BST_CHECKED : BST_UNCHECKED);
    EnablePathControls(dialog, DlgRec.Backup);
  }
  if (HasControl(dialog, IDC_ALWAYS))
    CheckDlgButton(dialog, IDC_ALWAYS, DlgRec.Always ? BST_CHECKED : BST_UNCHECKED);
  if (HasControl(dialog, IDC_LINK)) PrepareLink(dialog);
  platform::FitDialogToTexts(dialog);
  // The continue prompt is shown beside the opening text, which it must
  // not hide: being topmost, it could not be put behind it.
  if (HasControl(dialog, IDC_LINK) && !HasControl(dialog, IDC_SHOW_LOG))
    platform::PlaceDialogLow(dialog);
  SetWindowLongA(dialog, GWL_EXSTYLE, WS_EX_TOPMOST);
  SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  HWND focus = FirstFocus(dialog);
  if (!focus) return TRUE;
  SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus), TRUE);
  return FALSE;  // the focus is set
}

void ReadPathBack(HWND dialog) {
  if (HasControl(dialog, IDC_PATH) && DlgRec.PathBuf && DlgRec.PathBufSize > 0)
    GetDlgItemTextA(dialog, IDC_PATH, DlgRec.PathBuf, DlgRec.PathBufSize);
}

INT_PTR Finish(HWND dialog, int id) {
  EndDialog(dialog, id);
  DlgRec.Result = id;
  return TRUE;
}

// "..." next to the path: a folder chosen in the browser must contain the
// dialog's folder name, which is appended when it does not. The browser
// starts at the nearest existing folder of the path, as it can select only
// what exists; when that is not the path itself, OK on it unchanged gives
// the path back as typed (the proposal of a first installation). A
// cancelled browser changes nothing: the dialog is still open.
void Browse(HWND dialog) {
  char typed[261];
  char path[261];
  char displayName[261];
  GetDlgItemTextA(dialog, IDC_PATH, typed, 259);
  CopyToBuffer(path, sizeof path, typed);
  NearestExistingFolder(path);
  Str start(path);
  if (BrowseForFolder(dialog, path, displayName, "Select Destination Folder for Installation", -1,
                      nullptr) == BrowseCancelled)
    return;
  if (!start.equals(typed) && start.equalsIgnoreCase(path)) return;
  path[255] = '\0';
  const char* suffix = DlgRec.FolderSuffix ? DlgRec.FolderSuffix : "";
  if (!*suffix || !strstr(path, suffix)) {
    size_t length = strlen(path);
    if (length == 0 || path[length - 1] != '\\') AppendToBuffer(path, sizeof path, "\\");
    AppendToBuffer(path, sizeof path, suffix);
  }
  SetDlgItemTextA(dialog, IDC_PATH, path);
}

void ShowLog() {
  if (StartViewer(LogFilePath.c_str()) >= 32) return;
  ShowMessageBox(("Error to show LogFile " + LogFilePath + " with Notepad.EXE").c_str(), MB_YESNO);
  ++ErrorLevel;
}

INT_PTR Command(HWND dialog, WPARAM id) {
  switch (id) {
    case IDC_ACCEPT:
      ReadPathBack(dialog);
      return Finish(dialog, IDC_ACCEPT);
    case IDC_CANCEL:
      MessageBeep(MB_ICONHAND);
      return Finish(dialog, IDC_CANCEL);
    case IDC_OVERWRITE:
      // The path field names the backup folder when "with Backup to" is ticked.
      if (DlgRec.Backup) ReadPathBack(dialog);
      return Finish(dialog, IDC_OVERWRITE);
    case IDC_BROWSE:
      Browse(dialog);
      return FALSE;
    case IDC_BACKUP:
      DlgRec.Backup = IsDlgButtonChecked(dialog, IDC_BACKUP) == BST_CHECKED;
      EnablePathControls(dialog, DlgRec.Backup);
      return FALSE;
    case IDC_ALWAYS:
      DlgRec.Always = IsDlgButtonChecked(dialog, IDC_ALWAYS) == BST_CHECKED;
      return FALSE;
    case IDC_SHOW_LOG:
      ShowLog();
      return FALSE;
    default:
      return FALSE;
  }
}

// A click on the link lets the shell open its text.
void Click(HWND dialog, LPARAM position) {
  POINT point = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
  HWND child = ChildWindowFromPoint(dialog, point);
  if (child && child == GetDlgItem(dialog, IDC_LINK))
    ShellExecuteA(dialog, "open", PathText(), "", nullptr, SW_SHOWNORMAL);
}

INT_PTR Destroy(HWND dialog) {
  EndDialog(dialog, DlgRec.Result);
  if (LinkFont) DeleteObject(LinkFont);
  LinkFont = nullptr;
  return TRUE;
}
}  // namespace

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return InitDialog(dialog);
    case WM_COMMAND:
      return Command(dialog, wParam);
    case WM_LBUTTONDOWN:
      Click(dialog, lParam);
      return FALSE;
    case WM_CTLCOLORSTATIC:
      return LinkColour(dialog, wParam, lParam);
    case WM_DESTROY:
      return Destroy(dialog);
    default:
      return FALSE;
  }
}
