// The windows of the emulated dialogs: a dialog made from a template, its
// controls, and the folder browser. HWNDs handed to the core point at these.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/posix/ui/dialog_templates_posix.h"
#include "platform/posix/win32_api_posix.h"

namespace posix {

struct Window {
  Window* parent = nullptr;
  int id = 0;
  ControlKind kind = ControlKind::Static;
  std::string text;
  bool checked = false;
  bool enabled = true;
  // Dialogs only.
  bool isDialog = false;
  std::vector<std::unique_ptr<Window>> children;
  DLGPROC proc = nullptr;
  bool ended = false;
  INT_PTR result = 0;
  LONG exStyle = 0;
  bool topmost = false;
  // The folder browser only: the folder to preselect.
  bool isBrowser = false;
  std::string selection;
};

// The live window of a handle, or nullptr for a handle that is none of ours.
Window* WindowFromHandle(HWND handle);
HWND HandleOf(Window* window);
void RegisterWindow(Window* window);
void UnregisterWindow(Window* window);
Window* FindChild(Window* dialog, int id);

// The point that the terminal's "click the link" stands for: the dialog
// passes it in WM_LBUTTONDOWN and ChildWindowFromPoint maps it back.
enum { LinkClickX = 30000, LinkClickY = 30000 };

// The terminal's side of a dialog (dialog_terminal_posix.cpp).
enum class TerminalAction { Command, EditPath, ClickLink, Escape };
struct TerminalChoice {
  TerminalAction action;
  int id;  // for Command
};
TerminalChoice AskDialogChoice(Window& dialog);
// Asks for a new text of the edit control, showing the current one.
std::string AskEditText(const Window& edit);
// Asks for a folder (the folder browser on the terminal); false on cancel.
bool AskFolder(const std::string& title, const std::string& selection, std::string& chosen);

}  // namespace posix
