// One line of a link section:
//   key=link name,target,arguments,icon file,icon index
#pragma once

#include "common/str.h"

struct TLinkLine {
  const char* Name;  // field 1 as written (quotes kept); points into the split text
  Str Target;
  Str Arguments;
  Str WorkingDir;  // empty unless the line takes the rundll form
  Str IconFile;
  int IconIndex;
  // Field 5 was neither empty nor a decimal number; IconIndex is then 0 and
  // IconIndexText holds the field as written.
  bool IconIndexInvalid;
  const char* IconIndexText;
};

// Splits an expanded line value in place into its fields. Blanks in front
// of the target, the arguments and the icon file are skipped; a missing
// field reads as empty. A target written as rundll... (unquoted) with
// unquoted arguments holding a blank takes the rundll form: the arguments'
// folder becomes the working folder and the arguments their file name (or
// the short form of the whole text when the name holds a blank).
void ParseLinkLine(char* value, TLinkLine& line);

// Reads text as a decimal integer (blanks around it and a sign allowed);
// the empty text is 0. False for anything else or a number beyond int.
bool ParseIconIndex(const char* text, int& index);
