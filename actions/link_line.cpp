// The fields of a link line and the rundll form of its arguments.
#include "actions/link_line.h"

#include "platform/platform.h"
#include "values/fields.h"

namespace {
enum { FieldCount = 5, ShortArgumentsSize = 259 };

bool IsBlank(char c) { return c == ' '; }

bool BeginsWithRundll(const char* field) {
  const char* prefix = "RUNDLL";
  for (int i = 0; prefix[i]; ++i)
    if (UpperAscii(field[i]) != prefix[i]) return false;
  return true;
}

bool HoldsBlank(const char* text) {
  for (; *text; ++text)
    if (IsBlank(*text)) return true;
  return false;
}

// Position right behind the last backslash or colon: where the file name
// begins (0 when the text has no folder part).
size_t FileNameStart(const Str& text) {
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i)
    if (text[i] == '\\' || text[i] == ':') start = i + 1;
  return start;
}

// rundll starts in the folder of the INF it is given, with the bare name as
// its argument, because its command line cannot carry a quoted path: a name
// with a blank goes as its short form (the long text when there is none).
void ApplyRundllForm(TLinkLine& line) {
  Str whole = line.Arguments;
  size_t nameStart = FileNameStart(whole);
  line.WorkingDir = whole.substr(0, nameStart);
  Str name = whole.substr(nameStart);
  if (!HoldsBlank(name.c_str())) {
    line.Arguments = name;
    return;
  }
  char shortForm[ShortArgumentsSize];
  DWORD length = GetShortPathNameA(whole.c_str(), shortForm, ShortArgumentsSize);
  if (length > 0 && length < ShortArgumentsSize) line.Arguments = shortForm;
}

bool TakesRundllForm(const char* targetField, const char* argumentsField) {
  return BeginsWithRundll(targetField) && argumentsField[0] != '"' && HoldsBlank(argumentsField);
}
}  // namespace

bool ParseIconIndex(const char* text, int& index) {
  while (IsBlank(*text)) ++text;
  bool hasSign = *text == '-' || *text == '+';
  bool negative = *text == '-';
  if (hasSign) ++text;
  long long value = 0;
  int digits = 0;
  for (; *text >= '0' && *text <= '9'; ++text, ++digits) {
    value = value * 10 + (*text - '0');
    if (value > 2147483648LL) return false;
  }
  while (IsBlank(*text)) ++text;
  // A lone sign is no number; nothing at all is the missing index, 0.
  if (*text != '\0' || (hasSign && digits == 0)) return false;
  if (negative) value = -value;
  if (value > 2147483647LL) return false;
  index = static_cast<int>(value);
  return true;
}

void ParseLinkLine(char* value, TLinkLine& line) {
  char* fields[FieldCount];
  SplitFields(value, fields, FieldCount, SkipBlanksOf(1) | SkipBlanksOf(2) | SkipBlanksOf(3));
  line.Name = fields[0];
  line.Target = GetFieldText(fields[1]);
  line.Arguments = GetFieldText(fields[2]);
  line.WorkingDir.clear();
  line.IconFile = GetFieldText(fields[3]);
  line.IconIndexText = fields[4];
  line.IconIndex = 0;
  line.IconIndexInvalid = !ParseIconIndex(fields[4], line.IconIndex);
  if (line.IconIndexInvalid) line.IconIndex = 0;
  if (TakesRundllForm(fields[1], fields[2])) ApplyRundllForm(line);
}
