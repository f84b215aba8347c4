// The order in which the skip-or-overwrite prompt weighs an installed file
// against a new one: what their version or date texts show, read as numbers
// and dates. Compared as plain bytes, 10.00 would come before 9.00 and
// 1/1/2020 before 12/31/2019, and updates would be advised against.
#pragma once

#include "platform/platform.h"

// Two version texts "major.mm.rrrr.bbbb" by their four numbers, the major
// part first; an empty text comes before every other. Negative, 0 or
// positive as a is older than, the same as or newer than b.
int CompareVersionTexts(const char* a, const char* b);

// Two last-write times as their date texts show them, in the two-second
// steps of a DOS time, so that times with the same text are equal; a time
// without a text (a missing file) comes before every other. -1, 0 or +1.
int CompareDateTexts(const FILETIME& a, const FILETIME& b);
