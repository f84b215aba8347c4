// The one door from the core to the operating system.
//
// The core is written against the Win32 API (ANSI forms) and calls it by its
// own names. On Windows these are the real functions; elsewhere they are our
// emulation of them over a simulated machine kept in a directory.
#pragma once

#ifdef _WIN32
#include "platform/win32/win32_api.h"
#else
#include "platform/posix/win32_api_posix.h"
#endif

// Things that are not Win32 calls but that both platforms must offer.
namespace platform {

// Called first thing in the program: on Windows it restricts the DLL search
// to the system directory; on the emulation it opens the simulated machine
// (argc/argv are only looked at there, for "--machine DIR").
// Returns false when the process cannot run at all; the text then says why.
bool Startup(int argc, char** argv, const char** whyNot);

// Standard error is attached (a console or a redirected stream).
bool HasStandardError();
// Writes text to standard error when one is attached.
void WriteStandardError(const char* text);

// Standard input is an interactive terminal (only ever true on the emulation).
bool HasInteractiveTerminal();

// Dialogs and message boxes can be shown to a user: always on Windows; on the
// emulation only when a terminal is attached.
bool CanShowDialogs();

// A dialog's static texts (101 and 107) shown whole, whatever their length:
// a text that needs more lines than its template gives grows its control,
// and the dialog and the controls below grow and move with it, within the
// screen. A terminal shows every text whole and does nothing here.
void FitDialogToTexts(HWND dialog);
// Centres the dialog low on the screen, clear of a viewer's opening lines.
void PlaceDialogLow(HWND dialog);

// Ends the process at once with the given exit code, without running any
// further exit procedure of ours.
[[noreturn]] void ExitProcessNow(unsigned code);

}  // namespace platform
