// simrun: runs, on the native build's simulated machine, the command lines
// that an installation registers for its uninstall (the uninstall entry's
// UninstallString, an uninstall link's target and arguments), as the
// system's setup engine would run them on Windows.
//
//   simrun [--machine DIR] "COMMAND LINE"
//   simrun [--machine DIR] --uninstall NAME
//
// The second form runs the UninstallString of the uninstall entry NAME
// (HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\NAME), as the
// system's list of installed programs does. Exit code 0 when the section
// was run, 1 when it could not be (the reason on standard error), 2 for a
// command line that is not understood.
#include <cstdio>
#include <cstring>

#include "common/str.h"
#include "platform/platform.h"
#include "setupengine/hinf_command.h"
#include "setupengine/run_hinf_section.h"

namespace {

const char kUsage[] = "usage: simrun [--machine DIR] \"COMMAND LINE\" | --uninstall NAME\n";
const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

bool ReadUninstallString(const char* name, Str* command) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, (Str(kUninstallKey) + name).c_str(), 0, KEY_READ, &key) !=
      ERROR_SUCCESS)
    return false;
  char buffer[2048];
  DWORD size = sizeof buffer - 1;
  DWORD type = 0;
  LONG status = RegQueryValueExA(key, "UninstallString", nullptr, &type,
                                 reinterpret_cast<BYTE*>(buffer), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
  buffer[size] = '\0';
  *command = buffer;
  return true;
}

// The command line as the shell starts it: %name% expanded from the
// machine's environment.
Str Expanded(const char* commandLine) {
  char buffer[4096];
  DWORD length = ExpandEnvironmentStringsA(commandLine, buffer, sizeof buffer);
  return length > 0 && length <= sizeof buffer ? Str(buffer) : Str(commandLine);
}

}  // namespace

int main(int argc, char** argv) {
  const char* whyNot = nullptr;
  if (!platform::Startup(argc, argv, &whyNot)) {
    std::fprintf(stderr, "simrun: %s\n", whyNot ? whyNot : "cannot start");
    return 2;
  }
  int first = argc > 2 && std::strcmp(argv[1], "--machine") == 0 ? 3 : 1;
  Str commandLine;
  if (argc - first == 2 && std::strcmp(argv[first], "--uninstall") == 0) {
    if (!ReadUninstallString(argv[first + 1], &commandLine)) {
      std::fprintf(stderr, "simrun: no UninstallString in HKLM\\%s%s\n", kUninstallKey, argv[first + 1]);
      return 1;
    }
  } else if (argc - first == 1) {
    commandLine = argv[first];
  } else {
    std::fputs(kUsage, stderr);
    return 2;
  }
  THinfCommand command;
  const char* why = "";
  if (!ParseHinfCommandLine(Expanded(commandLine.c_str()).c_str(), &command, &why)) {
    std::fprintf(stderr, "simrun: %s: %s\n", commandLine.c_str(), why);
    return 2;
  }
  return RunHinfSection(command) ? 0 : 1;
}
