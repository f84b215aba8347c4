// The comma-separated fields of a control-file value.
//
// A field that begins with a double quote runs to its closing quote; two
// double quotes in a row inside it stand for one quote and do not close it.
// Any other field runs to the next comma. Blanks are part of a field unless
// the caller asks to skip those in front of it.
#pragma once

#include "common/str.h"

// Where the field that begins at p ends: for a quoted field the character
// right behind its closing quote (whatever stands there is taken as the
// separator; normally a comma or the terminating NUL), otherwise the first
// comma at or after p, or the terminating NUL. A quoted field without a
// closing quote ends at the terminating NUL. Never points past the NUL.
char* FindFieldEnd(char* p);
const char* FindFieldEnd(const char* p);

// The text of the field at p, which the caller has already closed with a NUL
// at its end. Null or empty gives the empty text. A field that begins with
// quote gives the characters up to its closing quote (the first quote not
// followed by another), each doubled quote giving one; what follows the
// closing quote is ignored; without a closing quote the field runs to the
// NUL. Any other field is returned unchanged, blanks and quotes included.
Str GetFieldText(const char* p, char quote = '"');

// Splits text in place into at most count fields (count >= 1): each field but
// the last wanted one is closed with a NUL at its end (overwriting its
// separator); the last one keeps the rest of the text, commas included.
// fields[i] receives the start of field i; a field that is missing points at
// the terminating NUL, so it reads as the empty text. When bit i of
// skipBlanks is set, blanks (spaces) in front of field i are skipped before
// its end is searched, so that a quote behind them opens a quoted field.
// Returns the number of fields present: 1 + the number of separators found,
// at most count.
int SplitFields(char* text, char** fields, int count, unsigned skipBlanks = 0);

// Bit for field index i (0-based) of SplitFields' skipBlanks.
constexpr unsigned SkipBlanksOf(int i) { return 1u << i; }
