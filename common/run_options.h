// The switches of unattended runs, read from the command line before the
// control-file argument:
//   /S            silent: no dialog, message box or viewer is shown
//   /DIR=path     the installation directory, as if typed and confirmed
//   /ANSWERS=file a response file with the answers to dialogs and boxes
//   /RECORD=file  writes every answer given in the run as response lines
// Dialogs, viewers and the end of the run ask for them, so they are declared
// here; the run sequence reads them (setup/run_options.cpp).
#pragma once

#include "common/str.h"

struct TRunOptions {
  bool Silent = false;
  bool HasInstallDir = false;
  Str InstallDir;
  Str AnswersFile;
  Str RecordFile;
  // A response-file answer cancelled the installation.
  bool CancelledByAnswers = false;
  // The control-file argument: the first argument that is not a switch.
  bool HasControlFileArgument = false;
  Str ControlFileArgument;
};

extern TRunOptions RunOptions;

// Reads the switches and the control-file argument from a command line
// (program name first). Returns false with a message for an unusable
// switch.
bool ReadRunOptions(const char* commandLine, Str& error);
