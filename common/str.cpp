#include "common/str.h"

#include <cstdlib>
#include <cstring>

Str::Str(const char* text) { append(text); }

Str::Str(const char* text, size_t length) { append(text, length); }

Str::Str(const Str& other) { append(other.c_str(), other.size()); }

Str::Str(Str&& other) noexcept
    : data_(other.data_), size_(other.size_), capacity_(other.capacity_) {
  other.data_ = nullptr;
  other.size_ = other.capacity_ = 0;
}

Str& Str::operator=(const Str& other) {
  if (this != &other) {
    clear();
    append(other.c_str(), other.size());
  }
  return *this;
}

Str& Str::operator=(Str&& other) noexcept {
  if (this != &other) {
    free(data_);
    data_ = other.data_;
    size_ = other.size_;
    capacity_ = other.capacity_;
    other.data_ = nullptr;
    other.size_ = other.capacity_ = 0;
  }
  return *this;
}

Str& Str::operator=(const char* text) {
  // text may point into this string.
  Str copy(text);
  *this = static_cast<Str&&>(copy);
  return *this;
}

Str::~Str() { free(data_); }

void Str::grow(size_t needed) {
  if (needed + 1 <= capacity_) return;
  size_t capacity = capacity_ ? capacity_ : 32;
  while (capacity < needed + 1) capacity *= 2;
  char* data = static_cast<char*>(realloc(data_, capacity));
  if (!data) abort();
  data_ = data;
  capacity_ = capacity;
}

Str& Str::append(const char* text) { return text ? append(text, strlen(text)) : *this; }

Str& Str::append(const char* text, size_t length) {
  if (!length) {
    if (!data_) grow(0), data_[0] = '\0';
    return *this;
  }
  // text may point into this string: remember its offset across the growth.
  bool inside = data_ && text >= data_ && text < data_ + capacity_;
  size_t offset = inside ? static_cast<size_t>(text - data_) : 0;
  grow(size_ + length);
  if (inside) text = data_ + offset;
  memmove(data_ + size_, text, length);
  size_ += length;
  data_[size_] = '\0';
  return *this;
}

Str& Str::append(char c) { return append(&c, 1); }

Str& Str::appendNumber(long long value) {
  char digits[24];
  return append(FormatDecimal(value, digits));
}

void Str::clear() {
  size_ = 0;
  if (data_) data_[0] = '\0';
}

void Str::truncate(size_t length) {
  if (length < size_) {
    size_ = length;
    data_[size_] = '\0';
  }
}

Str Str::substr(size_t start, size_t count) const {
  if (start >= size_) return Str();
  size_t rest = size_ - start;
  return Str(data_ + start, count < rest ? count : rest);
}

long Str::find(const char* text, size_t from) const {
  if (from > size_ || !data_) return -1;
  const char* hit = strstr(data_ + from, text);
  return hit ? static_cast<long>(hit - data_) : -1;
}

long Str::findLast(char c) const {
  for (size_t i = size_; i > 0; --i)
    if (data_[i - 1] == c) return static_cast<long>(i - 1);
  return -1;
}

bool Str::equals(const char* text) const { return strcmp(c_str(), text ? text : "") == 0; }

bool Str::equalsIgnoreCase(const char* text) const { return EqualsIgnoreCase(c_str(), text); }

char* Str::reserve(size_t capacity) {
  grow(capacity);
  if (size_ == 0) data_[0] = '\0';
  return data_;
}

void Str::setLength(size_t length) {
  grow(length);
  size_ = length;
  data_[size_] = '\0';
}

Str operator+(const Str& a, const Str& b) {
  Str result(a);
  return static_cast<Str&&>(result.append(b));
}

Str operator+(const Str& a, const char* b) {
  Str result(a);
  return static_cast<Str&&>(result.append(b));
}

Str operator+(const char* a, const Str& b) {
  Str result(a);
  return static_cast<Str&&>(result.append(b));
}

size_t CopyToBuffer(char* buffer, size_t size, const char* text) {
  if (!buffer || size == 0) return 0;
  size_t n = 0;
  if (text)
    while (n + 1 < size && text[n]) {
      buffer[n] = text[n];
      ++n;
    }
  buffer[n] = '\0';
  return n;
}

size_t AppendToBuffer(char* buffer, size_t size, const char* text) {
  if (!buffer || size == 0) return 0;
  // memchr rather than strnlen, which msvcrt.dll lacks: the static copy
  // would come from a library that SETUP.EXE otherwise does without.
  const char* end = static_cast<const char*>(memchr(buffer, '\0', size - 1));
  size_t used = end ? static_cast<size_t>(end - buffer) : size - 1;
  return used + CopyToBuffer(buffer + used, size - used, text);
}

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

int CompareIgnoreCase(const char* a, const char* b) {
  if (!a) a = "";
  if (!b) b = "";
  for (;; ++a, ++b) {
    unsigned char ca = static_cast<unsigned char>(UpperAscii(*a));
    unsigned char cb = static_cast<unsigned char>(UpperAscii(*b));
    if (ca != cb || !ca) return ca < cb ? -1 : (ca > cb ? 1 : 0);
  }
}

bool EqualsIgnoreCase(const char* a, const char* b) { return CompareIgnoreCase(a, b) == 0; }

size_t TextLength(const char* text) { return text ? strlen(text) : 0; }

namespace {
// Divides value by ten and returns the remainder, sixteen bits at a time.
// 32-bit x86 has no 64-bit division; the compiler's helper routine for it
// costs a kilobyte in SETUP.EXE and does not link into a program that starts
// in its own entry point rather than the C runtime's.
unsigned TakeLastDecimalDigit(unsigned long long& value) {
  unsigned remainder = 0;
  unsigned long long quotient = 0;
  for (int shift = 48; shift >= 0; shift -= 16) {
    unsigned part = (remainder << 16) | static_cast<unsigned>((value >> shift) & 0xFFFFu);
    quotient |= static_cast<unsigned long long>(part / 10) << shift;
    remainder = part % 10;
  }
  value = quotient;
  return remainder;
}
}  // namespace

char* FormatDecimal(long long value, char* buffer) {
  char digits[24];
  int n = 0;
  unsigned long long magnitude =
      value < 0 ? 0ull - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
  do {
    digits[n++] = static_cast<char>('0' + TakeLastDecimalDigit(magnitude));
  } while (magnitude);
  char* out = buffer;
  if (value < 0) *out++ = '-';
  while (n) *out++ = digits[--n];
  *out = '\0';
  return buffer;
}
