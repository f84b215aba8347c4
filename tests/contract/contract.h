// A tiny table runner for the contract tests of the Win32 subset.
//
// The same rows run against the emulation (native build) and against the
// real API (the Windows build under Wine or on Windows). Each row starts
// with BeginRow; every Expect* of that row names the table and the row
// number when it fails. A row marked as a known Wine deviation is expected
// to fail under Wine (it is reported as "todo_wine" then) and counts as an
// error when it passes there, so that a fixed Wine is noticed; everywhere
// else it must pass like any other row.
#pragma once

#include <stddef.h>

#include "platform/platform.h"

namespace contract {

// When a row's expected values are not Wine's.
enum Deviation {
  kNone = 0,
  kWine = 1,        // Wine 8 differs from Windows
  kWineAsRoot = 2,  // Wine differs when the host user is root
};

// Last error values a row does not care about.
const DWORD kAnyError = 0xFFFFFFFEu;
// The value rows store in the last error before their call, to see it kept.
const DWORD kUntouched = 0xDEADBEEFu;

void BeginTable(const char* name);
void BeginRow(int row, int deviation = kNone);
void EndRow();

void ExpectNumber(const char* what, long long expected, long long actual);
// Compares `length` bytes (NULs included), shown escaped on failure.
void ExpectBytes(const char* what, const void* expected, const void* actual, size_t length);
// Compares NUL-terminated texts.
void ExpectText(const char* what, const char* expected, const char* actual);
// Compares GetLastError() with `expected` unless that is kAnyError.
void ExpectLastError(DWORD expected);

// Host facts, decided by the build's own host file.
bool RunningOnWine();
bool RunningAsRoot();

// The summary line and the exit code of the whole run.
int Finish();

}  // namespace contract
