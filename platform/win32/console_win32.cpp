// Standard error of a GUI program: present only when the caller gave us one
// (a redirection or a pipe) or when we were started from a console window.
#include "platform/platform.h"

namespace {

// Meaningful only once errorHandleLooked is set (zero here, so that it costs
// no initialised data in the file).
HANDLE errorHandle = NULL;
bool errorHandleLooked = false;

bool IsUsableHandle(HANDLE handle) {
  if (handle == NULL || handle == INVALID_HANDLE_VALUE) return false;
  DWORD type = GetFileType(handle);
  return type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE || type == FILE_TYPE_CHAR;
}

// A GUI program started from a command prompt without redirection gets no
// standard handles at all. Then, and only then, the console of the parent is
// borrowed so that a silent run started by hand still reports its messages
// there. Nothing is attached when a handle was inherited, so output that the
// caller redirected never goes anywhere else.
HANDLE ParentConsoleOutput() {
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return INVALID_HANDLE_VALUE;
  HANDLE console = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
  if (!IsUsableHandle(console)) return INVALID_HANDLE_VALUE;
  return console;
}

HANDLE StandardErrorHandle() {
  if (errorHandleLooked) return errorHandle;
  errorHandleLooked = true;
  HANDLE inherited = GetStdHandle(STD_ERROR_HANDLE);
  errorHandle = IsUsableHandle(inherited) ? inherited : ParentConsoleOutput();
  return errorHandle;
}

}  // namespace

namespace platform {

bool HasStandardError() { return StandardErrorHandle() != INVALID_HANDLE_VALUE; }

void WriteStandardError(const char* text) {
  HANDLE handle = StandardErrorHandle();
  if (handle == INVALID_HANDLE_VALUE || !text) return;
  DWORD left = static_cast<DWORD>(lstrlenA(text));
  while (left > 0) {
    DWORD written = 0;
    if (!WriteFile(handle, text, left, &written, NULL) || written == 0) return;
    text += written;
    left -= written;
  }
}

// Windows programs never read answers from a terminal.
bool HasInteractiveTerminal() { return false; }

void ExitProcessNow(unsigned code) {
  ExitProcess(code);
  __builtin_unreachable();
}

}  // namespace platform
