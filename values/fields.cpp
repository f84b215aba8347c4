#include "values/fields.h"

const char* FindFieldEnd(const char* p) {
  if (*p == '"') {
    const char* q = p + 1;
    for (;;) {
      while (*q && *q != '"') ++q;
      if (!*q) return q;  // no closing quote: the field runs to the end
      if (q[1] != '"') return q + 1;
      q += 2;  // a doubled quote stands for one quote inside the field
    }
  }
  while (*p && *p != ',') ++p;
  return p;
}

char* FindFieldEnd(char* p) {
  return const_cast<char*>(FindFieldEnd(static_cast<const char*>(p)));
}

Str GetFieldText(const char* p, char quote) {
  Str text;
  if (!p || !*p) return text;
  if (*p != quote) return Str(p);
  const char* q = p + 1;
  while (*q) {
    if (*q == quote) {
      if (q[1] != quote) break;  // the closing quote
      ++q;                       // a doubled quote gives one
    }
    text += *q;
    ++q;
  }
  return text;
}

int SplitFields(char* text, char** fields, int count, unsigned skipBlanks) {
  char* p = text;
  int present = 1;
  for (int i = 0; i < count; ++i) {
    if (i < 32 && (skipBlanks & (1u << i)))
      while (*p == ' ') ++p;
    fields[i] = p;
    if (i == count - 1) break;  // the last wanted field keeps the rest
    char* end = FindFieldEnd(p);
    if (*end) {
      *end = '\0';
      p = end + 1;
      ++present;
    } else {
      p = end;  // later fields are missing and read as empty
    }
  }
  return present;
}
