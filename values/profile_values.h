// Reading the control file (or any INI file) through the platform's profile
// functions. Every read goes into the caller's fixed buffer; what does not fit
// is cut without a message, as the platform cuts it. A missing file, section
// or key reads as the empty text: no reader reports a failure.
#pragma once

#include <cstddef>

#include "platform/platform.h"

// Reads the value of key in section of file into buffer (size characters, the
// NUL included). The profile read has already removed the blanks around the
// value and one pair of enclosing quotes. Returns the number of characters
// stored (0 = absent or empty); buffer always holds a NUL-terminated text.
DWORD ReadProfileValue(const char* file, const char* section, const char* key, char* buffer,
                       DWORD size);

template <DWORD Size>
DWORD ReadProfileValue(const char* file, const char* section, const char* key,
                       char (&buffer)[Size]) {
  return ReadProfileValue(file, section, key, buffer, Size);
}

// Reads the names of all keys of section, in file order, into buffer (size
// characters, at least 2): each name followed by a NUL, the list by one more
// NUL. A list that does not fit is cut but still ends in two NULs. A missing
// or empty section gives the empty list. Returns the number of characters
// stored without the final NUL (0 = no keys). Walk the list with KeyList.
DWORD ReadProfileKeyList(const char* file, const char* section, char* buffer, DWORD size);

template <DWORD Size>
DWORD ReadProfileKeyList(const char* file, const char* section, char (&buffer)[Size]) {
  static_assert(Size >= 2, "a key list needs room for its two final NULs");
  return ReadProfileKeyList(file, section, buffer, Size);
}

// The names of a key list as read by ReadProfileKeyList, for a range-for:
//
//   char keys[2601];
//   ReadProfileKeyList(SourceInfPath.c_str(), "Files", keys);
//   for (const char* key : KeyList(keys)) { ... }
//
// The walk ends at the first empty name, so a list cut by the platform ends
// with its last complete (or cut) name.
class KeyList {
 public:
  explicit KeyList(const char* list) : list_(list) {}

  class Iterator {
   public:
    explicit Iterator(const char* name) : name_(name) {}
    const char* operator*() const { return name_; }
    Iterator& operator++() {
      while (*name_) ++name_;
      ++name_;
      return *this;
    }
    // Any iterator at an empty name is the end.
    bool operator!=(const Iterator&) const { return *name_ != '\0'; }

   private:
    const char* name_;
  };

  Iterator begin() const { return Iterator(list_); }
  Iterator end() const { return Iterator(list_); }

 private:
  const char* list_;
};
