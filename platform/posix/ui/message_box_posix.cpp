// MessageBoxA and MessageBeep on a terminal.
//
// Without an interactive terminal nobody can answer, so the box is written to
// standard error with the answer it takes: its default button (the first one
// unless MB_DEFBUTTONn says otherwise), as if the user had pressed Enter.
#include "platform/posix/ui/ui_posix.h"

#include <stdio.h>
#include <strings.h>
#include <unistd.h>

#include "platform/platform.h"

namespace posix {
namespace {

struct Button {
  const char* name;
  int id;
};

struct ButtonSet {
  int count;
  Button buttons[3];
};

// Indexed by the MB_TYPEMASK part of the type.
const ButtonSet kButtonSets[] = {
    {1, {{"OK", IDOK}}},
    {2, {{"OK", IDOK}, {"Cancel", IDCANCEL}}},
    {3, {{"Abort", IDABORT}, {"Retry", IDRETRY}, {"Ignore", IDIGNORE}}},
    {3, {{"Yes", IDYES}, {"No", IDNO}, {"Cancel", IDCANCEL}}},
    {2, {{"Yes", IDYES}, {"No", IDNO}}},
    {2, {{"Retry", IDRETRY}, {"Cancel", IDCANCEL}}},
    {3, {{"Cancel", IDCANCEL}, {"Try Again", 10}, {"Continue", 11}}},
};

const ButtonSet& ButtonsOf(UINT type) {
  UINT index = type & MB_TYPEMASK;
  return kButtonSets[index < sizeof kButtonSets / sizeof kButtonSets[0] ? index : 0];
}

const char* IconWord(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONERROR: return "(error) ";
    case MB_ICONQUESTION: return "(question) ";
    case MB_ICONWARNING: return "(warning) ";
    case MB_ICONINFORMATION: return "(information) ";
    default: return "";
  }
}

std::string Trimmed(const std::string& text) {
  size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return "";
  size_t last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

const char* NameOf(int id, UINT type) {
  const ButtonSet& set = ButtonsOf(type);
  for (int i = 0; i < set.count; ++i)
    if (set.buttons[i].id == id) return set.buttons[i].name;
  return "";
}

// Reads answers until one names a button; end of input takes the default.
int AskTerminal(UINT type) {
  char line[256];
  for (;;) {
    platform::WriteStandardError("  > ");
    if (!fgets(line, sizeof line, stdin)) return MessageBoxDefault(type);
    int id = MessageBoxAnswer(line, type);
    if (id) return id;
  }
}

}  // namespace

std::string MessageBoxBlock(const char* text, const char* caption, UINT type) {
  std::string block = std::string("[") + (caption ? caption : "Error") + "] ";
  for (const char* p = text ? text : ""; *p; ++p) {
    if (*p == '\r' || *p == '\n') {
      if (*p == '\r' && p[1] == '\n') ++p;
      block += "\n  ";
    } else {
      block += *p;
    }
  }
  block += std::string("\n  ") + IconWord(type);
  const ButtonSet& set = ButtonsOf(type);
  for (int i = 0; i < set.count; ++i) block += std::string(i ? " [" : "[") + set.buttons[i].name + "]";
  return block + "\n";
}

int MessageBoxDefault(UINT type) {
  const ButtonSet& set = ButtonsOf(type);
  int index = static_cast<int>((type >> 8) & 0xF);  // MB_DEFBUTTON2 = 0x100 ...
  return set.buttons[index < set.count ? index : 0].id;
}

int MessageBoxAnswer(const std::string& typed, UINT type) {
  std::string answer = Trimmed(typed);
  if (answer.empty()) return MessageBoxDefault(type);
  const ButtonSet& set = ButtonsOf(type);
  for (int i = 0; i < set.count; ++i)
    if (strcasecmp(answer.c_str(), set.buttons[i].name) == 0) return set.buttons[i].id;
  if (answer.size() == 1)
    for (int i = 0; i < set.count; ++i)
      if ((answer[0] | 0x20) == (set.buttons[i].name[0] | 0x20)) return set.buttons[i].id;
  return 0;
}

}  // namespace posix

extern "C" int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  fflush(stdout);
  platform::WriteStandardError(posix::MessageBoxBlock(text, caption, type).c_str());
  if (platform::HasInteractiveTerminal()) return posix::AskTerminal(type);
  int id = posix::MessageBoxDefault(type);
  platform::WriteStandardError((std::string("  -> ") + posix::NameOf(id, type) + "\n").c_str());
  return id;
}

extern "C" BOOL MessageBeep(UINT type) {
  if (isatty(STDERR_FILENO)) platform::WriteStandardError("\a");
  return TRUE;
}
