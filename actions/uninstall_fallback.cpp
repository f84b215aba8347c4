#include "actions/uninstall_fallback.h"

#include "common/message_buffer.h"
#include "values/profile_values.h"

namespace {
enum { LinksCreated = 1, NoAlternative = 101, KeyListSize = 519 };

// A missing or empty section, or one whose lines are all empty, makes no
// link: the user would be left without any way to uninstall, so that is
// the fallback failing, not succeeding.
bool HasLinkLines(const char* controlFile, const char* section) {
  char keys[KeyListSize];
  ReadProfileKeyList(controlFile, section, keys);
  for (const char* key : KeyList(keys)) {
    char value[2];
    if (ReadProfileValue(controlFile, section, key, value) != 0) return true;
  }
  return false;
}
}  // namespace

int32_t RunUninstallFallback(const char* section, const char* errSection, const char* controlFile,
                             TLinkCreator createLinks) {
  MessageBuffer += "Warning: couldn't write Uninstall to Registry for ControlPanel, Software\r\n";
  MessageBuffer += "         Actual User does not have Administtrator Rights assumed\r\n";
  if (!*errSection) {
    MessageBuffer += Str("         and no ErrSection=... set in [") + section + "]\r\n";
    return NoAlternative;
  }
  if (HasLinkLines(controlFile, errSection) && createLinks(errSection, "", controlFile) == 0) {
    MessageBuffer += "Alternate Uninstall via Link sucessfully set\r\n";
    return LinksCreated;
  }
  MessageBuffer += "Alternate Uninstall via Link also failed\r\n";
  return NoAlternative;
}
