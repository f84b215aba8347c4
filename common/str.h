// Text helpers of the core: a small growable string and bounded copies into
// fixed character buffers. The core keeps no standard containers, so that
// SETUP.EXE stays small.
#pragma once

#include <cstddef>

// A growable, always NUL-terminated 8-bit string.
class Str {
 public:
  Str() = default;
  Str(const char* text);  // NOLINT: converting on purpose, like a string literal
  Str(const char* text, size_t length);
  Str(const Str& other);
  Str(Str&& other) noexcept;
  Str& operator=(const Str& other);
  Str& operator=(Str&& other) noexcept;
  Str& operator=(const char* text);
  ~Str();

  const char* c_str() const { return data_ ? data_ : ""; }
  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  char operator[](size_t i) const { return data_[i]; }
  char last() const { return size_ ? data_[size_ - 1] : '\0'; }

  Str& append(const char* text);
  Str& append(const char* text, size_t length);
  Str& append(const Str& text) { return append(text.c_str(), text.size()); }
  Str& append(char c);
  Str& appendNumber(long long value);
  Str& operator+=(const char* text) { return append(text); }
  Str& operator+=(const Str& text) { return append(text); }
  Str& operator+=(char c) { return append(c); }

  void clear();
  // Keeps the first length characters.
  void truncate(size_t length);
  // A new string from position start (0-based), at most count characters.
  Str substr(size_t start, size_t count = static_cast<size_t>(-1)) const;
  // 0-based position of text, or -1.
  long find(const char* text, size_t from = 0) const;
  long findLast(char c) const;
  bool equals(const char* text) const;
  bool equalsIgnoreCase(const char* text) const;
  // Buffer to write into directly: room for at least capacity characters
  // and the NUL. Call setLength afterwards.
  char* reserve(size_t capacity);
  void setLength(size_t length);

 private:
  void grow(size_t needed);
  char* data_ = nullptr;
  size_t size_ = 0;
  size_t capacity_ = 0;
};

Str operator+(const Str& a, const Str& b);
Str operator+(const Str& a, const char* b);
Str operator+(const char* a, const Str& b);

// Copies text into a buffer of size characters (the NUL included), cutting
// it to size - 1 characters. Returns the number of characters stored.
size_t CopyToBuffer(char* buffer, size_t size, const char* text);
// Appends text to the NUL-terminated content of a buffer of size characters,
// cutting what does not fit.
size_t AppendToBuffer(char* buffer, size_t size, const char* text);
// ASCII-only case-insensitive comparisons (as the system compares names).
int CompareIgnoreCase(const char* a, const char* b);
bool EqualsIgnoreCase(const char* a, const char* b);
char UpperAscii(char c);
// Length of a NUL-terminated text.
size_t TextLength(const char* text);
// Decimal text of a number into buffer (at least 24 characters).
char* FormatDecimal(long long value, char* buffer);
