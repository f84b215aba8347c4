// The checker's line scan over any bytes: it must stay within the text and
// its fixed index, and every line it records must lie within the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "check/line_index.h"

namespace {
TLineIndex Index;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ScanLines(reinterpret_cast<const char*>(data), size, Index);
  if (Index.SectionCount > MaxIndexedSections || Index.KeyCount > MaxIndexedKeys) abort();
  for (int i = 0; i < Index.KeyCount; ++i) {
    const TIndexedKey& key = Index.Keys[i];
    if (key.Line < 1 || key.Line > Index.LineCount || key.FirstLine > key.Line) abort();
    if (key.Section < 0 || key.Section >= Index.SectionCount) abort();
    KeyLine(Index, Index.Sections[key.Section].Name.c_str(), key.Name.c_str());
  }
  return 0;
}
