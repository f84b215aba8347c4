// Recognising rundll32 command lines that run InstallHinfSection.
#include "setupengine/hinf_command.h"

#include "common/str.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

const char* SkipBlanks(const char* p) {
  while (IsBlank(*p)) ++p;
  return p;
}

// The next blank-separated word, quotes grouping and removed, as the
// system splits a command line.
const char* NextWord(const char* p, Str* word) {
  word->clear();
  p = SkipBlanks(p);
  bool quoted = false;
  for (; *p && (quoted || !IsBlank(*p)); ++p) {
    if (*p == '"') {
      quoted = !quoted;
    } else {
      word->append(*p);
    }
  }
  return p;
}

// The file name part of a path: after the last backslash, slash or colon.
const char* FileNamePart(const char* path) {
  const char* name = path;
  for (const char* p = path; *p; ++p)
    if (*p == '\\' || *p == '/' || *p == ':') name = p + 1;
  return name;
}

bool NamesProgram(const Str& word, const char* bare, const char* withExtension) {
  const char* name = FileNamePart(word.c_str());
  return EqualsIgnoreCase(name, bare) || EqualsIgnoreCase(name, withExtension);
}

bool Refuse(const char** why, const char* text) {
  *why = text;
  return false;
}

}  // namespace

bool ParseHinfCommandLine(const char* commandLine, THinfCommand* command, const char** why) {
  Str program;
  const char* rest = NextWord(commandLine, &program);
  if (!NamesProgram(program, "rundll32", "rundll32.exe"))
    return Refuse(why, "the command does not start rundll32");
  Str target;  // "setupapi.dll,InstallHinfSection"
  rest = NextWord(rest, &target);
  long comma = target.find(",");
  Str library = comma < 0 ? target : target.substr(0, static_cast<size_t>(comma));
  Str entry;
  if (comma >= 0) {
    entry = target.substr(static_cast<size_t>(comma) + 1);
  } else {
    rest = NextWord(rest, &entry);
  }
  if (!NamesProgram(library, "setupapi", "setupapi.dll"))
    return Refuse(why, "rundll32 is not asked to run setupapi.dll");
  // The system finds entry points by their exact name.
  if (!entry.equals("InstallHinfSection") && !entry.equals("InstallHinfSectionA"))
    return Refuse(why, "setupapi.dll has no entry point of that name (it is InstallHinfSection)");
  return ParseHinfArguments(SkipBlanks(rest), command, why);
}

bool ParseHinfArguments(const char* arguments, THinfCommand* command, const char** why) {
  const char* p = SkipBlanks(arguments);
  const char* sectionEnd = p;
  while (*sectionEnd && !IsBlank(*sectionEnd)) ++sectionEnd;
  if (sectionEnd == p) return Refuse(why, "no section named");
  if (sectionEnd - p >= kHinfSectionSize) return Refuse(why, "the section name is too long");
  CopyToBuffer(command->section, static_cast<size_t>(sectionEnd - p) + 1, p);
  p = SkipBlanks(sectionEnd);
  if (*p < '0' || *p > '9') return Refuse(why, "no mode number after the section");
  command->mode = 0;
  for (; *p >= '0' && *p <= '9'; ++p)
    if (command->mode < 100000000) command->mode = command->mode * 10 + (*p - '0');
  if (!IsBlank(*p)) return Refuse(why, "no INF file after the mode");
  Str path = SkipBlanks(p);
  while (!path.empty() && IsBlank(path.last())) path.truncate(path.size() - 1);
  if (path.size() >= 2 && path[0] == '"' && path.last() == '"') path = path.substr(1, path.size() - 2);
  if (path.empty()) return Refuse(why, "no INF file after the mode");
  if (path.size() >= static_cast<size_t>(kHinfPathSize)) return Refuse(why, "the INF file's path is too long");
  CopyToBuffer(command->infPath, sizeof command->infPath, path.c_str());
  return true;
}
