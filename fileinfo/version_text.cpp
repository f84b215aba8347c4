#include "fileinfo/version_text.h"

#include "common/str.h"

namespace {

// Appends value in decimal with at least minDigits digits (leading zeros).
char* AppendPadded(char* out, unsigned value, int minDigits) {
  char digits[12];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value);
  while (count < minDigits) digits[count++] = '0';
  while (count) *out++ = digits[--count];
  return out;
}

}  // namespace

char* FormatVersionText(uint32_t productMS, uint32_t productLS, char* text) {
  char* out = AppendPadded(text, productMS >> 16, 1);
  *out++ = '.';
  out = AppendPadded(out, productMS & 0xFFFF, 2);
  *out++ = '.';
  out = AppendPadded(out, productLS >> 16, 4);
  *out++ = '.';
  out = AppendPadded(out, productLS & 0xFFFF, 4);
  *out = '\0';
  return text;
}

int64_t VersionNumberFromProductMS(uint32_t productMS) {
  return (static_cast<int64_t>(productMS >> 16) << 32) + (productMS & 0xFFFF);
}

char* FormatTranslationText(uint32_t entry, char* text) {
  static const char hex[] = "0123456789ABCDEF";
  for (int i = 7; i >= 0; --i) {
    text[i] = hex[entry & 0xF];
    entry >>= 4;
  }
  text[8] = '\0';
  return text;
}

void StringTableName(const char* translationText, char* table) {
  table[0] = '\0';
  if (TextLength(translationText) != 8) return;
  for (int i = 0; i < 4; ++i) {
    table[i] = translationText[4 + i];
    table[4 + i] = translationText[i];
  }
  table[8] = '\0';
}
