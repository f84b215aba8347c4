// The DelFiles and DelReg directives of an install section.
#include "setupengine/uninstall_section.h"

#include "setupengine/destination_dirs.h"
#include "setupengine/inf_strings.h"

namespace {

// Makes the engine delete the whole key even when a value name is given.
const long kDelRegKeyOnly = 0x2000;

struct TRootName {
  const char* name;
  HKEY root;
};

const TRootName kRoots[] = {
    {"HKCR", HKEY_CLASSES_ROOT},
    {"HKCU", HKEY_CURRENT_USER},
    {"HKLM", HKEY_LOCAL_MACHINE},
    {"HKU", HKEY_USERS},
};

void VisitFileList(const TInfFile& inf, int list, const char* infDir, const TSectionVisitor& visitor) {
  Str dir;
  const char* why = "";
  bool placed = InfDestinationDir(inf, InfSectionName(inf, list), infDir, &dir, &why);
  for (const TInfLine* line = NextSectionLine(inf, list, nullptr); line;
       line = NextSectionLine(inf, list, line)) {
    if (!placed) {
      visitor.problem(visitor.context, *line, why);
      return;
    }
    Str name = SubstituteInfStrings(inf, InfLineField(inf, *line, 1), infDir);
    if (!name.empty()) visitor.file(visitor.context, JoinInfPath(dir, name.c_str()).c_str(), *line);
  }
}

void VisitKeyList(const TInfFile& inf, int list, const char* infDir, const TSectionVisitor& visitor) {
  for (const TInfLine* line = NextSectionLine(inf, list, nullptr); line;
       line = NextSectionLine(inf, list, line)) {
    Str rootText = SubstituteInfStrings(inf, InfLineField(inf, *line, 1), infDir);
    TDelRegEntry entry{nullptr, "", Str(), true, Str()};
    for (const TRootName& root : kRoots)
      if (rootText.equalsIgnoreCase(root.name)) entry = {root.root, root.name, Str(), true, Str()};
    if (!entry.root) {
      visitor.problem(visitor.context, *line, "an unknown root key");
      continue;
    }
    entry.subKey = SubstituteInfStrings(inf, InfLineField(inf, *line, 2), infDir);
    long flags = 0;
    if (!ParseInfNumber(SubstituteInfStrings(inf, InfLineField(inf, *line, 4), infDir).c_str(), &flags))
      flags = 0;
    entry.wholeKey = line->fieldCount < 3 || (flags & kDelRegKeyOnly);
    if (!entry.wholeKey) entry.valueName = SubstituteInfStrings(inf, InfLineField(inf, *line, 3), infDir);
    visitor.key(visitor.context, entry, *line);
  }
}

}  // namespace

void VisitDirectiveSections(const TInfFile& inf, int section, const char* directive, const char* infDir,
                            const TSectionVisitor& visitor,
                            void (*visit)(const TInfFile& inf, int listSection, const char* infDir,
                                          const TSectionVisitor& visitor)) {
  for (const TInfLine* line = NextSectionLine(inf, section, nullptr); line;
       line = NextSectionLine(inf, section, line)) {
    if (!EqualsIgnoreCase(InfLineKey(inf, *line), directive)) continue;
    for (int i = 1; i <= line->fieldCount; ++i) {
      Str name = SubstituteInfStrings(inf, InfLineField(inf, *line, i), infDir);
      if (name.empty()) continue;
      int list = FindInfSection(inf, name.c_str());
      if (list < 0) {
        Str text = "no section [" + name + "]";
        visitor.problem(visitor.context, *line, text.c_str());
      } else {
        visit(inf, list, infDir, visitor);
      }
    }
  }
}

void VisitDelFiles(const TInfFile& inf, int section, const char* infDir, const TSectionVisitor& visitor) {
  VisitDirectiveSections(inf, section, "DelFiles", infDir, visitor, VisitFileList);
}

void VisitDelReg(const TInfFile& inf, int section, const char* infDir, const TSectionVisitor& visitor) {
  VisitDirectiveSections(inf, section, "DelReg", infDir, visitor, VisitKeyList);
}
