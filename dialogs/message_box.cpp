#include "common/message_box.h"

#include "common/message_buffer.h"
#include "common/response_file.h"
#include "common/run_options.h"
#include "common/run_state.h"

namespace {
int DefaultButton(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_YESNO:
      return IDYES;
    default:
      return IDOK;
  }
}

// Keeps the text of a box that was not shown, on one line.
void KeepUnshownText(const char* text) {
  Str line("MessageBox: ");
  for (const char* c = text; *c; ++c) line += (*c == '\r' || *c == '\n') ? ' ' : *c;
  if (platform::HasStandardError()) {
    Str shown(line.c_str() + 12);
    shown += '\n';
    platform::WriteStandardError(shown.c_str());
  }
  line += "\r\n";
  MessageBuffer += line;
}
}  // namespace

int ShowMessageBox(const char* text, UINT type) {
  TAnswer answer;
  int result;
  if (TakeAnswer(AnswerMessageBox, answer)) {
    KeepUnshownText(text);
    result = answer.Id;
  } else if (RunOptions.Silent) {
    KeepUnshownText(text);
    result = DefaultButton(type);
  } else {
    result = MessageBoxA(nullptr, text, SetupCaption, type);
  }
  TAnswer given = TAnswer();
  given.Kind = AnswerMessageBox;
  given.Id = result;
  RecordAnswer(given);
  return result;
}

void ShowErrorBox(const char* text) { ShowMessageBox(text, MB_OK | MB_ICONERROR); }
