// Reading the text of an INI file into its model, by the rules Windows
// applies when it reads a profile file.
#include <cstring>

#include "platform/posix/kernel/kernel_posix.h"
#include "platform/posix/profile/profile_posix.h"

namespace posix {
namespace {

// Windows trims space, TAB and VT around names and values in the file (Wine
// trims every control character from 0x09 to 0x0D as well).
bool IsFileBlank(char c) { return c == ' ' || c == '\t' || c == '\v'; }

void TrimFileBlanks(const std::string& text, size_t* begin, size_t* end) {
  while (*begin < *end && IsFileBlank(text[*begin])) ++*begin;
  while (*end > *begin && IsFileBlank(text[*end - 1])) --*end;
}

// Splits the text at CR, LF or CRLF: files with CR-only line ends read fine.
std::vector<ProfileLine> SplitLines(const std::string& text) {
  std::vector<ProfileLine> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    ProfileLine line;
    line.begin = pos;
    size_t brk = text.find_first_of("\r\n", pos);
    if (brk == std::string::npos) {
      line.end = line.next = text.size();
    } else {
      line.end = brk;
      bool crlf = text[brk] == '\r' && brk + 1 < text.size() && text[brk + 1] == '\n';
      line.next = brk + (crlf ? 2 : 1);
    }
    pos = line.next;
    lines.push_back(line);
  }
  return lines;
}

// The name ends at the first ']' (Windows; Wine takes the last one), and a
// header without ']' still counts as one (Wine makes it a key line).
void ClassifySection(const std::string& text, size_t open, ProfileLine* line) {
  line->kind = ProfileLineKind::kSection;
  line->nameBegin = open + 1;
  const void* close = memchr(text.data() + line->nameBegin, ']', line->end - line->nameBegin);
  line->nameEnd = close ? static_cast<const char*>(close) - text.data() : line->end;
  TrimFileBlanks(text, &line->nameBegin, &line->nameEnd);
}

// One pair of the same quote enclosing the whole value is not part of it.
void StripEnclosingQuotes(const std::string& text, size_t* begin, size_t* end) {
  if (*end - *begin < 2) return;
  char first = text[*begin];
  if ((first == '"' || first == '\'') && text[*end - 1] == first) {
    ++*begin;
    --*end;
  }
}

// The first '=' splits the key from the value; the value may hold more of them.
void ClassifyKey(const std::string& text, size_t start, ProfileLine* line) {
  const void* eq = memchr(text.data() + start, '=', line->end - start);
  if (!eq) return;  // not a key: neither enumerated nor found
  line->kind = ProfileLineKind::kKey;
  line->equalsAt = static_cast<const char*>(eq) - text.data();
  line->nameBegin = start;
  line->nameEnd = line->equalsAt;
  TrimFileBlanks(text, &line->nameBegin, &line->nameEnd);
  line->valueBegin = line->equalsAt + 1;
  line->valueEnd = line->end;
  TrimFileBlanks(text, &line->valueBegin, &line->valueEnd);
  StripEnclosingQuotes(text, &line->valueBegin, &line->valueEnd);
}

// Only ';' as the first non-blank character makes a comment; '#' is text and
// there are no comments at the end of a line.
void ClassifyLine(const std::string& text, ProfileLine* line) {
  size_t start = line->begin;
  while (start < line->end && IsFileBlank(text[start])) ++start;
  if (start == line->end) return;
  if (text[start] == '[') return ClassifySection(text, start, line);
  if (text[start] == ';') {
    line->kind = ProfileLineKind::kComment;
    return;
  }
  ClassifyKey(text, start, line);
}

// Groups the lines into section blocks. Key lines before the first header
// belong to no section and are never seen.
void BuildSections(ProfileModel* model) {
  for (size_t i = 0; i < model->lines.size(); ++i) {
    const ProfileLine& line = model->lines[i];
    if (line.kind == ProfileLineKind::kSection) {
      if (!model->sections.empty()) model->sections.back().endLine = i;
      model->sections.emplace_back();
      model->sections.back().headerLine = i;
      model->firstSection.emplace(FoldProfileName(model->Name(line)), model->sections.size() - 1);
    } else if (line.kind == ProfileLineKind::kKey && !model->sections.empty()) {
      ProfileSection& section = model->sections.back();
      section.keyLines.push_back(i);
      section.firstKeyLine.emplace(FoldProfileName(model->Name(line)), i);
    }
  }
  if (!model->sections.empty()) model->sections.back().endLine = model->lines.size();
}

}  // namespace

std::string FoldProfileName(const std::string& name) {
  std::string folded(name);
  for (char& c : folded) c = static_cast<char>(UpperAnsi(static_cast<unsigned char>(c)));
  return folded;
}

std::string StripSpaces(const char* text) {
  size_t begin = 0, end = strlen(text);
  while (begin < end && text[begin] == ' ') ++begin;
  while (end > begin && text[end - 1] == ' ') --end;
  return std::string(text + begin, end - begin);
}

std::shared_ptr<ProfileModel> ParseProfile(std::string text) {
  auto model = std::make_shared<ProfileModel>();
  model->text = std::move(text);
  model->lines = SplitLines(model->text);
  for (ProfileLine& line : model->lines) ClassifyLine(model->text, &line);
  BuildSections(model.get());
  return model;
}

const ProfileSection* ProfileModel::FindSection(const std::string& name) const {
  auto found = firstSection.find(FoldProfileName(name));
  return found == firstSection.end() ? nullptr : &sections[found->second];
}

const ProfileLine* ProfileModel::FindKey(const ProfileSection& section, const std::string& key) const {
  auto found = section.firstKeyLine.find(FoldProfileName(key));
  return found == section.firstKeyLine.end() ? nullptr : &lines[found->second];
}

}  // namespace posix
