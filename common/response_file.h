// Answers for dialogs and message boxes given in advance (/ANSWERS=file),
// and the record of the answers given in a run (/RECORD=file). The dialogs
// and message boxes take them (dialogs/response_file.cpp); the run loads them
// and its end looks for one left.
//
// One answer a line, consumed in order for each kind:
//   MsgBoxContinue=1      the continue prompt (1 OK, 2 Cancel)
//   PathSel=1,C:\App      the directory dialog (1 OK with that path, 2 Cancel)
//   MsgBoxSOC=4           the skip-or-overwrite prompt (1 Skip, 2 Cancel, 4 Overwrite);
//                         optional flags after the id: ",always" ",backup=C:\Old"
//   MsgBoxLogFile=1       the result dialog (1 Close)
//   MessageBox=6          the next message box (1 OK, 2 Cancel, 6 Yes, 7 No)
// Empty lines and lines starting with ";" are passed over. Names are matched
// without regard to case, as resource names are.
#pragma once

#include "common/str.h"

enum AnswerKind {
  AnswerMsgBoxContinue,
  AnswerMsgBoxLogFile,
  AnswerMsgBoxSoc,
  AnswerPathSel,
  AnswerMessageBox,
  AnswerKindCount
};

struct TAnswer {
  AnswerKind Kind;
  int Id;
  Str Path;      // PathSel: the directory; MsgBoxSOC: the backup folder
  bool Always;   // MsgBoxSOC: the "always" box ticked
  bool Backup;   // MsgBoxSOC: the "with Backup to" box ticked
};

// Parses the text of a response file. Returns false with a message naming
// the line for anything it does not understand.
bool ParseResponseText(const char* text, Str& error);
// Reads and parses a response file through the platform.
bool LoadResponseFile(const char* path, Str& error);
// Takes the next answer of a kind; false when there is none left.
bool TakeAnswer(AnswerKind kind, TAnswer& answer);
// Whether an answer of the kind is still waiting, without taking it.
bool HasAnswerLeft(AnswerKind kind);
// Forgets all answers.
void ClearAnswers();

// Starts the record file (empties it). Returns false when it cannot be written.
bool StartRecording(const char* path);
// Appends an answer to the record file, if one is being written.
void RecordAnswer(const TAnswer& answer);
// The response-file line of an answer.
Str FormatAnswer(const TAnswer& answer);
