// Entry point of SETUP.EXE and of the native setup.
#include "setup/run_sequence.h"

int main(int argc, char** argv) { return RunSetup(argc, argv); }
