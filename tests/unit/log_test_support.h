// A fresh machine and a fresh log state: no log open, nothing collected,
// ErrorLevel 0, boxes answered without a user (their text goes to
// MessageBuffer as "MessageBox: ..." lines).
#pragma once

#include "common/message_buffer.h"
#include "common/run_options.h"
#include "common/run_state.h"
#include "log/log_file.h"
#include "tests/unit/temp_machine.h"

class LogStateTest : public TempMachineTest {
 protected:
  void SetUp() override {
    TempMachineTest::SetUp();
    Reset();
    RunOptions.Silent = true;
  }
  void TearDown() override {
    Reset();
    RunOptions.Silent = false;
    TempMachineTest::TearDown();
  }
  static void Reset() {
    LogFile.Close();
    LogFileOpen = false;
    LogFilePath.clear();
    MessageBuffer.clear();
    ErrorLevel = 0;
  }
};
