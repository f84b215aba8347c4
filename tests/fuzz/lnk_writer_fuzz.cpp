// Builds link files from arbitrary fields: the StringData holds each field
// as a UTF-16 count and its characters, so the file's size follows from the
// fields; the relative target path stays a path of the target's names.
#include <string>

#include "platform/posix/links/links_posix.h"
#include "tests/fuzz/fuzz_machine.h"

namespace {

// Takes the next field of the input, up to a newline.
std::string NextField(const std::string& input, size_t& at) {
  size_t nl = input.find('\n', at);
  if (nl == std::string::npos) nl = input.size();
  std::string field = input.substr(at, nl - at);
  at = nl < input.size() ? nl + 1 : nl;
  return field;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = fuzz::TextOf(data, size);
  size_t at = 0;
  const std::string linkFile = NextField(input, at);
  posix::LinkFileData link;
  link.targetPath = NextField(input, at);
  if (!link.targetPath.empty()) link.volume = posix::LinkVolume{3, 0x1234, NextField(input, at)};
  link.description = NextField(input, at);
  link.relativePath = posix::RelativeTargetPath(linkFile, link.targetPath);
  link.workingDir = NextField(input, at);
  link.arguments = NextField(input, at);
  link.iconLocation = NextField(input, at);
  const std::string bytes = posix::BuildLinkFile(link);
  fuzz::Check(bytes.size() >= 0x4C, "shorter than the header");
  fuzz::Check(posix::Utf16FromAnsi(input).size() == 2 * input.size(), "UTF-16 length");
  return 0;
}
