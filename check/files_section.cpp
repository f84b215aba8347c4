// [Files]: every line must find files in the package and name a place to
// put them, or the installer copies nothing for it without a word.
#include <cstring>

#include "check/checks.h"
#include "platform/platform.h"
#include "values/full_path.h"
#include "values/profile_values.h"

namespace {

enum { KeyListSize = 2601, ValueSize = 262 };

bool IsDots(const char* name) { return !strcmp(name, ".") || !strcmp(name, ".."); }

// Files the installer's search would copy from dir with mask, descending
// into subdirectories whose names match the mask when withSubdirs.
int CountMatches(const Str& dir, const char* mask, bool withSubdirs, int depth) {
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((dir + "\\" + mask).c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do {
    bool isDir = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (!isDir)
      ++count;
    else if (withSubdirs && !IsDots(entry.cFileName) && depth < 32)
      count += CountMatches(dir + "\\" + entry.cFileName, mask, withSubdirs, depth + 1);
  } while (FindNextFileA(search, &entry));
  FindClose(search);
  return count;
}

void CheckSource(const char* key, int line) {
  Str source(key);
  bool withSubdirs = source.size() >= 2 && source[source.size() - 2] == '/' &&
                     UpperAscii(source.last()) == 'S';
  if (withSubdirs) source.truncate(source.size() - 2);
  if (source.find("/") >= 0)
    Warning(line, Where("Files", key) + "forward slash in the source: the installer's paths "
                                        "use backslashes");
  long cut = source.findLast('\\');
  Str dir = CheckInput.Directory;
  dir.truncate(dir.size() - 1);
  const char* mask = source.c_str();
  if (cut > 0) dir = dir + "\\" + source.substr(0, static_cast<size_t>(cut));
  if (cut >= 0) mask = source.c_str() + cut + 1;
  if (CountMatches(dir, mask, withSubdirs, 0) == 0)
    Error(line, Where("Files", key) + "no file of the package matches " + source);
}

void CheckDestination(const char* key, const char* value, int line) {
  // A destination that begins with a variable is a folder the run knows;
  // only one written out can be judged here.
  if (!*value || value[0] == '%') return;
  if (!IsFullPath(value))
    Error(line, Where("Files", key) + "destination \"" + value + "\" is not a full path");
}

}  // namespace

void CheckFilesSection() {
  char keys[KeyListSize];
  ReadCheckedKeyList("Files", keys, sizeof keys, "later lines are not copied");
  for (const char* key : KeyList(keys)) {
    char value[ValueSize];
    ReadProfileValue(CheckInput.Path, "Files", key, value);
    int line = LineOf("Files", key);
    CheckSource(key, line);
    CheckDestination(key, value, line);
  }
}
