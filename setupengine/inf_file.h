// An INF file as the system's setup engine reads it (not as the profile
// functions read it): sections of lines, each line an optional key and a list
// of fields, with the engine's own syntax (quotes, comments, a trailing
// backslash that continues the line). Kept whole in fixed tables, so that an
// uninstall section can delete the file it was read from.
#pragma once

#include "common/str.h"

const int kMaxInfSections = 512;
const int kMaxInfLines = 8192;
const int kMaxInfFields = 32768;
// The engine refuses longer section names.
const int kMaxInfSectionName = 255;

struct TInfLine {
  int section;     // index into sections
  int lineNumber;  // 1-based line of the file where the line starts
  int key;         // offset of the key's text in the text pool, or -1
  int firstField;  // index into fields
  int fieldCount;
};

struct TInfFile {
  Str pool;  // every name and field, NUL-terminated, one after the other
  int sectionName[kMaxInfSections];  // offsets into pool
  int sectionCount;
  TInfLine lines[kMaxInfLines];  // in file order
  int lineCount;
  int fields[kMaxInfFields];  // offsets into pool
  int fieldCount;
};

// Why a file was refused: the line and a text such as "expected a section".
struct TInfError {
  int lineNumber;
  const char* text;
};

// Reads ANSI text (a UTF-16LE text with its byte-order mark is turned into
// ANSI first) into inf. Returns false with error filled when the engine would
// refuse the file.
bool ParseInfText(const char* text, size_t length, TInfFile* inf, TInfError* error);

// Index of a section (names without regard to case), or -1. Sections of
// the same name are one section, as the engine merges them.
int FindInfSection(const TInfFile& inf, const char* name);
const char* InfSectionName(const TInfFile& inf, int section);
// The lines of a section in file order: NextSectionLine(inf, s, nullptr) is
// the first, nullptr follows the last.
const TInfLine* NextSectionLine(const TInfFile& inf, int section, const TInfLine* after);
const char* InfLineKey(const TInfFile& inf, const TInfLine& line);  // "" without a key
// Field 1 is the first after the key; "" past the last field.
const char* InfLineField(const TInfFile& inf, const TInfLine& line, int number);
// The first line of a section whose key is name (without regard to case).
const TInfLine* FindInfLine(const TInfFile& inf, int section, const char* name);
