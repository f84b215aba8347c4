// GetPrivateProfileStringA: one value, the key list of a section (NULL key)
// or the section list of the file (NULL section), with the return values and
// buffer contents Windows gives when the buffer is too small.
#include <cstring>

#include "platform/posix/profile/profile_posix.h"

namespace posix {
namespace {

// Windows keeps value lengths in 16 bits: a value of 65536 characters or
// more comes back cut to its length modulo 65536.
size_t WindowsValueLength(size_t length) { return length >= 65536 ? length % 65536 : length; }

// A value that does not fit is cut to size-1 characters and a NUL; the
// return is then size-1. Windows also sets ERROR_MORE_DATA (Wine does not:
// tests that run on both must not check the error of a cut value).
DWORD CopyValue(const char* data, size_t length, LPSTR buffer, DWORD size) {
  if (size == 0 || !buffer) return 0;
  if (length < size) {
    memcpy(buffer, data, length);
    buffer[length] = '\0';
    return static_cast<DWORD>(length);
  }
  memcpy(buffer, data, size - 1);
  buffer[size - 1] = '\0';
  SetLastError(ERROR_MORE_DATA);
  return size - 1;
}

// NULL means "", and trailing spaces (only 0x20) of the default are dropped;
// leading ones stay.
DWORD CopyDefault(LPCSTR defaultValue, LPSTR buffer, DWORD size) {
  const char* text = defaultValue ? defaultValue : "";
  size_t length = strlen(text);
  while (length > 0 && text[length - 1] == ' ') --length;
  return CopyValue(text, length, buffer, size);
}

// Each name followed by a NUL, the list by one more. A list that does not fit
// is cut after size-2 characters and closed with two NULs; the return is
// then size-2 (0 when size is below 2). The section list is treated as cut
// even when it would fit exactly with its final NUL, as Windows does (seen
// through GetPrivateProfileSectionNames; tests on both systems avoid that size).
DWORD CopyList(const std::vector<std::string>& names, LPSTR buffer, DWORD size, bool exactFitIsCut) {
  if (size == 0 || !buffer) return 0;
  if (size < 2) {
    buffer[0] = '\0';
    return 0;
  }
  std::string list;
  for (const std::string& name : names) list.append(name).push_back('\0');
  size_t room = exactFitIsCut && !list.empty() ? size - 1 : size;
  if (list.size() + 1 <= room) {
    memcpy(buffer, list.data(), list.size());
    buffer[list.size()] = '\0';
    return static_cast<DWORD>(list.size());
  }
  memcpy(buffer, list.data(), size - 2);
  buffer[size - 2] = '\0';
  buffer[size - 1] = '\0';
  SetLastError(ERROR_MORE_DATA);
  return size - 2;
}

std::vector<std::string> SectionNames(const ProfileModel* model) {
  std::vector<std::string> names;
  if (!model) return names;
  for (const ProfileSection& section : model->sections) names.push_back(model->Name(model->lines[section.headerLine]));
  return names;
}

std::vector<std::string> KeyNames(const ProfileModel& model, const ProfileSection& section) {
  std::vector<std::string> names;
  for (size_t line : section.keyLines) names.push_back(model.Name(model.lines[line]));
  return names;
}

// A missing file reads as an empty one; the error code says why it is missing.
std::shared_ptr<const ProfileModel> OpenForReading(LPCSTR fileName) {
  std::string hostPath;
  if (!ProfileHostPath(fileName, &hostPath)) return nullptr;
  std::shared_ptr<const ProfileModel> model;
  unsigned error = 0;
  if (LoadProfile(hostPath, &model, &error) != ProfileOpen::kLoaded) SetLastError(error);
  return model;
}

}  // namespace
}  // namespace posix

using namespace posix;

// A missing section, or one without keys, gives the default for a NULL key
// (seen on Wine; the core always passes "" there, so both read as no keys).
extern "C" DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue,
                                          LPSTR buffer, DWORD size, LPCSTR fileName) {
  std::shared_ptr<const ProfileModel> model = OpenForReading(fileName);
  if (!section) return CopyList(SectionNames(model.get()), buffer, size, true);
  const ProfileSection* block = model ? model->FindSection(StripSpaces(section)) : nullptr;
  if (!key) {
    if (!block || block->keyLines.empty()) return CopyDefault(defaultValue, buffer, size);
    return CopyList(KeyNames(*model, *block), buffer, size, false);
  }
  const ProfileLine* line = block ? model->FindKey(*block, StripSpaces(key)) : nullptr;
  if (!line) return CopyDefault(defaultValue, buffer, size);
  size_t length = WindowsValueLength(line->valueEnd - line->valueBegin);
  return CopyValue(model->text.data() + line->valueBegin, length, buffer, size);
}
