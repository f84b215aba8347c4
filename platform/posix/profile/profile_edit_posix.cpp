// Editing the text of an INI file as Windows does: only the lines concerned
// change; comments, blank lines, spacing, the stored case of names and any
// bytes before the first section stay as they are. (Wine instead writes the
// whole file again from its parsed form, dropping blank lines and spaces
// around '=': tests that run on both must not depend on the layout of lines
// other than those written.)
#include "platform/posix/profile/profile_posix.h"

namespace posix {
namespace {

const char kLineBreak[] = "\r\n";

std::string KeyLine(const std::string& key, const char* value) {
  return key + "=" + value + kLineBreak;
}

bool EndsWithLineBreak(const std::string& text) {
  return !text.empty() && (text.back() == '\n' || text.back() == '\r');
}

// A new section goes at the end of the file, with no blank line before it.
std::string AppendSection(const std::string& text, const std::string& section,
                          const std::string& key, const char* value) {
  std::string result = text;
  if (!result.empty() && !EndsWithLineBreak(result)) result += kLineBreak;
  result += "[" + section + "]" + kLineBreak + KeyLine(key, value);
  return result;
}

// A new key goes right after the last key of the section's first block (after
// its header when it has none), so keys appear in the order they were written.
std::string InsertKey(const ProfileModel& model, const ProfileSection& section,
                      const std::string& key, const char* value) {
  size_t anchor = section.keyLines.empty() ? section.headerLine : section.keyLines.back();
  const ProfileLine& line = model.lines[anchor];
  std::string insert = KeyLine(key, value);
  if (line.next == line.end) insert = kLineBreak + insert;  // last line had no line break
  std::string result = model.text;
  result.insert(line.next, insert);
  return result;
}

// The value after the '=' is replaced; the key as stored (its case and the
// spacing up to the '=') stays.
std::string ReplaceValue(const ProfileModel& model, const ProfileLine& line, const char* value) {
  std::string result = model.text;
  size_t valueStart = line.equalsAt + 1;
  result.replace(valueStart, line.end - valueStart, value);
  return result;
}

}  // namespace

std::string SetProfileValue(const ProfileModel& model, const std::string& section,
                            const std::string& key, const char* value) {
  const ProfileSection* block = model.FindSection(section);
  if (!block) return AppendSection(model.text, section, key, value);
  const ProfileLine* line = model.FindKey(*block, key);
  if (line) return ReplaceValue(model, *line, value);
  return InsertKey(model, *block, key, value);
}

std::string DeleteProfileKey(const ProfileModel& model, const std::string& section,
                             const std::string& key) {
  const ProfileSection* block = model.FindSection(section);
  const ProfileLine* line = block ? model.FindKey(*block, key) : nullptr;
  if (!line) return model.text;
  std::string result = model.text;
  result.erase(line->begin, line->next - line->begin);
  return result;
}

// The header and every key line of the section's first block go; comment
// lines, blank lines and other text inside it stay, as on Windows.
std::string DeleteProfileSection(const ProfileModel& model, const std::string& section) {
  const ProfileSection* block = model.FindSection(section);
  if (!block) return model.text;
  const ProfileLine& header = model.lines[block->headerLine];
  std::string result = model.text.substr(0, header.begin);
  for (size_t i = block->headerLine + 1; i < block->endLine; ++i) {
    const ProfileLine& line = model.lines[i];
    if (line.kind != ProfileLineKind::kKey) result.append(model.text, line.begin, line.next - line.begin);
  }
  size_t tail = block->endLine < model.lines.size() ? model.lines[block->endLine].begin : model.text.size();
  result.append(model.text, tail, std::string::npos);
  return result;
}

}  // namespace posix
