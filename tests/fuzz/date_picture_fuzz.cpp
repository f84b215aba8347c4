// Formats arbitrary date pictures over an arbitrary date: the formatter must
// end, read the picture and its quotes only up to the NUL, and give text
// bounded by the picture (no element yields more than a full day or month
// name per picture character).
#include <cstring>
#include <string>

#include "platform/posix/kernel/kernel_posix.h"
#include "tests/fuzz/fuzz_machine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 7) return 0;
  SYSTEMTIME t = {};
  t.wYear = 1601 + (data[0] | data[1] << 8) % 8399;
  t.wMonth = 1 + data[2] % 12;
  t.wDay = 1 + data[3] % 28;
  t.wHour = data[4] % 24;
  t.wMinute = data[5] % 60;
  t.wSecond = data[6] % 60;
  const std::string picture = fuzz::TextOf(data + 7, size - 7);
  std::string text;
  AppendDateTimePicture(text, t, picture.c_str(), "AM", "PM");
  fuzz::Check(text.size() <= 9 * picture.size() + 9, "text out of proportion to picture");
  return 0;
}
