// Finding sections, lines and fields of a read INF file.
#include "setupengine/inf_file.h"

int FindInfSection(const TInfFile& inf, const char* name) {
  for (int i = 0; i < inf.sectionCount; ++i)
    if (EqualsIgnoreCase(inf.pool.c_str() + inf.sectionName[i], name)) return i;
  return -1;
}

const char* InfSectionName(const TInfFile& inf, int section) {
  return inf.pool.c_str() + inf.sectionName[section];
}

const TInfLine* NextSectionLine(const TInfFile& inf, int section, const TInfLine* after) {
  int from = after ? static_cast<int>(after - inf.lines) + 1 : 0;
  for (int i = from; i < inf.lineCount; ++i)
    if (inf.lines[i].section == section) return &inf.lines[i];
  return nullptr;
}

const char* InfLineKey(const TInfFile& inf, const TInfLine& line) {
  return line.key < 0 ? "" : inf.pool.c_str() + line.key;
}

const char* InfLineField(const TInfFile& inf, const TInfLine& line, int number) {
  if (number < 1 || number > line.fieldCount) return "";
  return inf.pool.c_str() + inf.fields[line.firstField + number - 1];
}

const TInfLine* FindInfLine(const TInfFile& inf, int section, const char* name) {
  for (const TInfLine* line = NextSectionLine(inf, section, nullptr); line;
       line = NextSectionLine(inf, section, line))
    if (line->key >= 0 && EqualsIgnoreCase(InfLineKey(inf, *line), name)) return line;
  return nullptr;
}
