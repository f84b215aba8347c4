#include "values/full_path.h"

#include "common/message_buffer.h"
#include "common/run_state.h"

namespace {
bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// One name of a \\server\share path: at least one character up to the next
// backslash (returned) or the end. Null when the name is empty.
const char* SkipName(const char* p) {
  const char* start = p;
  while (*p && *p != '\\') ++p;
  return p == start ? nullptr : p;
}
}  // namespace

bool IsFullPath(const char* path) {
  if (IsDriveLetter(path[0]) && path[1] == ':' && path[2] == '\\') return true;
  if (path[0] != '\\' || path[1] != '\\') return false;
  const char* server = SkipName(path + 2);
  return server && *server == '\\' && SkipName(server + 1);
}

Str NotFullPathText(const char* what, const char* path) {
  return Str("Error: ") + what + " is not a full path: " + path;
}

void LogNotFullPath(const char* what, const char* path) {
  MessageBuffer += NotFullPathText(what, path) + "\r\n";
  RaiseErrorLevelToFailure();
}
