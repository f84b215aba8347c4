// The four dialog templates as the emulation shows them: the same controls,
// ids, classes and texts, in the same order, as resources/dialogs.rc.
#pragma once

#include <string>
#include <vector>

namespace posix {

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

}  // namespace posix
