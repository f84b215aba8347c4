// %...% substitution in fields of an INF file.
#include "setupengine/inf_strings.h"

namespace {

// The [Strings] value of name, or nullptr.
const char* StringsEntry(const TInfFile& inf, const char* name) {
  int strings = FindInfSection(inf, "Strings");
  if (strings < 0) return nullptr;
  const TInfLine* line = FindInfLine(inf, strings, name);
  return line ? InfLineField(inf, *line, 1) : nullptr;
}

}  // namespace

Str SubstituteInfStrings(const TInfFile& inf, const char* text, const char* infDir) {
  Str result;
  const char* p = text;
  while (*p) {
    const char* open = p;
    while (*open && *open != '%') ++open;
    result.append(p, static_cast<size_t>(open - p));
    if (!*open) break;
    const char* close = open + 1;
    while (*close && *close != '%') ++close;
    if (!*close) {  // a lone '%' is kept
      result.append(open);
      break;
    }
    Str name(open + 1, static_cast<size_t>(close - open - 1));
    const char* value = name.empty() ? "%" : StringsEntry(inf, name.c_str());
    long id;
    Str folder;
    if (value) {
      result.append(value);
    } else if (ParseInfNumber(name.c_str(), &id) && DirIdPath(id, infDir, &folder)) {
      result.append(folder);
    } else {
      result.append(open, static_cast<size_t>(close - open + 1));
    }
    p = close + 1;
  }
  return result;
}

Str JoinInfPath(const Str& path, const char* name) {
  Str joined = path;
  if (!*name) return joined;
  if (joined.last() != '\\') joined.append('\\');
  joined.append(*name == '\\' ? name + 1 : name);
  return joined;
}

bool ParseInfNumber(const char* text, long* value) {
  bool negative = *text == '-';
  if (*text == '-' || *text == '+') ++text;
  int base = 10;
  if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text += 2;
  }
  if (!*text) return false;
  long result = 0;
  for (; *text; ++text) {
    char c = *text;
    int digit = c >= '0' && c <= '9' ? c - '0'
                : base == 16 && c >= 'a' && c <= 'f' ? c - 'a' + 10
                : base == 16 && c >= 'A' && c <= 'F' ? c - 'A' + 10
                : -1;
    if (digit < 0 || result > 0x7FFFFFF) return false;
    result = result * base + digit;
  }
  *value = negative ? -result : result;
  return true;
}
