// What the DelFiles and DelReg directives of an install section name, walked
// for whoever needs them: the simulated machine deletes them, a checker
// compares them with what an installation writes.
#pragma once

#include "common/str.h"
#include "platform/platform.h"
#include "setupengine/inf_file.h"

struct TDelRegEntry {
  HKEY root;
  const char* rootName;  // as written: "HKCU"
  Str subKey;
  bool wholeKey;  // else only the value valueName
  Str valueName;
};

struct TSectionVisitor {
  void* context;
  // A file that DelFiles deletes, with its full path.
  void (*file)(void* context, const char* path, const TInfLine& line);
  // A key or value that DelReg deletes.
  void (*key)(void* context, const TDelRegEntry& entry, const TInfLine& line);
  // An entry the engine cannot use (it passes over it).
  void (*problem)(void* context, const TInfLine& line, const char* text);
};

// Calls visitor.file for every file of every DelFiles section of section,
// in the order the engine deletes them.
void VisitDelFiles(const TInfFile& inf, int section, const char* infDir, const TSectionVisitor& visitor);
// Calls visitor.key for every line of every DelReg section of section.
void VisitDelReg(const TInfFile& inf, int section, const char* infDir, const TSectionVisitor& visitor);
// Calls visit for every section named by a directive (DelFiles=A,B) of
// section, with the line that names it; a name without a section goes to
// visitor.problem.
void VisitDirectiveSections(const TInfFile& inf, int section, const char* directive, const char* infDir,
                            const TSectionVisitor& visitor,
                            void (*visit)(const TInfFile& inf, int listSection, const char* infDir,
                                          const TSectionVisitor& visitor));
