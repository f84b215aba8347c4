#include "common/run_options.h"

#include "setup/command_line.h"

TRunOptions RunOptions;

namespace {
// Matches "/NAME" or "/NAME=value" (NAME without regard to case). With
// wantsValue, only the form with "=" matches and value receives the rest.
bool MatchSwitch(const Str& argument, const char* name, bool wantsValue, Str& value) {
  const char* text = argument.c_str();
  if (text[0] != '/') return false;
  size_t i = 0;
  for (; name[i]; ++i)
    if (UpperAscii(text[1 + i]) != name[i]) return false;
  char after = text[1 + i];
  if (!wantsValue) return after == '\0';
  if (after != '=') return false;
  value = text + 2 + i;
  return true;
}

bool TakeSwitch(const Str& argument, Str& error) {
  Str value;
  if (MatchSwitch(argument, "S", false, value)) {
    RunOptions.Silent = true;
  } else if (MatchSwitch(argument, "DIR", true, value)) {
    RunOptions.HasInstallDir = true;
    RunOptions.InstallDir = value;
  } else if (MatchSwitch(argument, "ANSWERS", true, value)) {
    RunOptions.AnswersFile = value;
  } else if (MatchSwitch(argument, "RECORD", true, value)) {
    RunOptions.RecordFile = value;
  } else {
    return false;
  }
  if ((argument.find("=") > 0) && value.empty()) {
    error = Str("Error: the switch ") + argument + " needs a value";
  }
  return true;
}
}  // namespace

bool ReadRunOptions(const char* commandLine, Str& error) {
  RunOptions = TRunOptions();
  error.clear();
  const char* cursor = commandLine ? commandLine : "";
  Str argument;
  if (!NextCommandLineArgument(cursor, argument)) return true;  // program name
  while (NextCommandLineArgument(cursor, argument)) {
    if (TakeSwitch(argument, error)) {
      if (!error.empty()) return false;
      continue;
    }
    // Only the first argument after the switches is looked at.
    RunOptions.HasControlFileArgument = true;
    RunOptions.ControlFileArgument = argument;
    break;
  }
  return true;
}
