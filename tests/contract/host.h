// What the contract run needs from its host before the first row.
#pragma once

namespace contract {

// Prepares the API for the run (the emulation opens its machine from
// "--machine DIR"); false, with the reason printed, when it cannot run.
bool OpenHost(int argc, char** argv);
// The value of "--NAME VALUE" on the command line, or nullptr.
const char* Option(int argc, char** argv, const char* name);

}  // namespace contract
