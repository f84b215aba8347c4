// The machine that a new, empty machine directory receives: the folders of
// drive C:, placeholder system programs, the `environment` file and the
// registry.reg of a freshly installed 32-bit Windows for the user "user"
// (laid out as a fresh Wine prefix lays them out, with C:\WINDOWS).
#pragma once

#include <string>

namespace posix {

// Fills the (existing, empty) host directory root with the default machine.
bool CreateDefaultMachine(const std::string& root, std::string* whyNot);

// The texts written there, for tests and tools.
std::string DefaultEnvironmentText();
std::string DefaultRegistryText();

}  // namespace posix
