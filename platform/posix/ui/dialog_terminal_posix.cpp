// The dialogs on a terminal: the texts, the path field that can be edited,
// the buttons as numbered or lettered choices and the check boxes.
#include <stdio.h>

#include <string>

#include "dialog_ids.h"
#include "platform/platform.h"
#include "platform/posix/ui/ui_posix.h"

namespace posix {
namespace {
std::string ShownText(const std::string& text) {
  std::string shown;
  for (char c : text) {
    if (c == '&') continue;  // mnemonic marks
    shown += c == '\r' ? '\n' : c;
  }
  return shown;
}

// The letter or number that chooses a control on the terminal.
std::string KeyOf(const Window& control) {
  switch (control.id) {
    case IDC_BROWSE: return ".";
    case IDC_SHOW_LOG: return "v";
    case IDC_ALWAYS: return "a";
    case IDC_BACKUP: return "b";
    default: return std::to_string(control.id);
  }
}

bool ReadLine(std::string& line) {
  line.clear();
  int c;
  while ((c = fgetc(stdin)) != EOF && c != '\n') line += static_cast<char>(c);
  if (c == EOF && line.empty()) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

void Render(const Window& dialog) {
  fprintf(stderr, "\n=== %s ===\n", dialog.text.c_str());
  std::string buttons;
  for (const auto& c : dialog.children) {
    const Window& control = *c;
    std::string text = ShownText(control.text);
    switch (control.kind) {
      case ControlKind::Static:
        if (control.id == IDC_LINK) {
          if (!text.empty()) fprintf(stderr, "  <%s>   (o: open)\n", text.c_str());
        } else if (!text.empty()) {
          fprintf(stderr, "%s\n", text.c_str());
        }
        break;
      case ControlKind::Edit:
        fprintf(stderr, "  [%s]%s\n", text.c_str(), control.enabled ? "   (e: edit)" : "");
        break;
      case ControlKind::CheckBox:
        fprintf(stderr, "  (%s) [%c] %s\n", KeyOf(control).c_str(), control.checked ? 'x' : ' ',
                text.c_str());
        break;
      case ControlKind::Button:
      case ControlKind::DefaultButton:
        if (!control.enabled) break;
        buttons += "  " + KeyOf(control) + ") " + text;
        if (control.kind == ControlKind::DefaultButton && buttons.find('*') == std::string::npos)
          buttons += "*";
        break;
    }
  }
  fprintf(stderr, "%s\n", buttons.c_str());
}

const Window* DefaultButton(const Window& dialog) {
  for (const auto& c : dialog.children)
    if (c->kind == ControlKind::DefaultButton && c->enabled) return c.get();
  return nullptr;
}
}  // namespace

TerminalChoice AskDialogChoice(Window& dialog) {
  for (;;) {
    Render(dialog);
    fprintf(stderr, "choice> ");
    fflush(stderr);
    std::string line;
    if (!ReadLine(line)) return {TerminalAction::Escape, 0};
    if (line.empty()) {
      if (const Window* d = DefaultButton(dialog)) return {TerminalAction::Command, d->id};
      continue;
    }
    const Window* edit = FindChild(&dialog, IDC_PATH);
    if (line == "e" && edit && edit->enabled) return {TerminalAction::EditPath, 0};
    const Window* link = FindChild(&dialog, IDC_LINK);
    if (line == "o" && link && !link->text.empty()) return {TerminalAction::ClickLink, 0};
    for (const auto& c : dialog.children) {
      bool clickable = c->kind != ControlKind::Static && c->kind != ControlKind::Edit;
      if (clickable && c->enabled && KeyOf(*c) == line) return {TerminalAction::Command, c->id};
    }
    fprintf(stderr, "(not a choice: %s)\n", line.c_str());
  }
}

std::string AskEditText(const Window& edit) {
  fprintf(stderr, "new path (empty line keeps [%s]): ", edit.text.c_str());
  fflush(stderr);
  std::string line;
  if (!ReadLine(line) || line.empty()) return edit.text;
  return line;
}

bool AskFolder(const std::string& title, const std::string& selection, std::string& chosen) {
  fprintf(stderr, "\n%s\n  folder (empty line keeps [%s], \"-\" cancels): ", title.c_str(),
          selection.c_str());
  fflush(stderr);
  std::string line;
  if (!ReadLine(line) || line == "-") return false;
  chosen = line.empty() ? selection : line;
  return !chosen.empty();
}

}  // namespace posix

namespace platform {
bool CanShowDialogs() { return HasInteractiveTerminal(); }

// A terminal prints every text whole and has no screen to place a dialog on.
void FitDialogToTexts(HWND) {}
void PlaceDialogLow(HWND) {}
}  // namespace platform
