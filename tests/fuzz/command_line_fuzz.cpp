// Splits arbitrary command lines into arguments: every argument is text of
// the line without quotes, the cursor only moves forward and stays inside
// the line, and the split ends. The same bytes as host arguments go through
// the emulation's Windows command line, which must split back into as many
// arguments.
#include <cstring>
#include <string>
#include <vector>

#include "platform/posix/machine/machine_posix.h"
#include "setup/command_line.h"
#include "tests/fuzz/fuzz_machine.h"

namespace {

int CountArguments(const char* line) {
  const char* const end = line + strlen(line);
  const char* cursor = line;
  Str argument;
  int count = 0;
  while (NextCommandLineArgument(cursor, argument)) {
    fuzz::Check(cursor > line && cursor <= end, "cursor left the line");
    fuzz::Check(argument.size() <= static_cast<size_t>(end - line), "argument longer than line");
    fuzz::Check(strchr(argument.c_str(), '"') == nullptr, "quote kept in argument");
    ++count;
  }
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string line = fuzz::TextOf(data, size);
  CountArguments(line.c_str());

  // Host arguments are split at newlines; a quote inside one has no Windows
  // form that survives a split, so only quote-free arguments are compared.
  if (line.find('"') != std::string::npos) return 0;
  std::vector<std::string> arguments;
  size_t start = 0;
  for (size_t nl; (nl = line.find('\n', start)) != std::string::npos; start = nl + 1)
    arguments.push_back(line.substr(start, nl - start));
  if (start < line.size()) arguments.push_back(line.substr(start));
  for (const std::string& a : arguments)
    for (char c : a)
      if (static_cast<unsigned char>(c) < ' ' && c != '\t') return 0;
  const std::string windows = posix::WindowsCommandLine("Z:\\setup", arguments);
  fuzz::Check(CountArguments(windows.c_str()) >= 1, "program lost from command line");
  return 0;
}
