// RegCreateKeyA, RegSetValueExA, RegQueryValueExA and RegOpenKeyA: types,
// buffer sizes and the size a too small buffer is told. Each row sets its
// value under a key of its own below HKCU\Software\contract.
#include <stdio.h>
#include <string.h>

#include "tests/contract/bytes.h"
#include "tests/contract/contract.h"
#include "tests/contract/tables.h"

namespace contract {
namespace {

const DWORD kNoBuffer = 0xFFFFFFFFu;  // the query passes no data pointer
const DWORD kUntouchedType = 77;
const DWORD kAnyType = 0xFFFFFFFFu;  // not checked

struct ValueRow {
  int row;
  int deviation;
  const char* name;  // the value set and queried; nullptr: the default value
  DWORD type;
  Bytes data;        // what is set; the size given is setSize
  DWORD setSize;
  bool queryMissing; // the query asks for a value never set
  DWORD bufferSize;  // or kNoBuffer
  LONG result;
  DWORD typeAfter;
  DWORD sizeAfter;
  Bytes buffer;      // the first bytes of the buffer afterwards ('#' = untouched)
};

const ValueRow kValues[] = {
    {1, kNone, "v", REG_SZ, BYTES("abc\0"), 4, false, 16, ERROR_SUCCESS, REG_SZ, 4, BYTES("abc\0#")},
    {2, kNone, "v", REG_SZ, BYTES("abc\0"), 4, false, 4, ERROR_SUCCESS, REG_SZ, 4, BYTES("abc\0")},
    // One short: the size needed, NUL included.
    {3, kNone, "v", REG_SZ, BYTES("abc\0"), 4, false, 3, ERROR_MORE_DATA, REG_SZ, 4, BYTES("")},
    {4, kNone, "v", REG_SZ, BYTES("abc\0"), 4, false, kNoBuffer, ERROR_SUCCESS, REG_SZ, 4, BYTES("")},
    // A missing value leaves size and buffer alone (Wine clears the type).
    {5, kNone, "v", REG_SZ, BYTES("abc\0"), 4, true, 8, ERROR_FILE_NOT_FOUND, kAnyType, 8, BYTES("#")},
    // A size without the NUL while one follows: it is counted in.
    {6, kNone, "v", REG_SZ, BYTES("abc"), 3, false, 8, ERROR_SUCCESS, REG_SZ, 4, BYTES("abc\0#")},
    // Stored without a NUL: a roomy buffer gets one the size does not count.
    {7, kNone, "v", REG_SZ, BYTES("abcdef"), 3, false, 8, ERROR_SUCCESS, REG_SZ, 3, BYTES("abc\0#")},
    {8, kNone, "v", REG_SZ, BYTES("abcdef"), 3, false, 3, ERROR_SUCCESS, REG_SZ, 3, BYTES("abc#")},
    {9, kNone, "v", REG_DWORD, BYTES("\x78\x56\x34\x12"), 4, false, 4, ERROR_SUCCESS, REG_DWORD, 4,
     BYTES("\x78\x56\x34\x12")},
    {10, kNone, "v", REG_DWORD, BYTES("\x78\x56\x34\x12"), 4, false, 2, ERROR_MORE_DATA, REG_DWORD, 4, BYTES("")},
    // Expandable strings come back as stored.
    {11, kNone, "v", REG_EXPAND_SZ, BYTES("%SystemRoot%\\x\0"), 15, false, 32, ERROR_SUCCESS, REG_EXPAND_SZ, 15,
     BYTES("%SystemRoot%\\x\0")},
    {12, kNone, "v", REG_BINARY, BYTES("a\0b"), 3, false, 8, ERROR_SUCCESS, REG_BINARY, 3, BYTES("a\0b#")},
    {13, kNone, nullptr, REG_SZ, BYTES("d\0"), 2, false, 8, ERROR_SUCCESS, REG_SZ, 2, BYTES("d\0")},
    {14, kNone, "", REG_SZ, BYTES("e\0"), 2, false, 8, ERROR_SUCCESS, REG_SZ, 2, BYTES("e\0")},
    // A string of no bytes gives no bytes back; inner NULs are kept.
    {15, kNone, "v", REG_SZ, BYTES(""), 0, false, 8, ERROR_SUCCESS, REG_SZ, 0, BYTES("#")},
    {16, kNone, "v", REG_SZ, BYTES("a\0b\0\0"), 5, false, 8, ERROR_SUCCESS, REG_SZ, 5, BYTES("a\0b\0\0#")},
};

// HKCU\Software\contract\<table><row>, created as needed.
HKEY RowKey(const char* table, int row) {
  char path[64];
  snprintf(path, sizeof path, "Software\\contract\\%s%d", table, row);
  HKEY key = nullptr;
  ExpectNumber("create", ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, path, &key));
  return key;
}

void RunValueRow(const ValueRow& r) {
  BeginRow(r.row, r.deviation);
  HKEY key = RowKey("value", r.row);
  ExpectNumber("set", ERROR_SUCCESS,
               RegSetValueExA(key, r.name, 0, r.type, reinterpret_cast<const BYTE*>(r.data.data), r.setSize));
  BYTE buffer[32];
  memset(buffer, '#', sizeof buffer);
  DWORD type = kUntouchedType;
  DWORD size = r.bufferSize == kNoBuffer ? 0 : r.bufferSize;
  LONG result = RegQueryValueExA(key, r.queryMissing ? "missing" : r.name, nullptr, &type,
                                 r.bufferSize == kNoBuffer ? nullptr : buffer, &size);
  ExpectNumber("result", r.result, result);
  if (r.typeAfter != kAnyType) ExpectNumber("type", r.typeAfter, type);
  ExpectNumber("size", r.sizeAfter, size);
  ExpectBytes("buffer", r.buffer.data, buffer, r.buffer.length);
  RegCloseKey(key);
  EndRow();
}

// Opening a key that does not exist; creating one that does.
void RunKeyRows() {
  BeginTable("keys");
  BeginRow(1);
  HKEY key = nullptr;
  ExpectNumber("open", ERROR_FILE_NOT_FOUND, RegOpenKeyA(HKEY_CURRENT_USER, "Software\\contract\\none\\deeper", &key));
  EndRow();
  BeginRow(2);
  key = RowKey("again", 2);
  RegCloseKey(key);
  key = RowKey("AGAIN", 2);
  ExpectNumber("open", ERROR_SUCCESS, RegOpenKeyA(HKEY_CURRENT_USER, "software\\CONTRACT\\again2", &key));
  RegCloseKey(key);
  EndRow();
}

}  // namespace

void RunRegistryTables() {
  BeginTable("values");
  for (const ValueRow& r : kValues) RunValueRow(r);
  RunKeyRows();
}

}  // namespace contract
