// The checker's own scan of a control file: where each section header and
// each key stands, so that findings carry line numbers and duplicates can be
// seen. The installer itself never needs this (the profile functions hide
// the lines), which is why it lives here and not in values/.
#pragma once

#include <cstddef>

#include "common/str.h"

enum { MaxIndexedSections = 512, MaxIndexedKeys = 8192 };

struct TIndexedSection {
  Str Name;
  int Line;
  // The first section of this name (case ignored); later ones are merged
  // into it by the profile functions, so their keys count as its keys.
  int First;
};

struct TIndexedKey {
  int Section;  // index into Sections of the first section of that name
  Str Name;
  int Line;
  int FirstLine;  // line of the first key of this name in the section
};

struct TLineIndex {
  TIndexedSection Sections[MaxIndexedSections];
  int SectionCount;
  TIndexedKey Keys[MaxIndexedKeys];
  int KeyCount;
  int LineCount;
  int FirstNulLine;  // 0: the text holds no NUL byte
  bool Truncated;    // more sections or keys than the index holds
};

// Scans size bytes of text (NUL bytes allowed) into index. Lines end at LF,
// CR LF or a lone CR; blanks around names are not part of them; lines that
// begin with ';' are comments.
void ScanLines(const char* text, size_t size, TLineIndex& index);

// Line of the first header of section (case ignored), 0 when absent.
int SectionLine(const TLineIndex& index, const char* section);
// Line of the first key of that name in section, 0 when absent.
int KeyLine(const TLineIndex& index, const char* section, const char* key);
