// Dialogs and message boxes of the POSIX emulation, shown on a terminal.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/posix/win32_api_posix.h"

namespace posix {

// ---- dialog templates (dialog_templates_posix.cpp) ----

enum class ControlKind { Button, DefaultButton, CheckBox, Edit, Static };

struct ControlTemplate {
  int id;
  ControlKind kind;
  std::string text;
};

struct DialogTemplate {
  std::string name;
  std::vector<ControlTemplate> controls;
};

// The template of that resource name (matched without regard to case), or
// nullptr.
const DialogTemplate* FindDialogTemplate(const char* name);
const std::vector<DialogTemplate>& DialogTemplates();

// ---- dialog windows (dialog_window_posix.cpp) ----

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

// ---- message boxes (message_box_posix.cpp) ----

// The block written to standard error, e.g.
//   [SETUP V1.00] Error: C:\PKG\APP.INF-not found!
//     (error) [OK]
// Line breaks of the text ("\r", "\n", "\r\n") start new, indented lines.
std::string MessageBoxBlock(const char* text, const char* caption, UINT type);

// The button id that a typed answer chooses: a button's name or its first
// letter, without regard to case; an empty answer is the default button.
// 0 when the answer names no button of the box.
int MessageBoxAnswer(const std::string& typed, UINT type);

// The default button of the box (the first, or the one MB_DEFBUTTONn names).
int MessageBoxDefault(UINT type);

}  // namespace posix
