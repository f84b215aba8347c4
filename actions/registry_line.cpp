#include "actions/registry_line.h"

#include "values/fields.h"

namespace {
enum { RootField, SubkeyField, NameField, TypeField, DataField, FieldCount };
enum { MaxDwordDigits = 8 };

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}
}  // namespace

bool SplitRegWriteLine(char* line, TRegWriteLine& parts) {
  char* fields[FieldCount];
  int present = SplitFields(line, fields, FieldCount);
  if (present < 2) return false;
  parts.Root = fields[RootField];
  parts.Subkey = fields[SubkeyField];
  parts.ValueName = fields[NameField];
  // A type at the end of the line, without data behind it, does not count.
  bool hasData = present == FieldCount;
  parts.Type = hasData ? fields[TypeField] : "";
  parts.Data = hasData ? GetFieldText(fields[DataField]) : Str();
  return true;
}

TRegWriteType RegWriteTypeOf(const char* type) {
  if (!*type || EqualsIgnoreCase(type, "Reg_SZ") || EqualsIgnoreCase(type, "????"))
    return RegWriteString;
  if (EqualsIgnoreCase(type, "Reg_DWORD")) return RegWriteDword;
  return RegWriteUnknownType;
}

TDwordParse ParseDwordData(const char* data, DWORD& value) {
  const char* begin = data;
  while (IsBlank(*begin)) ++begin;
  const char* end = begin + TextLength(begin);
  while (end > begin && IsBlank(end[-1])) --end;
  if (end - begin > MaxDwordDigits) return DwordTooLong;
  DWORD number = 0;
  for (const char* c = begin; c < end; ++c) {
    int digit = HexDigitValue(*c);
    if (digit < 0) return DwordNotHex;
    number = number * 16 + static_cast<DWORD>(digit);
  }
  value = number;
  return DwordParsed;
}
