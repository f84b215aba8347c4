#include "common/response_file.h"

#include <stdlib.h>

#include "common/dialog_runner.h"
#include "common/run_options.h"
#include "platform/platform.h"

namespace {
const char* const KindNames[AnswerKindCount] = {"MsgBoxContinue", "MsgBoxLogFile", "MsgBoxSOC",
                                                "PathSel", "MessageBox"};

TAnswer* g_answers = nullptr;
size_t g_answerCount = 0;
size_t g_nextAnswer[AnswerKindCount];
Str g_recordFile;

bool IdAllowed(AnswerKind kind, int id) {
  switch (kind) {
    case AnswerMsgBoxContinue:
    case AnswerPathSel:
      return id == DialogAccepted || id == DialogCancelled;
    case AnswerMsgBoxLogFile:
      return id == DialogAccepted;
    case AnswerMsgBoxSoc:
      return id == DialogAccepted || id == DialogCancelled || id == DialogOverwrite;
    case AnswerMessageBox:
      return id >= IDOK && id <= IDNO;
    default:
      return false;
  }
}

Str Trimmed(const char* begin, const char* end) {
  while (begin < end && (*begin == ' ' || *begin == '\t')) ++begin;
  while (end > begin && (end[-1] == ' ' || end[-1] == '\t' || end[-1] == '\r')) --end;
  return Str(begin, static_cast<size_t>(end - begin));
}

bool ParseKind(const Str& name, AnswerKind& kind) {
  for (int k = 0; k < AnswerKindCount; ++k)
    if (name.equalsIgnoreCase(KindNames[k])) {
      kind = static_cast<AnswerKind>(k);
      return true;
    }
  return false;
}

// Reads the decimal id at the start of text; rest points behind it.
bool ParseId(const char* text, int& id, const char*& rest) {
  if (*text < '0' || *text > '9') return false;
  id = 0;
  while (*text >= '0' && *text <= '9' && id < 100000) id = id * 10 + (*text++ - '0');
  rest = text;
  return true;
}

// The flags of a MsgBoxSOC answer: ",always" and ",backup=folder".
bool ParseSocFlags(const char* rest, TAnswer& answer) {
  while (*rest == ',') {
    ++rest;
    const char* end = rest;
    while (*end && *end != ',') ++end;
    Str flag(rest, static_cast<size_t>(end - rest));
    if (flag.equalsIgnoreCase("always")) {
      answer.Always = true;
    } else if (flag.size() >= 7 && Str(flag.substr(0, 7)).equalsIgnoreCase("backup=")) {
      answer.Backup = true;
      answer.Path = rest + 7;  // a folder may hold commas: it takes the rest
      return true;
    } else {
      return false;
    }
    rest = end;
  }
  return *rest == '\0';
}

bool ParseLine(const Str& line, TAnswer& answer, Str& reason) {
  long equals = line.find("=");
  if (equals <= 0) return reason = "expected NAME=id", false;
  if (!ParseKind(Trimmed(line.c_str(), line.c_str() + equals), answer.Kind))
    return reason = "unknown dialog name", false;
  const char* value = line.c_str() + equals + 1;
  while (*value == ' ') ++value;
  const char* rest = nullptr;
  if (!ParseId(value, answer.Id, rest) || !IdAllowed(answer.Kind, answer.Id))
    return reason = "not an answer this dialog has", false;
  if (answer.Kind == AnswerPathSel) {
    if (*rest == ',') answer.Path = rest + 1;
    else if (*rest) return reason = "expected PathSel=id,path", false;
    return true;
  }
  if (answer.Kind == AnswerMsgBoxSoc && ParseSocFlags(rest, answer)) return true;
  if (*rest) return reason = "unexpected text after the id", false;
  return true;
}

size_t CountLines(const char* text) {
  size_t lines = 1;
  for (; *text; ++text)
    if (*text == '\n') ++lines;
  return lines;
}

bool AppendToFile(const char* path, const char* text, size_t length, DWORD creation) {
  HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, creation,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  SetFilePointer(file, 0, nullptr, FILE_END);
  DWORD written = 0;
  BOOL ok = WriteFile(file, text, static_cast<DWORD>(length), &written, nullptr);
  CloseHandle(file);
  return ok && written == length;
}
}  // namespace

