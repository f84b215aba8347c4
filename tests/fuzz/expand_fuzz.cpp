// Expands random text with random variables into buffers of random sizes.
// The bounded expansion must cut exactly (a prefix of the whole result, never
// beyond the buffer); the checking expansion must accept exactly the results
// of up to 520 characters. The ending path of ExpandEnvPasString is not used:
// its check runs through TryExpandEnvPasString.
#include <sys/stat.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/posix/machine/machine_posix.h"
#include "values/expand.h"

namespace {

void Check(bool condition) {
  if (!condition) abort();
}

// Splits data at '\n': the lines before the last are NAME=VALUE settings,
// the last line is the text to expand.
std::vector<std::string> Lines(const uint8_t* data, size_t size) {
  std::vector<std::string> lines(1);
  for (size_t i = 0; i < size; ++i) {
    char c = static_cast<char>(data[i]);
    if (c == '\n') lines.emplace_back();
    else if (c) lines.back() += c;
  }
  return lines;
}

}  // namespace

static char MachineDir[] = "/tmp/expand-fuzz-XXXXXX";

static void RemoveMachine() {
  std::string command = std::string("rm -rf '") + MachineDir + "'";
  if (system(command.c_str()) != 0) return;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (!mkdtemp(MachineDir)) abort();
  atexit(RemoveMachine);
  std::string why;
  if (!posix::OpenMachine(MachineDir, &why)) abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const size_t bufferSize = 1 + ((data[0] << 8 | data[1]) % 1100);
  std::vector<std::string> lines = Lines(data + 2, size - 2);
  std::vector<std::string> names;
  for (size_t i = 0; i + 1 < lines.size() && i < 8; ++i) {
    size_t eq = lines[i].find('=', 1);
    if (eq == std::string::npos) continue;
    std::string name = lines[i].substr(0, eq);
    std::string value = lines[i].substr(eq + 1);
    // Values may be long so that results pass the 521 limit.
    if (!value.empty() && value[0] == '*')
      value = std::string(value.size() * 97 % 1000, value.back());
    if (SetEnvironmentVariableA(name.c_str(), value.c_str())) names.push_back(name);
  }
  const std::string& text = lines.back();

  // Results stay below 1.4 MB (at most ~1365 references of 1000 characters).
  static std::vector<char> whole(2u << 20);
  size_t wholeLength = ExpandInto(text.c_str(), whole.data(), whole.size());
  Check(wholeLength == strlen(whole.data()));

  // One guard byte behind the buffer must stay untouched.
  std::vector<char> buffer(bufferSize + 1, '\x5A');
  size_t length = ExpandInto(text.c_str(), buffer.data(), bufferSize);
  Check(buffer[bufferSize] == '\x5A');
  Check(length < bufferSize && length == strlen(buffer.data()));
  Check(length == (wholeLength < bufferSize ? wholeLength : bufferSize - 1));
  Check(memcmp(buffer.data(), whole.data(), length) == 0);

  Str result;
  Str message;
  bool accepted = TryExpandEnvPasString(text.c_str(), result, message);
  Check(accepted == (wholeLength <= 520));
  if (accepted) {
    Check(strcmp(result.c_str(), whole.data()) == 0);
  } else {
    Str expected = ExpandOverflowMessage(521, text.c_str(), wholeLength + 1);
    Check(strcmp(message.c_str(), expected.c_str()) == 0);
  }

  for (const std::string& name : names) SetEnvironmentVariableA(name.c_str(), nullptr);
  return 0;
}
