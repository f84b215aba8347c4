// Splits arbitrary values into fields and checks that every field stays inside
// the value and that GetFieldText never yields more than its field holds.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "values/fields.h"

namespace {

void Check(bool condition) {
  if (!condition) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const int count = 1 + data[0] % 8;
  const unsigned skipBlanks = data[1];
  // The value as the profile read delivers it: NUL-terminated, no NUL inside.
  std::string value(reinterpret_cast<const char*>(data + 2), size - 2);
  value = value.substr(0, value.find('\0'));
  std::vector<char> buffer(value.begin(), value.end());
  buffer.push_back('\0');
  char* const begin = buffer.data();
  char* const nul = begin + value.size();

  // FindFieldEnd on every position never passes the terminating NUL.
  for (char* p = begin; p <= nul; ++p) {
    char* end = FindFieldEnd(p);
    Check(end >= p && end <= nul);
  }

  char* fields[8];
  int present = SplitFields(begin, fields, count, skipBlanks);
  Check(present >= 1 && present <= count);
  Check(*nul == '\0');
  for (int i = 0; i < count; ++i) {
    Check(fields[i] >= begin && fields[i] <= nul);
    if (i) Check(fields[i] >= fields[i - 1]);
    size_t fieldLength = strlen(fields[i]);
    Check(fields[i] + fieldLength <= nul);
    Str text = GetFieldText(fields[i]);
    Check(text.size() <= fieldLength);
    if (i >= present) Check(text.empty());
  }
  return 0;
}
