#include "check/package_files.h"

#include <cstring>

#include "check/checks.h"
#include "platform/platform.h"

namespace {

// Deeper folders than this are taken for a loop of links, not a package.
enum { MaxDepth = 32 };

bool IsDots(const char* name) { return !strcmp(name, ".") || !strcmp(name, ".."); }

Str Joined(const Str& folder, const char* name) {
  return folder.empty() ? Str(name) : folder + "\\" + name;
}

// The installer descends only into subfolders whose own names match the mask.
int VisitFolder(const Str& dir, const Str& relative, const TFilesSource& source,
                void (*visit)(void*, const Str&), void* context, int depth) {
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((dir + "\\" + source.Mask).c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do {
    bool isDir = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    Str below = Joined(relative, entry.cFileName);
    if (!isDir) {
      ++count;
      if (visit) visit(context, below);
    } else if (source.WithSubdirs && !IsDots(entry.cFileName) && depth < MaxDepth) {
      count += VisitFolder(dir + "\\" + entry.cFileName, below, source, visit, context, depth + 1);
    }
  } while (FindNextFileA(search, &entry));
  FindClose(search);
  return count;
}

}  // namespace

TFilesSource SplitFilesSource(const char* key) {
  TFilesSource source;
  Str text(key);
  source.WithSubdirs = text.size() >= 2 && text[text.size() - 2] == '/' && UpperAscii(text.last()) == 'S';
  if (source.WithSubdirs) text.truncate(text.size() - 2);
  long cut = text.findLast('\\');
  source.Directory = CheckInput.Directory;
  source.Directory.truncate(source.Directory.size() - 1);
  if (cut > 0) source.Directory = source.Directory + "\\" + text.substr(0, static_cast<size_t>(cut));
  source.Mask = cut >= 0 ? text.substr(static_cast<size_t>(cut) + 1) : text;
  return source;
}

int VisitPackageFiles(const TFilesSource& source, void (*visit)(void* context, const Str& relative),
                      void* context) {
  return VisitFolder(source.Directory, Str(), source, visit, context, 0);
}
