// Short (8.3) names as Windows generates them on a volume that keeps them:
// a name that is a valid 8.3 name as it stands has no alias; any other gets
// the first six valid characters of its name part in upper case, "~N" and
// the first three characters of its extension, N counting up from 1 until
// the alias is unique in its folder. FindFirstFile matching, the alternate
// name it returns and GetShortPathNameA all use the aliases made here.
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/posix/kernel/kernel_posix.h"
#include "platform/posix/paths/paths_posix.h"

namespace posix {
namespace {

// Characters a long name may hold but an 8.3 name may not; an alias has "_"
// for them. ':' and '\\' only a host name holds (Windows has no such name),
// and kept in an alias they would make it a drive or a folder of a path.
const char kReplacedInAlias[] = "+,;=[]:\\";

std::string AliasPart(const std::string& part, size_t limit) {
  std::string out;
  for (unsigned char c : part) {
    if (out.size() == limit) break;
    if (c == ' ' || c == '.') continue;
    if (c >= 0x80 || std::strchr(kReplacedInAlias, c)) out += '_';
    else out += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : static_cast<char>(c);
  }
  return out;
}

void AliasBasis(const std::string& name, std::string* base, std::string* extension) {
  size_t start = name.find_first_not_of('.');
  std::string body = start == std::string::npos ? "" : name.substr(start);
  size_t dot = body.find_last_of('.');
  *base = AliasPart(dot == std::string::npos ? body : body.substr(0, dot), 8);
  *extension = dot == std::string::npos ? "" : AliasPart(body.substr(dot + 1), 3);
}

// The first free alias for a basis. The number grows by one digit when the
// numbers of a width run out, the name part giving up one character for it.
// Counters per alias stem make each number be tried once, so that a folder
// of thousands of similar names costs no more than a folder of different ones.
std::string FreeAlias(const std::string& base, const std::string& extension, std::set<std::string>* taken,
                      std::map<std::string, unsigned>* nextNumber) {
  unsigned low = 1;
  for (unsigned digits = 1; digits <= 6; ++digits, low *= 10) {
    unsigned high = low * 10 - 1;
    std::string stem = base.substr(0, 7 - digits) + "~";
    unsigned& number = (*nextNumber)[stem + std::to_string(digits) + "." + extension];
    if (number < low) number = low;
    while (number <= high) {
      std::string alias = stem + std::to_string(number++);
      if (!extension.empty()) alias += "." + extension;
      if (taken->insert(alias).second) return alias;
    }
  }
  return "";
}

bool FindLongOrShort(const std::vector<std::string>& names, const std::vector<std::string>& aliases,
                     const std::string& component, size_t* index) {
  std::string wanted = UpperName(component);
  for (size_t i = 0; i < names.size(); ++i)
    if (names[i] == component) return *index = i, true;
  for (size_t i = 0; i < names.size(); ++i)
    if (UpperName(names[i]) == wanted || (!aliases[i].empty() && aliases[i] == wanted)) return *index = i, true;
  return false;
}

}  // namespace

bool IsLegal83(const std::string& name) {
  if (name.empty() || name.size() > 12) return false;
  if (name[0] == '.') return name == "." || name == "..";
  size_t dot = std::string::npos;
  for (size_t i = 0; i < name.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(name[i]);
    if (c < 0x20 || c > 0x7F || std::strchr("*?<>|\"+=,;[] :/\\", c)) return false;
    if (c == '.') {
      if (dot != std::string::npos) return false;
      dot = i;
    }
  }
  if (dot == std::string::npos) return name.size() <= 8;
  size_t extension = name.size() - dot - 1;
  return dot <= 8 && extension >= 1 && extension <= 3;
}

std::vector<std::string> ShortAliases(const std::vector<std::string>& names) {
  std::set<std::string> taken;
  for (const std::string& name : names)
    if (IsLegal83(name)) taken.insert(UpperName(name));
  std::vector<std::string> aliases(names.size());
  std::map<std::string, unsigned> nextNumber;
  for (size_t i = 0; i < names.size(); ++i) {
    if (IsLegal83(names[i])) continue;
    std::string base, extension;
    AliasBasis(names[i], &base, &extension);
    aliases[i] = FreeAlias(base, extension, &taken, &nextNumber);
  }
  return aliases;
}

}  // namespace posix

extern "C" DWORD GetShortPathNameA(LPCSTR longPath, LPSTR shortPath, DWORD size) {
  if (!longPath) return posix::FailWithZero(ERROR_INVALID_PARAMETER);
  std::string path = longPath;
  if (path.empty()) return posix::FailWithZero(ERROR_BAD_PATHNAME);
  if (posix::HasInvalidNameChars(path)) return posix::FailWithZero(ERROR_INVALID_NAME);
  // The root part is kept as written.
  size_t at = 0;
  if (path.size() >= 2 && path[1] == ':') at = 2;
  while (at < path.size() && (path[at] == '\\' || path[at] == '/')) ++at;
  std::string shortForm = path.substr(0, at);
  std::string longForm = shortForm;
  while (at < path.size()) {
    size_t end = path.find_first_of("\\/", at);
    if (end == std::string::npos) end = path.size();
    std::string component = path.substr(at, end - at);
    size_t next = path.find_first_not_of("\\/", end);
    std::string separators = path.substr(end, (next == std::string::npos ? path.size() : next) - end);
    at = next == std::string::npos ? path.size() : next;
    if (component == "." || component == "..") {
      shortForm += component + separators;
      longForm += component + separators;
      continue;
    }
    std::string hostDir;
    std::vector<std::string> names;
    if (!posix::WinToHost(longForm.empty() ? "." : longForm.c_str(), &hostDir) ||
        !posix::ListHostDirectory(hostDir, &names))
      return posix::FailWithZero(ERROR_FILE_NOT_FOUND);
    for (std::string& name : names) name = posix::AnsiFromHostName(name);
    std::vector<std::string> aliases = posix::ShortAliases(names);
    size_t index;
    if (!posix::FindLongOrShort(names, aliases, component, &index))
      return posix::FailWithZero(ERROR_FILE_NOT_FOUND);
    shortForm += (posix::IsLegal83(component) || aliases[index].empty() ? component : aliases[index]) + separators;
    longForm += names[index] + separators;
  }
  return posix::CopyOutText(shortForm, shortPath, size);
}
