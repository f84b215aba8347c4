#include "check/line_index.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// [start, end) without the blanks around it.
void Trim(const char*& start, const char*& end) {
  while (start < end && IsBlank(*start)) ++start;
  while (end > start && IsBlank(end[-1])) --end;
}

int FindSection(const TLineIndex& index, const char* name) {
  for (int i = 0; i < index.SectionCount; ++i)
    if (index.Sections[i].First == i && index.Sections[i].Name.equalsIgnoreCase(name)) return i;
  return -1;
}

int FindKey(const TLineIndex& index, int section, const char* name) {
  for (int i = 0; i < index.KeyCount; ++i)
    if (index.Keys[i].Section == section && index.Keys[i].Name.equalsIgnoreCase(name)) return i;
  return -1;
}

void AddSection(TLineIndex& index, const char* start, const char* end, int line) {
  if (index.SectionCount == MaxIndexedSections) {
    index.Truncated = true;
    return;
  }
  const char* close = start;
  while (close < end && *close != ']') ++close;
  const char* nameStart = start + 1;
  Trim(nameStart, close);
  TIndexedSection& section = index.Sections[index.SectionCount];
  section.Name = Str(nameStart, static_cast<size_t>(close - nameStart));
  section.Line = line;
  int first = FindSection(index, section.Name.c_str());
  section.First = first >= 0 ? first : index.SectionCount;
  ++index.SectionCount;
}

void AddKey(TLineIndex& index, const char* start, const char* end, int line) {
  if (index.SectionCount == 0) return;  // keys before any section are never read
  if (index.KeyCount == MaxIndexedKeys) {
    index.Truncated = true;
    return;
  }
  const char* nameEnd = start;
  while (nameEnd < end && *nameEnd != '=') ++nameEnd;
  Trim(start, nameEnd);
  TIndexedKey& key = index.Keys[index.KeyCount];
  key.Section = index.Sections[index.SectionCount - 1].First;
  key.Name = Str(start, static_cast<size_t>(nameEnd - start));
  key.Line = line;
  int first = FindKey(index, key.Section, key.Name.c_str());
  key.FirstLine = first >= 0 ? index.Keys[first].Line : line;
  ++index.KeyCount;
}

void IndexLine(TLineIndex& index, const char* start, const char* end, int line) {
  Trim(start, end);
  if (start == end || *start == ';') return;
  if (*start == '[')
    AddSection(index, start, end, line);
  else
    AddKey(index, start, end, line);
}

}  // namespace

void ScanLines(const char* text, size_t size, TLineIndex& index) {
  index.SectionCount = index.KeyCount = index.LineCount = index.FirstNulLine = 0;
  index.Truncated = false;
  size_t pos = 0;
  int line = 0;
  while (pos < size) {
    ++line;
    size_t end = pos;
    while (end < size && text[end] != '\n' && text[end] != '\r') {
      if (text[end] == '\0' && !index.FirstNulLine) index.FirstNulLine = line;
      ++end;
    }
    IndexLine(index, text + pos, text + end, line);
    if (end < size && text[end] == '\r' && end + 1 < size && text[end + 1] == '\n') ++end;
    pos = end + 1;
  }
  index.LineCount = line;
}

int SectionLine(const TLineIndex& index, const char* section) {
  int i = FindSection(index, section);
  return i >= 0 ? index.Sections[i].Line : 0;
}

int KeyLine(const TLineIndex& index, const char* section, const char* key) {
  int s = FindSection(index, section);
  if (s < 0) return 0;
  int k = FindKey(index, s, key);
  return k >= 0 ? index.Keys[k].Line : 0;
}
