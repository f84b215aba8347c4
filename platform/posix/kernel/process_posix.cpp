// Starting programs: the only program the installer starts is the text
// viewer, "notepad.exe <file>".
//
// Windows finds the program in the machine (a deleted notepad.exe makes the
// start fail with error 2, as on Windows) and the viewer shows the file on
// the host. With a terminal attached (standard input and output) the host's
// pager ($PAGER, else less) shows the file, and the installer waits until the
// user leaves it: a pager running beside the installer's own questions on the
// same terminal would fight with them for the keyboard. Windows does not wait
// for notepad, but nothing the installer does depends on that. Without a
// terminal there is nobody to show the file to, and nothing is started.
// Programs other than the viewer are found but not run.
//
// Each start returns process and thread handles of the emulation's handle
// table: TerminateProcess accepts the process handle (terminating a viewer
// that has ended does nothing more), CloseHandle closes both.
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <string>

#include "platform/posix/kernel/kernel_posix.h"
#include "platform/posix/paths/paths_posix.h"

namespace {

// A started program as its handles stand for it. The viewer has ended (or
// never ran) by the time the handles are issued; they stay valid until closed.
class ProcessObject : public posix::HandleObject {};
class ThreadObject : public posix::HandleObject {};

void IssueHandles(LPPROCESS_INFORMATION info) {
  static DWORD nextId = 0x100;
  if (!info) return;
  info->hProcess = posix::NewHandle(new ProcessObject());
  info->hThread = posix::NewHandle(new ThreadObject());
  info->dwProcessId = nextId;
  info->dwThreadId = nextId + 4;
  nextId += 8;
}

bool IsViewer(const std::string& program) {
  size_t slash = program.rfind('\\');
  return strcasecmp(program.c_str() + (slash == std::string::npos ? 0 : slash + 1), "notepad.exe") == 0;
}

std::string ShellQuoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// notepad's one argument: the file, in quotes or not.
std::string FileArgument(std::string arguments) {
  size_t last = arguments.find_last_not_of(" \t");
  arguments.erase(last == std::string::npos ? 0 : last + 1);
  if (arguments.size() >= 2 && arguments.front() == '"' && arguments.back() == '"')
    arguments = arguments.substr(1, arguments.size() - 2);
  return arguments;
}

void ShowInViewer(const std::string& arguments) {
  if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO)) return;
  std::string file = FileArgument(arguments);
  std::string host;
  struct stat st;
  if (file.empty() || !posix::WinToHost(posix::FullWinPath(file.c_str()).c_str(), &host) ||
      stat(host.c_str(), &st) != 0)
    return;
  fflush(stdout);
  fflush(stderr);
  // system() runs the pager in the host environment and keeps Ctrl-C in the
  // pager from ending the installer.
  std::string command = "${PAGER:-less} " + ShellQuoted(host);
  (void)system(command.c_str());
}

}  // namespace

extern "C" BOOL CreateProcessA(LPCSTR applicationName, LPSTR commandLine,
                               LPSECURITY_ATTRIBUTES processAttributes,
                               LPSECURITY_ATTRIBUTES threadAttributes, BOOL inheritHandles,
                               DWORD creationFlags, LPVOID environment, LPCSTR currentDirectory,
                               LPSTARTUPINFOA startupInfo,
                               LPPROCESS_INFORMATION processInformation) {
  if (!applicationName && !commandLine) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  posix::ProgramCall call;
  if (!posix::FindProgramCall(applicationName, commandLine, &call)) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  if (IsViewer(call.program)) ShowInViewer(call.arguments);
  IssueHandles(processInformation);
  return TRUE;
}

// 33 on success, as Windows and Wine return; on failure the error code when
// it is below 32, else 11 (ERROR_BAD_FORMAT), so that it stays below 32.
extern "C" UINT WinExec(LPCSTR commandLine, UINT show) {
  std::string line = commandLine ? commandLine : "";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  if (CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                     &info)) {
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
    return 33;
  }
  DWORD error = GetLastError();
  return error < 32 ? error : 11;
}

extern "C" BOOL TerminateProcess(HANDLE process, UINT exitCode) {
  if (posix::HandleAs<ProcessObject>(process)) return TRUE;
  SetLastError(ERROR_INVALID_HANDLE);
  return FALSE;
}

// The host variable SETUP_NO_SLEEP (any value) skips the waits, for scripted
// runs that should not spend seconds on a pause meant for a reader.
extern "C" void Sleep(DWORD milliseconds) {
  if (getenv("SETUP_NO_SLEEP")) return;
  if (milliseconds == INFINITE) {
    for (;;) pause();
  }
  struct timespec left = {static_cast<time_t>(milliseconds / 1000),
                          static_cast<long>(milliseconds % 1000) * 1000000L};
  while (nanosleep(&left, &left) != 0 && errno == EINTR) {
  }
}
