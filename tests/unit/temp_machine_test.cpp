// The shared fixture (temp_machine.h) and its own sanity checks.
#include "tests/unit/temp_machine.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "platform/posix/machine/machine_posix.h"

void TempMachineTest::SetUp() {
  std::string base = std::string(SETUP_BINARY_DIR) + "/test-machines";
  mkdir(base.c_str(), 0777);
  std::string pattern = base + "/m-XXXXXX";
  ASSERT_NE(mkdtemp(&pattern[0]), nullptr);
  root_ = pattern;
  std::string why;
  ASSERT_TRUE(posix::OpenMachine(root_, &why)) << why;
}

void TempMachineTest::TearDown() {
  if (!root_.empty() && !HasFailure()) {
    std::string cmd = "chmod -R u+w '" + root_ + "' && rm -rf '" + root_ + "'";
    (void)system(cmd.c_str());
  }
}

void TempMachineTest::WriteHostFile(const std::string& relative, const std::string& content) const {
  std::string path = Host(relative);
  std::string cmd = "mkdir -p \"$(dirname '" + path + "')\"";
  (void)system(cmd.c_str());
  std::ofstream out(path, std::ios::binary);
  out << content;
}

std::string TempMachineTest::ReadHostFile(const std::string& relative) const {
  std::ifstream in(Host(relative), std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST_F(TempMachineTest, OpensAMachineWithDriveC) {
  struct stat st;
  EXPECT_EQ(stat(Host("drive_c").c_str(), &st), 0);
  EXPECT_EQ(posix::MachineRoot(), root());
}
