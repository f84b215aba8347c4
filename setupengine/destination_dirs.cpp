// [DestinationDirs] entries resolved to folders.
#include "setupengine/destination_dirs.h"

#include "setupengine/inf_strings.h"

namespace {

const long kAbsolutePath = -1;
const long kAbsolutePath16 = 0xFFFF;  // the same, as 16-bit engines wrote it
const long kSystemFolder = 11;

}  // namespace

const TInfLine* DestinationDirsLine(const TInfFile& inf, const char* section) {
  int dirs = FindInfSection(inf, "DestinationDirs");
  const TInfLine* line = dirs < 0 ? nullptr : FindInfLine(inf, dirs, section);
  if (!line && dirs >= 0) line = FindInfLine(inf, dirs, "DefaultDestDir");
  return line;
}

bool InfDestinationDir(const TInfFile& inf, const char* section, const char* infDir, Str* dir,
                       const char** why) {
  const TInfLine* line = DestinationDirsLine(inf, section);
  long id = kSystemFolder;
  Str below;
  if (line) {
    Str idText = SubstituteInfStrings(inf, InfLineField(inf, *line, 1), infDir);
    if (!ParseInfNumber(idText.c_str(), &id)) {
      *why = "the folder id is not a number";
      return false;
    }
    below = SubstituteInfStrings(inf, InfLineField(inf, *line, 2), infDir);
  }
  if (id == kAbsolutePath || id == kAbsolutePath16) {
    *dir = below;
    if (!dir->empty()) return true;
    *why = "the folder id -1 needs a path";
    return false;
  }
  Str base;
  if (!DirIdPath(id, infDir, &base)) {
    *why = "a folder id this machine does not know";
    return false;
  }
  *dir = JoinInfPath(base, below.c_str());
  return true;
}
