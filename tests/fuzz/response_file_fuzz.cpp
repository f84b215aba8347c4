// Response files of any content: parsing never fails in a way other than
// with a message, and every answer taken from a parsed file is written back
// by the recorder as a line that parses to the same answer (a recorded run
// replays as it was answered).
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/response_file.h"

namespace {

void Check(bool condition) {
  if (!condition) abort();
}

// The path of an answer counts only where the answer uses it.
bool PathMatters(const TAnswer& answer) {
  return (answer.Kind == AnswerPathSel && answer.Id == 1) || (answer.Kind == AnswerMsgBoxSoc && answer.Backup);
}

void CheckReplaysAlike(const TAnswer& answer) {
  Str line = FormatAnswer(answer);
  Str error;
  ClearAnswers();
  Check(ParseResponseText(line.c_str(), error));
  TAnswer again;
  Check(TakeAnswer(answer.Kind, again));
  Check(again.Id == answer.Id);
  Check(again.Always == answer.Always && again.Backup == answer.Backup);
  if (PathMatters(answer)) Check(again.Path.equals(answer.Path.c_str()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  text = text.substr(0, text.find('\0'));
  Str error;
  ClearAnswers();
  if (!ParseResponseText(text.c_str(), error)) {
    Check(!error.empty());
    return 0;
  }
  // Take every answer first: checking one parses a file of its own.
  TAnswer answers[64];
  int count = 0;
  for (int kind = 0; kind < AnswerKindCount; ++kind) {
    TAnswer answer;
    while (count < 64 && TakeAnswer(static_cast<AnswerKind>(kind), answer)) answers[count++] = answer;
  }
  for (int i = 0; i < count; ++i) CheckReplaysAlike(answers[i]);
  ClearAnswers();
  return 0;
}
