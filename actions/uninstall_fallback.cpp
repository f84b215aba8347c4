#include "actions/uninstall_fallback.h"

#include "log/message_buffer.h"

namespace {
enum { LinksCreated = 1, NoAlternative = 101 };
}

int32_t RunUninstallFallback(const char* section, const char* errSection, const char* controlFile,
                             TLinkCreator createLinks) {
  MessageBuffer += "Warning: couldn't write Uninstall to Registry for ControlPanel, Software\r\n";
  MessageBuffer += "         Actual User does not have Administtrator Rights assumed\r\n";
  if (!*errSection) {
    MessageBuffer += Str("         and no ErrSection=... set in [") + section + "]\r\n";
    return NoAlternative;
  }
  if (createLinks(errSection, "", controlFile) == 0) {
    MessageBuffer += "Alternate Uninstall via Link sucessfully set\r\n";
    return LinksCreated;
  }
  MessageBuffer += "Alternate Uninstall via Link also failed\r\n";
  return NoAlternative;
}
