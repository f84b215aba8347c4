// GetShortPathNameA and ExpandEnvironmentStringsA: results and the sizes
// told for buffers that are too small.
#include <stdio.h>
#include <string.h>

#include "tests/contract/bytes.h"
#include "tests/contract/contract.h"
#include "tests/contract/scratch.h"
#include "tests/contract/tables.h"

namespace contract {
namespace {

struct ShortRow {
  int row;
  int deviation;
  const char* path;  // below C:\contract\short
  DWORD size;
  DWORD result;
  const char* buffer;  // below C:\contract\short too; nullptr: not checked
  DWORD error;
};

// Windows names a long name's alias after its first six characters; Wine
// makes its aliases from a hash of the name.
const ShortRow kShorts[] = {
    {1, kNone, "file.txt", MAX_PATH, 26, "file.txt", kAnyError},
    // A name that is short already is copied as given (Wine takes the
    // spelling on disk).
    {2, kWine, "FILE.TXT", MAX_PATH, 26, "FILE.TXT", kAnyError},
    {3, kNone, "file.txt", 27, 26, "file.txt", kAnyError},
    // One short: the size needed with the NUL.
    {4, kNone, "file.txt", 26, 27, nullptr, kAnyError},
    {5, kNone, "file.txt", 0, 27, nullptr, kAnyError},
    {6, kWine, "Long Folder Name\\file.txt", MAX_PATH, 35, "LONGFO~1\\file.txt", kAnyError},
    {7, kNone, "none.txt", MAX_PATH, 0, nullptr, ERROR_FILE_NOT_FOUND},
    // Each name is looked up in its folder: a missing folder is a missing file.
    {8, kNone, "missing\\none.txt", MAX_PATH, 0, nullptr, ERROR_FILE_NOT_FOUND},
};

const char kShortFolder[] = "C:\\contract\\short";

void GivenShortFolder() {
  char folder[MAX_PATH], path[MAX_PATH], inner[MAX_PATH];
  MakeScratchFolder("short", folder);
  JoinPath(folder, "file.txt", path);
  WriteText(path, "x");
  JoinPath(folder, "Long Folder Name", path);
  CreateDirectoryA(path, nullptr);
  JoinPath(path, "file.txt", inner);
  WriteText(inner, "x");
}

void RunShortRow(const ShortRow& r) {
  BeginRow(r.row, r.deviation);
  char path[MAX_PATH], buffer[MAX_PATH], expected[MAX_PATH];
  JoinPath(kShortFolder, r.path, path);
  memset(buffer, '#', sizeof buffer);
  SetLastError(kUntouched);
  DWORD result = GetShortPathNameA(path, r.size ? buffer : nullptr, r.size);
  ExpectLastError(r.error);
  ExpectNumber("return", r.result, result);
  if (r.buffer) {
    JoinPath(kShortFolder, r.buffer, expected);
    ExpectText("buffer", expected, buffer);
  }
  EndRow();
}

struct ExpandRow {
  int row;
  int deviation;
  const char* source;
  DWORD size;
  DWORD result;
  Bytes buffer;  // the first bytes afterwards ('#' = untouched); "" not checked
  DWORD error;   // kUntouched: kept as it was
};

// CONTRACT_X is "value", CONTRACT_B "bee", CONTRACT_REC "F%CONTRACT_X%B",
// CONTRACT_EMPTY ""; CONTRACT_NONE is not set.
const ExpandRow kExpands[] = {
    {1, kNone, "a%CONTRACT_X%b", 64, 8, BYTES("avalueb\0#"), kUntouched},
    {2, kNone, "a%CONTRACT_X%b", 8, 8, BYTES("avalueb\0"), kUntouched},
    {3, kNone, "a%contract_x%b", 64, 8, BYTES("avalueb\0"), kUntouched},
    // Too small: cut with a NUL, and the size needed with the NUL.
    {4, kNone, "a%CONTRACT_X%b", 7, 8, BYTES("avalue\0"), ERROR_INSUFFICIENT_BUFFER},
    {5, kNone, "a%CONTRACT_X%b", 0, 8, BYTES(""), kAnyError},
    {6, kNone, "a%CONTRACT_X%b", 1, 8, BYTES("\0"), kAnyError},
    // Unknown names and lone percent signs stay as they are; the scan goes
    // on behind an unknown name's closing percent sign.
    {7, kNone, "%CONTRACT_NONE%", 64, 16, BYTES("%CONTRACT_NONE%\0"), kUntouched},
    {8, kNone, "100%", 64, 5, BYTES("100%\0"), kUntouched},
    {9, kNone, "%%", 64, 3, BYTES("%%\0"), kUntouched},
    {10, kNone, "%CONTRACT_NONE%CONTRACT_B%", 64, 27, BYTES("%CONTRACT_NONE%CONTRACT_B%\0"), kUntouched},
    {11, kNone, "%CONTRACT_B%CONTRACT_B%", 64, 15, BYTES("beeCONTRACT_B%\0"), kUntouched},
    {12, kNone, "x%CONTRACT_B%%CONTRACT_B%", 64, 8, BYTES("xbeebee\0"), kUntouched},
    {13, kNone, "hello%foo", 64, 10, BYTES("hello%foo\0"), kUntouched},
    // Values are not expanded again.
    {14, kNone, "%CONTRACT_REC%", 64, 15, BYTES("F%CONTRACT_X%B\0"), kUntouched},
    {15, kNone, "%CONTRACT_EMPTY%|", 64, 2, BYTES("|\0"), kUntouched},
    {16, kNone, "%CONTRACT_X%%CONTRACT_X%", 64, 11, BYTES("valuevalue\0"), kUntouched},
    {17, kNone, "", 64, 1, BYTES("\0#"), kUntouched},
};

void RunExpandRow(const ExpandRow& r) {
  BeginRow(r.row, r.deviation);
  char buffer[64];
  memset(buffer, '#', sizeof buffer);
  SetLastError(kUntouched);
  DWORD result = ExpandEnvironmentStringsA(r.source, r.size ? buffer : nullptr, r.size);
  ExpectLastError(r.error);
  ExpectNumber("return", r.result, result);
  ExpectBytes("buffer", r.buffer.data, buffer, r.buffer.length);
  EndRow();
}

}  // namespace

void RunPathTables() {
  GivenShortFolder();
  BeginTable("short paths");
  for (const ShortRow& r : kShorts) RunShortRow(r);
}

void RunEnvironmentTables() {
  SetEnvironmentVariableA("CONTRACT_X", "value");
  SetEnvironmentVariableA("CONTRACT_B", "bee");
  SetEnvironmentVariableA("CONTRACT_REC", "F%CONTRACT_X%B");
  SetEnvironmentVariableA("CONTRACT_EMPTY", "");
  SetEnvironmentVariableA("CONTRACT_NONE", nullptr);
  BeginTable("expansion");
  for (const ExpandRow& r : kExpands) RunExpandRow(r);
}

}  // namespace contract
