#include "common/system_message.h"

bool SystemMessageText(DWORD code, DWORD width, Str& text) {
  text.clear();
  char* message = nullptr;
  DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
          (width & FORMAT_MESSAGE_MAX_WIDTH_MASK),
      nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&message),
      0, nullptr);
  if (!length || !message) return false;
  text.append(message, length);
  LocalFree(message);
  return true;
}

Str SystemReasonText(DWORD code) {
  Str text;
  SystemMessageText(code, FORMAT_MESSAGE_MAX_WIDTH_MASK, text);
  size_t length = text.size();
  while (length > 0 && (text[length - 1] == ' ' || text[length - 1] == '\r' || text[length - 1] == '\n'))
    --length;
  text.truncate(length);
  return text;
}

Str SystemReasonOrNumber(DWORD code) {
  Str reason = SystemReasonText(code);
  if (reason.empty()) reason = Str("error ").appendNumber(code);
  return reason;
}
