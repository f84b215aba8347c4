// The registry file survives a writer killed at any moment: every change is
// written to a new file that replaces the old one only when complete.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "platform/posix/registry/registry_posix.h"
#include "tests/unit/temp_machine.h"

namespace {
// Writes values for ever; the parent kills it.
[[noreturn]] void KeepWriting() {
  HKEY key;
  if (RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Crash", &key) != ERROR_SUCCESS) _exit(2);
  std::string padding(2000, 'x');
  for (unsigned i = 0;; ++i) {
    std::string name = "value" + std::to_string(i % 50);
    std::string data = padding + std::to_string(i);
    RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>(data.size() + 1));
  }
}
}  // namespace

class RegistryCrashTest : public TempMachineTest {};

TEST_F(RegistryCrashTest, FileStaysValidWhenTheWriterIsKilledMidway) {
  std::string registryFile = Host("registry.reg");
  for (int round = 0; round < 12; ++round) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) KeepWriting();
    usleep(20000 + 7919 * round);  // a different moment of the write each round
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself in round " << round;
    std::string why;
    ASSERT_TRUE(posix::LoadRegistry(registryFile, &why)) << "round " << round << ": " << why;
    // The machine's own values are all still there.
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0,
                            KEY_QUERY_VALUE, &key),
              ERROR_SUCCESS)
        << "round " << round;
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "ProgramFilesDir", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
    RegCloseKey(key);
  }
}
