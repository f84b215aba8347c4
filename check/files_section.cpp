// [Files]: every line must find files in the package and name a place to
// put them, or the installer copies nothing for it without a word.
#include <cstring>

#include "check/checks.h"
#include "check/package_files.h"
#include "platform/platform.h"
#include "values/full_path.h"
#include "values/profile_values.h"

namespace {

enum { KeyListSize = 2601, ValueSize = 262 };

void CheckSource(const char* key, int line) {
  TFilesSource source = SplitFilesSource(key);
  Str written(key);
  if (source.WithSubdirs) written.truncate(written.size() - 2);
  if (written.find("/") >= 0)
    Warning(line, Where("Files", key) + "forward slash in the source: the installer's paths "
                                        "use backslashes");
  if (VisitPackageFiles(source, nullptr, nullptr) == 0)
    Error(line, Where("Files", key) + "no file of the package matches " + written);
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
