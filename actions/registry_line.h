// One key line of [RegWrite] or [RegWriteUninstall]:
//   root,subkey[,value name[,type,data]]
// The data is everything behind the fourth separator, so it may hold commas;
// a data field in double quotes loses them.
#pragma once

#include "common/str.h"
#include "platform/platform.h"

struct TRegWriteLine {
  const char* Root;       // as written
  const char* Subkey;     // as written, quotes included
  const char* ValueName;  // empty: the key's default value
  const char* Type;       // empty unless a data field follows it
  Str Data;
};

// Splits an expanded line in place. False when no separator follows the
// root field (the line is refused).
bool SplitRegWriteLine(char* line, TRegWriteLine& parts);

enum TRegWriteType { RegWriteString, RegWriteDword, RegWriteUnknownType };

// "Reg_SZ", "????" and an empty field are strings, "Reg_DWORD" a DWORD (any
// case); every other text is a type that is not implemented.
TRegWriteType RegWriteTypeOf(const char* type);

enum TDwordParse { DwordParsed, DwordTooLong, DwordNotHex };

// The DWORD of data: blanks at both ends removed, at most 8 hexadecimal
// digits, empty gives 0.
TDwordParse ParseDwordData(const char* data, DWORD& value);
