// Splits arbitrary lines of a link section: the name lies inside the line,
// the other fields are no longer than it (the rundll form may give a short
// name instead of the text), and the icon index agrees with its text.
#include <string>
#include <vector>

#include "actions/link_line.h"
#include "tests/fuzz/fuzz_machine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  (void)fuzz::MachineDir();  // the rundll form asks the file system for short names
  const std::string text = fuzz::TextOf(data, size);
  std::vector<char> line(text.begin(), text.end());
  line.push_back('\0');
  TLinkLine parts;
  ParseLinkLine(line.data(), parts);
  fuzz::Check(parts.Name >= line.data() && parts.Name < line.data() + line.size(), "name outside");
  fuzz::Check(parts.Target.size() <= text.size(), "target longer than line");
  fuzz::Check(parts.IconFile.size() <= text.size(), "icon file longer than line");
  if (parts.IconIndexInvalid) fuzz::Check(parts.IconIndex == 0, "invalid index not 0");
  int index = 0;
  if (!parts.IconIndexInvalid && ParseIconIndex(parts.IconIndexText ? parts.IconIndexText : "", index))
    fuzz::Check(index == parts.IconIndex, "icon index differs from its text");
  return 0;
}
