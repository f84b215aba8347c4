// Splits arbitrary [RegWrite] lines: every field lies inside the line, the
// type is classified and the DWORD data parsed without reading past it.
#include <cstring>
#include <string>
#include <vector>

#include "actions/registry_line.h"
#include "tests/fuzz/fuzz_machine.h"

namespace {

// A field is text of the line, or the empty text of a field not written.
bool Inside(const char* p, const std::vector<char>& line) {
  if (*p == '\0') return true;
  return p >= line.data() && p + strlen(p) < line.data() + line.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = fuzz::TextOf(data, size);
  std::vector<char> line(text.begin(), text.end());
  line.push_back('\0');
  TRegWriteLine parts;
  if (!SplitRegWriteLine(line.data(), parts)) return 0;
  fuzz::Check(Inside(parts.Root, line) && Inside(parts.Subkey, line), "key outside line");
  fuzz::Check(Inside(parts.ValueName, line) && Inside(parts.Type, line), "name outside line");
  fuzz::Check(parts.Data.size() <= text.size(), "data longer than line");
  RegWriteTypeOf(parts.Type);
  DWORD value = 0;
  if (ParseDwordData(parts.Data.c_str(), value) != DwordParsed) return 0;
  return 0;
}
