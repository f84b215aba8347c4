// The table runner: counts rows, prints failures with their table and row.
#include "tests/contract/contract.h"

#include <stdio.h>
#include <string.h>

namespace contract {
namespace {

const char* table = "";
int row = 0;
int deviation = kNone;
bool rowFailed = false;
int rows = 0;
int failures = 0;
int deviationsSeen = 0;

// The row is expected to fail on this host.
bool DeviationApplies() {
  if (!RunningOnWine()) return false;
  if (deviation & kWine) return true;
  return (deviation & kWineAsRoot) && RunningAsRoot();
}

void Report(const char* what, const char* expected, const char* actual) {
  rowFailed = true;
  printf("%s %s row %d: %s: expected [%s], got [%s]\n",
         DeviationApplies() ? "todo_wine" : "FAIL", table, row, what, expected, actual);
}

// Bytes as text: printable characters as they are, others as \xNN.
void Escape(const unsigned char* bytes, size_t length, char* out, size_t capacity) {
  size_t used = 0;
  for (size_t i = 0; i < length && used + 5 < capacity; ++i) {
    unsigned char c = bytes[i];
    if (c >= 0x20 && c < 0x7F && c != '\\')
      out[used++] = static_cast<char>(c);
    else
      used += snprintf(out + used, capacity - used, "\\x%02X", c);
  }
  out[used] = '\0';
}

}  // namespace

void BeginTable(const char* name) { table = name; }

void BeginRow(int number, int rowDeviation) {
  row = number;
  deviation = rowDeviation;
  rowFailed = false;
}

void EndRow() {
  ++rows;
  if (DeviationApplies()) {
    ++deviationsSeen;
    if (!rowFailed) {
      ++failures;
      printf("FAIL %s row %d: a known Wine deviation passed under Wine (remove its mark)\n", table, row);
    }
  } else if (rowFailed) {
    ++failures;
  }
}

void ExpectNumber(const char* what, long long expected, long long actual) {
  if (expected == actual) return;
  char e[24], a[24];
  snprintf(e, sizeof e, "%lld", expected);
  snprintf(a, sizeof a, "%lld", actual);
  Report(what, e, a);
}

void ExpectBytes(const char* what, const void* expected, const void* actual, size_t length) {
  if (memcmp(expected, actual, length) == 0) return;
  char e[400], a[400];
  Escape(static_cast<const unsigned char*>(expected), length, e, sizeof e);
  Escape(static_cast<const unsigned char*>(actual), length, a, sizeof a);
  Report(what, e, a);
}

void ExpectText(const char* what, const char* expected, const char* actual) {
  if (strcmp(expected, actual) == 0) return;
  char e[400], a[400];
  Escape(reinterpret_cast<const unsigned char*>(expected), strlen(expected), e, sizeof e);
  Escape(reinterpret_cast<const unsigned char*>(actual), strlen(actual), a, sizeof a);
  Report(what, e, a);
}

void ExpectLastError(DWORD expected) {
  DWORD actual = GetLastError();
  if (expected != kAnyError) ExpectNumber("last error", expected, actual);
}

int Finish() {
  printf("%d rows, %d failed, %d known Wine deviations\n", rows, failures, deviationsSeen);
  return failures == 0 ? 0 : 1;
}

}  // namespace contract
