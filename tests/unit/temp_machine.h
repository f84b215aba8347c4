// A fresh simulated machine for each test, in a temporary directory below
// the build folder, removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <string>

class TempMachineTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Host path of a file or folder inside the machine directory.
  std::string Host(const std::string& relative) const { return root_ + "/" + relative; }
  // Writes a host file (creating its folders).
  void WriteHostFile(const std::string& relative, const std::string& content) const;
  std::string ReadHostFile(const std::string& relative) const;
  const std::string& root() const { return root_; }

 private:
  std::string root_;
};
