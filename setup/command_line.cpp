#include "setup/command_line.h"

namespace {
bool IsSeparator(char c) { return c != '\0' && static_cast<unsigned char>(c) <= ' '; }
}  // namespace

bool NextCommandLineArgument(const char*& cursor, Str& argument) {
  argument.clear();
  while (IsSeparator(*cursor)) ++cursor;
  if (!*cursor) return false;
  bool quoted = false;
  for (; *cursor; ++cursor) {
    char c = *cursor;
    if (c == '"') {
      quoted = !quoted;
      continue;
    }
    if (!quoted && IsSeparator(c)) break;
    argument += c;
  }
  return true;
}
