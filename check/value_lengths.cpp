// Values longer than the buffer the installer reads them into: it takes the
// first characters that fit and silently drops the rest, so a long path or
// registry text arrives cut on the user's machine.
#include "check/checks.h"
#include "values/profile_values.h"

namespace {

// Buffer sizes in characters, the NUL included, as the installer reads each
// value; key nullptr stands for every key of the section.
struct ValueBuffer {
  const char* section;
  const char* key;
  DWORD size;
};
const ValueBuffer ValueBuffers[] = {
    {"Version", "ProjectVersionFile", 2601},
    {"Strings", "MyProgramPath", 262},
    {"Strings", nullptr, 520},
    {"Files", nullptr, 262},
    {"RegRead", nullptr, 521},
    {"RegWrite", nullptr, 2601},
    {"RegWriteUninstall", nullptr, 2601},
    {"IniWrite", nullptr, 261},
    {"SetMnuLNK", nullptr, 2601},
    {"Info", "URL", 720},
    {"Info", nullptr, 2601},
};

// Room to see how far a value goes beyond any of the installer's buffers.
enum { WideValueSize = 8192, WideKeyListSize = 16384 };

// The first row that governs this key of section.
const ValueBuffer* BufferOf(const char* section, const char* key) {
  for (const ValueBuffer& buffer : ValueBuffers)
    if (EqualsIgnoreCase(section, buffer.section) && (!buffer.key || EqualsIgnoreCase(key, buffer.key)))
      return &buffer;
  return nullptr;
}

void CheckLength(const char* section, const char* key) {
  const ValueBuffer* buffer = BufferOf(section, key);
  if (!buffer) return;
  static char value[WideValueSize];
  DWORD length = ReadProfileValue(CheckInput.Path, section, key, value, WideValueSize);
  if (length < buffer->size) return;
  Str text = Where(section, key) + "the value has ";
  if (length >= WideValueSize - 1) text += "more than ";
  text.appendNumber(length >= WideValueSize - 1 ? WideValueSize - 2 : length);
  text += " characters; the installer reads the first ";
  text.appendNumber(buffer->size - 1);
  text += " and drops the rest";
  Warning(LineOf(section, key), text);
}

void CheckSectionLengths(const char* section) {
  static char keys[WideKeyListSize];
  ReadProfileKeyList(CheckInput.Path, section, keys, WideKeyListSize);
  for (const char* key : KeyList(keys)) CheckLength(section, key);
}

}  // namespace

void CheckValueLengths() {
  const char* previous = "";
  for (const ValueBuffer& buffer : ValueBuffers) {
    if (EqualsIgnoreCase(previous, buffer.section)) continue;
    previous = buffer.section;
    CheckSectionLengths(buffer.section);
  }
}
