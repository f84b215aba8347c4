// The program's main routine: one run of the installer from start to end.
#pragma once

int RunSetup(int argc, char** argv);
