// user32's dialog functions over the emulated windows: a modal dialog runs
// its procedure with WM_INITDIALOG, then turns each choice made on the
// terminal into the message a click would have sent, until EndDialog.
#include "platform/posix/ui/ui_posix.h"

#include <string.h>

#include <set>

namespace posix {
namespace {
std::set<Window*>& LiveWindows() {
  static std::set<Window*> windows;
  return windows;
}

std::unique_ptr<Window> MakeDialog(const DialogTemplate& from, DLGPROC proc) {
  auto dialog = std::make_unique<Window>();
  dialog->isDialog = true;
  dialog->proc = proc;
  for (const ControlTemplate& c : from.controls) {
    auto control = std::make_unique<Window>();
    control->parent = dialog.get();
    control->id = c.id;
    control->kind = c.kind;
    control->text = c.text;
    RegisterWindow(control.get());
    dialog->children.push_back(std::move(control));
  }
  RegisterWindow(dialog.get());
  return dialog;
}

void ReleaseDialog(Window* dialog) {
  for (auto& child : dialog->children) UnregisterWindow(child.get());
  UnregisterWindow(dialog);
}

void Send(Window& dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  dialog.proc(HandleOf(&dialog), message, wParam, lParam);
}

// A click on a check box changes its state before the procedure hears of it.
void Click(Window& dialog, int id) {
  Window* control = FindChild(&dialog, id);
  if (control && control->kind == ControlKind::CheckBox) control->checked = !control->checked;
  Send(dialog, WM_COMMAND, static_cast<WPARAM>(id), 0);
}

void RunModal(Window& dialog) {
  while (!dialog.ended) {
    TerminalChoice choice = AskDialogChoice(dialog);
    switch (choice.action) {
      case TerminalAction::Command:
        Click(dialog, choice.id);
        break;
      case TerminalAction::EditPath:
        if (Window* edit = FindChild(&dialog, 102)) edit->text = AskEditText(*edit);
        break;
      case TerminalAction::ClickLink:
        Send(dialog, WM_LBUTTONDOWN, 0,
             static_cast<LPARAM>((LinkClickY << 16) | LinkClickX));
        break;
      case TerminalAction::Escape:
        // Escape sends the cancel command, as the dialog manager does.
        Send(dialog, WM_COMMAND, IDCANCEL, 0);
        break;
    }
  }
}
}  // namespace

Window* WindowFromHandle(HWND handle) {
  Window* window = reinterpret_cast<Window*>(handle);
  return LiveWindows().count(window) ? window : nullptr;
}

HWND HandleOf(Window* window) { return reinterpret_cast<HWND>(window); }
void RegisterWindow(Window* window) { LiveWindows().insert(window); }
void UnregisterWindow(Window* window) { LiveWindows().erase(window); }

Window* FindChild(Window* dialog, int id) {
  if (!dialog) return nullptr;
  for (auto& child : dialog->children)
    if (child->id == id) return child.get();
  return nullptr;
}

}  // namespace posix

using posix::Window;
using posix::WindowFromHandle;

extern "C" {

HMODULE GetModuleHandleA(LPCSTR moduleName) {
  static int self;
  return moduleName ? nullptr : reinterpret_cast<HMODULE>(&self);
}

INT_PTR DialogBoxParamA(HINSTANCE, LPCSTR templateName, HWND, DLGPROC dialogProc, LPARAM initParam) {
  const posix::DialogTemplate* found = posix::FindDialogTemplate(templateName);
  if (!found || !dialogProc) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return -1;
  }
  std::unique_ptr<Window> dialog = posix::MakeDialog(*found, dialogProc);
  posix::Send(*dialog, WM_INITDIALOG, 0, initParam);
  posix::RunModal(*dialog);
  posix::Send(*dialog, WM_DESTROY, 0, 0);
  INT_PTR result = dialog->result;
  posix::ReleaseDialog(dialog.get());
  return result;
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
  Window* window = WindowFromHandle(dialog);
  if (!window || !window->isDialog) return SetLastError(ERROR_INVALID_HANDLE), FALSE;
  // Only the first end counts: the procedure ends the dialog again when it
  // is destroyed.
  if (!window->ended) window->result = result;
  window->ended = true;
  return TRUE;
}

HWND GetDlgItem(HWND dialog, int id) {
  return posix::HandleOf(posix::FindChild(WindowFromHandle(dialog), id));
}

BOOL SetWindowTextA(HWND window, LPCSTR text) {
  Window* w = WindowFromHandle(window);
  if (!w) return SetLastError(ERROR_INVALID_HANDLE), FALSE;
  w->text = text ? text : "";
  return TRUE;
}

BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text) { return SetWindowTextA(GetDlgItem(dialog, id), text); }

UINT GetDlgItemTextA(HWND dialog, int id, LPSTR text, int size) {
  Window* w = WindowFromHandle(GetDlgItem(dialog, id));
  if (!text || size <= 0) return 0;
  if (!w) {
    text[0] = '\0';
    return 0;
  }
  size_t n = std::min(w->text.size(), static_cast<size_t>(size - 1));
  memcpy(text, w->text.data(), n);
  text[n] = '\0';
  return static_cast<UINT>(n);
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
  Window* w = WindowFromHandle(GetDlgItem(dialog, id));
  if (!w) return FALSE;
  w->checked = check == BST_CHECKED;
  return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
  Window* w = WindowFromHandle(GetDlgItem(dialog, id));
  return w && w->checked ? BST_CHECKED : BST_UNCHECKED;
}

BOOL EnableWindow(HWND window, BOOL enable) {
  Window* w = WindowFromHandle(window);
  if (!w) return FALSE;
  bool wasDisabled = !w->enabled;
  w->enabled = enable != FALSE;
  return wasDisabled;
}

LRESULT SendMessageA(HWND window, UINT message, WPARAM, LPARAM lParam) {
  Window* w = WindowFromHandle(window);
  if (!w) return 0;
  if (message == BFFM_SETSELECTIONA && w->isBrowser && lParam)
    w->selection = reinterpret_cast<const char*>(lParam);
  return 0;  // fonts and redraws mean nothing on a terminal
}

LONG SetWindowLongA(HWND window, int index, LONG value) {
  Window* w = WindowFromHandle(window);
  if (!w || index != GWL_EXSTYLE) return 0;
  LONG previous = w->exStyle;
  w->exStyle = value;
  return previous;
}

// Nothing that the core posts (a focus change) means anything on a terminal.
BOOL PostMessageA(HWND, UINT, WPARAM, LPARAM) { return TRUE; }

// The emulated folder browser is a prompt without child windows.
HWND FindWindowExA(HWND, HWND, LPCSTR, LPCSTR) { return nullptr; }

BOOL SetWindowPos(HWND window, HWND insertAfter, int, int, int, int, UINT) {
  Window* w = WindowFromHandle(window);
  if (!w) return FALSE;
  if (insertAfter == HWND_TOPMOST) w->topmost = true;
  return TRUE;
}

HWND ChildWindowFromPoint(HWND parent, POINT point) {
  if (point.x == posix::LinkClickX && point.y == posix::LinkClickY) return GetDlgItem(parent, 107);
  return WindowFromHandle(parent) ? parent : nullptr;
}

}  // extern "C"
