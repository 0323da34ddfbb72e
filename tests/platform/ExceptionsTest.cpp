#include "platform/core/Exceptions.h"

#include <gtest/gtest.h>

TEST(Exceptions, CarryClassNameAndMessage) {
  try {
    throw EConvertError("bad");
  } catch (const Exception& E) {
    EXPECT_STREQ(E.ClassName(), "EConvertError");
    EXPECT_EQ(E.Message(), "bad");
    EXPECT_STREQ(E.what(), "bad");
  }
}

TEST(Exceptions, CodesTravelWithTheirErrors) {
  EInOutError Io("Disk full", 112);
  EXPECT_EQ(Io.ErrorCode(), 112);
  EWin32Error Os("Access denied", 5);
  EXPECT_EQ(Os.ErrorCode(), 5);
  EXPECT_NE(dynamic_cast<const EOSError*>(&Os), nullptr);
  EOleException Ole("no table", "ZedediRezevizS.dmZedediRezeviz");
  EXPECT_EQ(Ole.Source(), "ZedediRezevizS.dmZedediRezeviz");
  EXPECT_STREQ(Ole.ClassName(), "EOleException");
}

TEST(Exceptions, EngineErrorListsEveryEngineError) {
  EDBEngineError E({{101, "first"}, {102, "second"}, {103, "third"}});
  ASSERT_EQ(E.ErrorCount(), 3);
  EXPECT_EQ(E.Errors(2).ErrorCode, 103);
  EXPECT_EQ(E.Message(), "first");
  EXPECT_THROW(E.Errors(3), EListError);
  EXPECT_NE(dynamic_cast<const EDatabaseError*>(&E), nullptr);
}

TEST(Exceptions, AbortRaisesEAbort) { EXPECT_THROW(Abort(), EAbort); }
