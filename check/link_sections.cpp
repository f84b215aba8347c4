// [SetMnuLNK] and the link sections that ErrSection entries name.
#include <cstring>

#include "actions/link_line.h"
#include "check/checks.h"
#include "values/profile_values.h"

namespace {

enum { KeyListSize = 519, ValueSize = 2601, LinkPathSize = 260 };

void CheckLinkLine(const char* section, const char* key, char* value, int line) {
  bool hasTarget = strchr(value, ',') != nullptr;
  TLinkLine link;
  ParseLinkLine(value, link);
  if (!hasTarget || link.Target.empty())
    Error(line, Where(section, key) + "no target: a link line is name,target[,arguments[,icon "
                                      "file[,icon index]]]");
  if (link.IconIndexInvalid)
    Error(line, Where(section, key) + "icon index \"" + link.IconIndexText +
                    "\" is not a decimal number");
  if (!strchr(link.Name, '%') && TextLength(link.Name) + 4 >= LinkPathSize)
    Error(line, Where(section, key) + "link name too long: with .LNK it does not fit in 259 "
                                      "characters");
  if (link.Target.equalsIgnoreCase("%rundll%"))
    Warning(line, Where(section, key) + "target %rundll% without \".exe\" is taken for a file "
                                        "beside SETUP.EXE: write %rundll%.exe");
}

void CheckLinkSection(const char* section) {
  char keys[KeyListSize];
  ReadCheckedKeyList(section, keys, sizeof keys, "later links are not created");
  for (const char* key : KeyList(keys)) {
    char value[ValueSize];
    if (!ReadProfileValue(CheckInput.Path, section, key, value)) continue;
    CheckLinkLine(section, key, value, LineOf(section, key));
  }
}

// The link sections named by ErrSection entries of the registry sections.
void CheckFallbackSections(const char* registrySection) {
  char value[ValueSize];
  if (!ReadProfileValue(CheckInput.Path, registrySection, "ErrSection", value)) return;
  if (SectionLine(*CheckInput.Index, value) && !EqualsIgnoreCase(value, "SetMnuLNK"))
    CheckLinkSection(value);
}

}  // namespace

void CheckLinkSections() {
  CheckLinkSection("SetMnuLNK");
  CheckFallbackSections("RegWrite");
  CheckFallbackSections("RegWriteUninstall");
}
