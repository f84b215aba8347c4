#include "common/root_key.h"

#include "common/message_box.h"
#include "common/message_buffer.h"
#include "common/run_state.h"
#include "common/str.h"

bool LookUpRootKey(const char* name, HKEY& key) {
  if (EqualsIgnoreCase(name, "HKLM"))
    key = HKEY_LOCAL_MACHINE;
  else if (EqualsIgnoreCase(name, "HKCU"))
    key = HKEY_CURRENT_USER;
  else if (EqualsIgnoreCase(name, "HKCR"))
    key = HKEY_CLASSES_ROOT;
  else
    return false;
  return true;
}

HKEY RootKeyFromName(const char* name) {
  HKEY key;
  if (LookUpRootKey(name, key)) return key;
  Str text("Error: Syntax-Error in [RegWrite]- or [RegRead]-Section ofINF-File, ");
  text += name;
  MessageBuffer += text + "\r\n";
  ShowErrorBox(text.c_str());
  RaiseErrorLevelToFailure();
  EndRun();
}
