#include "platform/posix/ui/ui_posix.h"

#include <strings.h>

#include "dialog_ids.h"

namespace posix {

const std::vector<DialogTemplate>& DialogTemplates() {
  using K = ControlKind;
  static const std::vector<DialogTemplate> templates = {
      {"MSGBOXCONTINUE",
       {{IDC_ACCEPT, K::DefaultButton, "OK"},
        {IDC_CANCEL, K::Button, "Cancel"},
        {IDC_MESSAGE, K::Static, "Continue Installation?"},
        {IDC_LINK, K::Static, ""}}},
      {"MSGBOXLOGFILE",
       {{IDC_ACCEPT, K::DefaultButton, "Close"},
        {IDC_SHOW_LOG, K::Button, "show Logfile"},
        {IDC_MESSAGE, K::Static, "Sucess?"},
        {IDC_LINK, K::Static, "LogFilePath"},
        {IDC_LABEL, K::Static, "Logfile:"}}},
      {"MSGBOXSOC",
       {{IDC_ALWAYS, K::CheckBox, "always"},
        {IDC_ACCEPT, K::DefaultButton, "Skip copy"},
        {IDC_OVERWRITE, K::Button, "Overwrite"},
        {IDC_BACKUP, K::CheckBox, "with Backup to"},
        {IDC_PATH, K::Edit, "FilePath"},
        {IDC_BROWSE, K::Button, "..."},
        {IDC_CANCEL, K::Button, "Cancel Install"},
        {IDC_MESSAGE, K::Static, "Continue Installation?"}}},
      {"PATHSEL",
       {{IDC_ACCEPT, K::Button, "&OK"},
        {IDC_MESSAGE, K::Static, "The program will be installed to:"},
        {IDC_CANCEL, K::Button, "Cancel"},
        {IDC_PATH, K::Edit, ""},
        {IDC_BROWSE, K::Button, "..."}}},
  };
  return templates;
}

const DialogTemplate* FindDialogTemplate(const char* name) {
  if (!name) return nullptr;
  for (const DialogTemplate& t : DialogTemplates())
    if (strcasecmp(t.name.c_str(), name) == 0) return &t;
  return nullptr;
}

}  // namespace posix
