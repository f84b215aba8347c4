// Looking ahead in the response file: whether the result dialog will be
// answered decides where the Windows build leaves the result sentence.
#include <gtest/gtest.h>

#include "common/response_file.h"
#include "common/run_options.h"

TEST(ResponseFileAnswerLeft, SeesWaitingAnswersWithoutTakingThem) {
  Str error;
  ASSERT_TRUE(ParseResponseText("MessageBox=7\nMsgBoxLogFile=1\n", error)) << error.c_str();
  EXPECT_TRUE(HasAnswerLeft(AnswerMsgBoxLogFile));
  EXPECT_TRUE(HasAnswerLeft(AnswerMsgBoxLogFile));
  EXPECT_FALSE(HasAnswerLeft(AnswerMsgBoxContinue));
  TAnswer answer;
  ASSERT_TRUE(TakeAnswer(AnswerMsgBoxLogFile, answer));
  EXPECT_EQ(answer.Id, 1);
  EXPECT_FALSE(HasAnswerLeft(AnswerMsgBoxLogFile));
  EXPECT_TRUE(HasAnswerLeft(AnswerMessageBox));
  ClearAnswers();
  EXPECT_FALSE(HasAnswerLeft(AnswerMessageBox));
  RunOptions.CancelledByAnswers = false;
}
