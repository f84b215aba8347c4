#include "common/dialog_runner.h"

#include "common/dialog_record.h"
#include "common/response_file.h"
#include "common/run_options.h"
#include "dialogs/dialog_proc.h"

namespace {
bool g_installDirUsed = false;
bool g_silentPathAnswered = false;

bool KindOfTemplate(const char* name, AnswerKind& kind) {
  static const struct {
    const char* name;
    AnswerKind kind;
  } templates[] = {{"MsgBoxContinue", AnswerMsgBoxContinue},
                   {"MsgBoxLogFile", AnswerMsgBoxLogFile},
                   {"MsgBoxSOC", AnswerMsgBoxSoc},
                   {"PathSel", AnswerPathSel}};
  for (const auto& t : templates)
    if (EqualsIgnoreCase(name, t.name)) return kind = t.kind, true;
  return false;
}

void SetPath(const Str& path) {
  if (DlgRec.PathBuf && DlgRec.PathBufSize > 0)
    CopyToBuffer(DlgRec.PathBuf, static_cast<size_t>(DlgRec.PathBufSize), path.c_str());
}

// What the dialog would have given back had the user answered it so.
void ApplyAnswer(const TAnswer& answer) {
  if (answer.Kind == AnswerPathSel && answer.Id == DialogAccepted) SetPath(answer.Path);
  if (answer.Kind == AnswerMsgBoxSoc) {
    DlgRec.Always = answer.Always;
    DlgRec.Backup = answer.Backup;
    if (answer.Backup) SetPath(answer.Path);
  }
  DlgRec.Result = answer.Id;
}

// The answer a dialog gets without a user: /DIR for the first directory
// dialog, else the default button. A directory dialog asked again in a run
// without a user (its directory could not be created) is cancelled, so that
// the run ends instead of asking for ever.
TAnswer UnattendedAnswer(AnswerKind kind) {
  TAnswer answer = TAnswer();
  answer.Kind = kind;
  answer.Id = DialogAccepted;
  if (kind != AnswerPathSel) return answer;
  if (g_silentPathAnswered) {
    answer.Id = DialogCancelled;
    return answer;
  }
  g_silentPathAnswered = true;
  answer.Path = DlgRec.PathBuf ? DlgRec.PathBuf : "";
  return answer;
}

// A prompt answered without being shown leaves its text on standard error,
// so that what only the screen would have shown is not lost. (The directory
// dialog's answer and the result sentence are written elsewhere.)
void KeepUnshownDialog(AnswerKind kind, const char* templateName) {
  if (kind != AnswerMsgBoxContinue && kind != AnswerMsgBoxSoc) return;
  if (!platform::HasStandardError()) return;
  Str line(templateName);
  line += ": ";
  for (const char* c = DlgRec.Text.c_str(); *c; ++c) line += (*c == '\r' || *c == '\n') ? ' ' : *c;
  if (DlgRec.PathBuf && DlgRec.PathBuf[0]) line.append(" [").append(DlgRec.PathBuf).append("]");
  line += '\n';
  platform::WriteStandardError(line.c_str());
}

TAnswer AnswerFromDialog(AnswerKind kind, INT_PTR result) {
  TAnswer answer = TAnswer();
  answer.Kind = kind;
  answer.Id = static_cast<int>(result);
  if (kind == AnswerPathSel || (kind == AnswerMsgBoxSoc && DlgRec.Backup))
    answer.Path = DlgRec.PathBuf ? DlgRec.PathBuf : "";
  answer.Always = DlgRec.Always;
  answer.Backup = DlgRec.Backup;
  return answer;
}
}  // namespace

INT_PTR RunDialog(const char* templateName) {
  AnswerKind kind;
  if (!KindOfTemplate(templateName, kind)) return -1;
  TAnswer answer;
  if (kind == AnswerPathSel && RunOptions.HasInstallDir && !g_installDirUsed) {
    g_installDirUsed = true;
    answer = TAnswer();
    answer.Kind = kind;
    answer.Id = DialogAccepted;
    answer.Path = RunOptions.InstallDir;
  } else if (!TakeAnswer(kind, answer)) {
    if (RunOptions.Silent || !platform::CanShowDialogs()) {
      answer = UnattendedAnswer(kind);
    } else {
      INT_PTR result =
          DialogBoxParamA(GetModuleHandleA(nullptr), templateName, nullptr, DialogProc, 0);
      if (result != DialogAccepted && result != DialogCancelled && result != DialogOverwrite) return result;
      RecordAnswer(AnswerFromDialog(kind, result));
      return result;
    }
  }
  KeepUnshownDialog(kind, templateName);
  ApplyAnswer(answer);
  RecordAnswer(answer);
  return answer.Id;
}
