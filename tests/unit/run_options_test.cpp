// Command-line splitting, unattended switches and response files.
#include <gtest/gtest.h>

#include "common/response_file.h"
#include "common/run_options.h"
#include "setup/caption.h"
#include "setup/command_line.h"

namespace {
std::vector<std::string> Split(const char* commandLine) {
  std::vector<std::string> args;
  Str arg;
  while (NextCommandLineArgument(commandLine, arg)) args.push_back(arg.c_str());
  return args;
}
}  // namespace

TEST(CommandLine, BlanksAndControlCharactersSeparateQuotesGroupAndVanish) {
  EXPECT_EQ(Split("SETUP.EXE  a\tb\x01" "c"), (std::vector<std::string>{"SETUP.EXE", "a", "b", "c"}));
  EXPECT_EQ(Split("\"C:\\My Setup\\SETUP.EXE\" \"D:\\Pkg Dir\\APP.INF\" x"),
            (std::vector<std::string>{"C:\\My Setup\\SETUP.EXE", "D:\\Pkg Dir\\APP.INF", "x"}));
  EXPECT_EQ(Split("a\"b c\"d"), (std::vector<std::string>{"ab cd"}));
  EXPECT_EQ(Split("   "), std::vector<std::string>{});
}

TEST(RunOptions, SwitchesBeforeTheControlFileInEitherCase) {
  Str error;
  ASSERT_TRUE(ReadRunOptions("SETUP.EXE /s /dir=C:\\Program Files\\App /Answers=a.txt APP.INF /S", error));
  EXPECT_TRUE(RunOptions.Silent);
  EXPECT_TRUE(RunOptions.HasInstallDir);
  // Without quotes the blank ends the switch: the rest is the control file.
  EXPECT_STREQ(RunOptions.InstallDir.c_str(), "C:\\Program");
  EXPECT_STREQ(RunOptions.ControlFileArgument.c_str(), "Files\\App");

  ASSERT_TRUE(ReadRunOptions("SETUP.EXE /S \"/DIR=C:\\Program Files\\App\" /RECORD=r.txt APP.INF /X", error));
  EXPECT_STREQ(RunOptions.InstallDir.c_str(), "C:\\Program Files\\App");
  EXPECT_STREQ(RunOptions.RecordFile.c_str(), "r.txt");
  EXPECT_TRUE(RunOptions.HasControlFileArgument);
  EXPECT_STREQ(RunOptions.ControlFileArgument.c_str(), "APP.INF");
}

TEST(RunOptions, NoArgumentsAndUnknownSwitches) {
  Str error;
  ASSERT_TRUE(ReadRunOptions("SETUP.EXE", error));
  EXPECT_FALSE(RunOptions.Silent);
  EXPECT_FALSE(RunOptions.HasControlFileArgument);
  // A switch after the control file is not read; an unknown one is the control file.
  ASSERT_TRUE(ReadRunOptions("SETUP.EXE /Q /S", error));
  EXPECT_FALSE(RunOptions.Silent);
  EXPECT_STREQ(RunOptions.ControlFileArgument.c_str(), "/Q");
  EXPECT_FALSE(ReadRunOptions("SETUP.EXE /ANSWERS= APP.INF", error));
  EXPECT_STREQ(error.c_str(), "Error: the switch /ANSWERS= needs a value");
}

TEST(ResponseFile, AnswersAreTakenInOrderForEachKind) {
  Str error;
  ASSERT_TRUE(ParseResponseText("; answers\r\nmsgboxcontinue=1\nPathSel=1,C:\\Apps\\A, B\n"
                                "MessageBox=7\nMsgBoxSOC=4,always\nMessageBox=6\n\n"
                                "MsgBoxSOC=1,backup=C:\\Old,x\nPathSel=2\n",
                                error))
      << error.c_str();
  TAnswer a;
  ASSERT_TRUE(TakeAnswer(AnswerPathSel, a));
  EXPECT_EQ(a.Id, 1);
  EXPECT_STREQ(a.Path.c_str(), "C:\\Apps\\A, B");
  ASSERT_TRUE(TakeAnswer(AnswerMessageBox, a));
  EXPECT_EQ(a.Id, 7);
  ASSERT_TRUE(TakeAnswer(AnswerMessageBox, a));
  EXPECT_EQ(a.Id, 6);
  EXPECT_FALSE(TakeAnswer(AnswerMessageBox, a));
  ASSERT_TRUE(TakeAnswer(AnswerMsgBoxSoc, a));
  EXPECT_TRUE(a.Always);
  EXPECT_FALSE(a.Backup);
  ASSERT_TRUE(TakeAnswer(AnswerMsgBoxSoc, a));
  EXPECT_EQ(a.Id, 1);
  EXPECT_TRUE(a.Backup);
  EXPECT_STREQ(a.Path.c_str(), "C:\\Old,x");
  EXPECT_STREQ(FormatAnswer(a).c_str(), "MsgBoxSOC=1,backup=C:\\Old,x");
  RunOptions.CancelledByAnswers = false;
  ASSERT_TRUE(TakeAnswer(AnswerPathSel, a));
  EXPECT_EQ(a.Id, 2);
  EXPECT_TRUE(RunOptions.CancelledByAnswers);
  ASSERT_TRUE(TakeAnswer(AnswerMsgBoxContinue, a));
  EXPECT_FALSE(TakeAnswer(AnswerMsgBoxLogFile, a));
}

TEST(ResponseFile, MalformedLinesAreNamed) {
  Str error;
  EXPECT_FALSE(ParseResponseText("MsgBoxContinue=1\nPathSel=4,C:\\x\n", error));
  EXPECT_STREQ(error.c_str(),
               "Error in the response file, line 2 \"PathSel=4,C:\\x\": not an answer this dialog has");
  EXPECT_FALSE(ParseResponseText("Continue=1", error));
  EXPECT_STREQ(error.c_str(), "Error in the response file, line 1 \"Continue=1\": unknown dialog name");
  EXPECT_FALSE(ParseResponseText("MsgBoxSOC=4,sometimes", error));
  EXPECT_FALSE(ParseResponseText("MessageBox", error));
  EXPECT_FALSE(ParseResponseText("MessageBox=1x", error));
  TAnswer a;
  EXPECT_FALSE(TakeAnswer(AnswerMsgBoxContinue, a));  // a failed parse leaves no answers
}

TEST(ProjectVersion, CutToMajorAndMinor) {
  EXPECT_STREQ(CutToMajorMinor("2.07.0000.0000").c_str(), "2.07");
  EXPECT_STREQ(CutToMajorMinor("10.12.0003.0004").c_str(), "10.12");
  EXPECT_STREQ(CutToMajorMinor("2.07").c_str(), "2");
  EXPECT_STREQ(CutToMajorMinor("207").c_str(), "");
  EXPECT_STREQ(CutToMajorMinor("").c_str(), "");
  EXPECT_STREQ(CutToMajorMinor(".5.1").c_str(), ".5");
}
