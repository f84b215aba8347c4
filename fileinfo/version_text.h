// The texts and the number that a file's version resource turns into.
// Pure functions, apart from any platform call, so that they can be checked
// on their own.
#pragma once

#include <cstdint>

// Room for the longest version text, "65535.65535.65535.65535", and its NUL.
enum { VersionTextSize = 24 };
// Room for a translation text (8 hex digits) and its NUL.
enum { TranslationTextSize = 9 };

// The version text of the two product version fields: the high word of
// productMS in decimal, its low word with at least two digits, then the
// high and low words of productLS with at least four digits each, joined
// by "." (2.7.0.0 -> "2.07.0000.0000"). Writes into a VersionTextSize
// buffer and returns it.
char* FormatVersionText(uint32_t productMS, uint32_t productLS, char* text);

// The comparable version number: major * 2^32 + minor, both taken from the
// product version's most significant field. Never negative.
int64_t VersionNumberFromProductMS(uint32_t productMS);

// A 32-bit translation entry (language in the low word, code page in the
// high word) as 8 upper-case hex digits: the code page first. Writes into a
// TranslationTextSize buffer and returns it.
char* FormatTranslationText(uint32_t entry, char* text);

// The name of the string table of a translation text: its last four digits
// (the language) followed by its first four (the code page), "04E40409" ->
// "040904E4". Writes 8 characters and the NUL into table; a translation text
// that is not 8 characters long gives the empty name (there is no table to
// look in).
void StringTableName(const char* translationText, char* table);
