// Command lines that run an install section of an INF file through the
// system's setup engine, as uninstall entries and links register them:
//   rundll32 setupapi.dll,InstallHinfSection SECTION 132 C:\WINDOWS\INF\APP.INF
#pragma once

const int kHinfSectionSize = 256;
const int kHinfPathSize = 260;

struct THinfCommand {
  char section[kHinfSectionSize];
  int mode;  // 128 + 4 = 132: paths relative to the INF, ask before a reboot
  char infPath[kHinfPathSize];
};

// Reads a whole command line (the program rundll32 or rundll32.exe, bare or
// with a path, quoted or not, any case; then setupapi or setupapi.dll and
// the entry point InstallHinfSection). False with *why filled when the
// line is not of that form.
bool ParseHinfCommandLine(const char* commandLine, THinfCommand* command, const char** why);
// Reads what InstallHinfSection itself is given: "SECTION MODE PATH", the
// path being everything after the mode (quotes around it are dropped).
bool ParseHinfArguments(const char* arguments, THinfCommand* command, const char** why);
