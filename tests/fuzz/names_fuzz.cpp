// The emulation's names: arbitrary masks against arbitrary names (a mask
// matches the name it is), short aliases of a directory of arbitrary names
// (unique, legal 8.3), and full paths of arbitrary Windows paths.
#include <set>
#include <string>
#include <vector>

#include "platform/posix/paths/paths_posix.h"
#include "tests/fuzz/fuzz_machine.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
    lines.push_back(text.substr(start, nl - start));
  lines.push_back(text.substr(start));
  return lines;
}

void CheckAliases(const std::vector<std::string>& names) {
  std::vector<std::string> aliases = posix::ShortAliases(names);
  fuzz::Check(aliases.size() == names.size(), "one alias per name");
  std::set<std::string> seen;
  for (const std::string& alias : aliases) {
    if (alias.empty()) continue;
    fuzz::Check(posix::IsLegal83(alias), "alias not 8.3");
    fuzz::Check(seen.insert(alias).second, "alias twice");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  (void)fuzz::MachineDir();
  const std::vector<std::string> lines = Lines(fuzz::TextOf(data, size));
  for (size_t i = 0; i + 1 < lines.size(); ++i) posix::MatchDosMask(lines[i], lines[i + 1]);
  for (const std::string& line : lines) {
    if (!posix::HasInvalidNameChars(line))
      fuzz::Check(posix::MatchDosMask(line, line), "a plain name does not match itself");
    const std::string full = posix::FullWinPath(line.c_str());
    fuzz::Check(full.size() <= line.size() + 512, "full path out of proportion");
    std::string host;
    posix::WinToHost(line.c_str(), &host);
  }
  std::vector<std::string> names;
  for (const std::string& line : lines)
    // A host directory entry never holds '/'; ':' and '\\' it may.
    if (!line.empty() && !posix::HasInvalidNameChars(line) && line.find('/') == std::string::npos)
      names.push_back(line);
  CheckAliases(names);
  return 0;
}