void ClearAnswers() {
  delete[] g_answers;
  g_answers = nullptr;
  g_answerCount = 0;
  for (size_t& next : g_nextAnswer) next = 0;
}

bool ParseResponseText(const char* text, Str& error) {
  ClearAnswers();
  g_answers = new TAnswer[CountLines(text)];
  int lineNumber = 0;
  while (*text) {
    const char* end = text;
    while (*end && *end != '\n') ++end;
    ++lineNumber;
    Str line = Trimmed(text, end);
    text = *end ? end + 1 : end;
    if (line.empty() || line[0] == ';') continue;
    TAnswer& answer = g_answers[g_answerCount];
    answer = TAnswer();
    Str reason;
    if (!ParseLine(line, answer, reason)) {
      error = Str("Error in the response file, line ");
      error.appendNumber(lineNumber).append(" \"").append(line).append("\": ").append(reason);
      ClearAnswers();
      return false;
    }
    ++g_answerCount;
  }
  return true;
}

bool LoadResponseFile(const char* path, Str& error) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    error = Str("Error: can't read the response file ") + path;
    return false;
  }
  DWORD size = GetFileSize(file, nullptr);
  const DWORD maxSize = 1u << 20;  // a response file is a few lines; refuse anything huge
  Str text;
  DWORD read = 0;
  bool ok = size <= maxSize &&  // also refuses INVALID_FILE_SIZE
            ReadFile(file, text.reserve(size), size, &read, nullptr) && read == size;
  CloseHandle(file);
  if (!ok) {
    error = Str("Error: can't read the response file ") + path;
    return false;
  }
  text.setLength(read);
  if (TextLength(text.c_str()) != read) {
    error = Str("Error in the response file ") + path + ": it is not a text file";
    return false;
  }
  return ParseResponseText(text.c_str(), error);
}

bool TakeAnswer(AnswerKind kind, TAnswer& answer) {
  for (size_t i = g_nextAnswer[kind]; i < g_answerCount; ++i) {
    if (g_answers[i].Kind != kind) continue;
    g_nextAnswer[kind] = i + 1;
    answer = g_answers[i];
    // A message box's IDCANCEL is the same 2.
    if (answer.Id == DialogCancelled) RunOptions.CancelledByAnswers = true;
    return true;
  }
  g_nextAnswer[kind] = g_answerCount;
  return false;
}

bool HasAnswerLeft(AnswerKind kind) {
  for (size_t i = g_nextAnswer[kind]; i < g_answerCount; ++i)
    if (g_answers[i].Kind == kind) return true;
  return false;
}

Str FormatAnswer(const TAnswer& answer) {
  Str line(KindNames[answer.Kind]);
  line += '=';
  line.appendNumber(answer.Id);
  if (answer.Kind == AnswerPathSel && answer.Id == DialogAccepted) line.append(",").append(answer.Path);
  if (answer.Kind == AnswerMsgBoxSoc) {
    if (answer.Always) line += ",always";
    if (answer.Backup) line.append(",backup=").append(answer.Path);
  }
  return line;
}

bool StartRecording(const char* path) {
  g_recordFile = path;
  return AppendToFile(path, "", 0, CREATE_ALWAYS);
}

void RecordAnswer(const TAnswer& answer) {
  if (g_recordFile.empty()) return;
  Str line = FormatAnswer(answer);
  line += "\r\n";
  AppendToFile(g_recordFile.c_str(), line.c_str(), line.size(), OPEN_ALWAYS);
}
