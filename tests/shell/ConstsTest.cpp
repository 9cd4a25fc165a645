#include "shell/Consts.h"

#include "support/TestGame.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

TEST(ConstsParseWait, ReadsTheLeadingNumberRoundedHalfToEven)
{
    EXPECT_EQ(Consts::ParseWait(""), -1);
    EXPECT_EQ(Consts::ParseWait("0"), 0);
    EXPECT_EQ(Consts::ParseWait("-5"), -5);
    EXPECT_EQ(Consts::ParseWait("1.5"), 2);
    EXPECT_EQ(Consts::ParseWait("2.5"), 2);
    EXPECT_EQ(Consts::ParseWait("abc"), 0);
    EXPECT_EQ(Consts::ParseWait("  120ms"), 120);
    EXPECT_EQ(Consts::ParseWait(".5"), 0);
}

TEST(ConstsParseWait, ClampsNumbersBeyondThirtyTwoBits)
{
    EXPECT_EQ(Consts::ParseWait("99999999999"), 2147483647);
    EXPECT_EQ(Consts::ParseWait("-99999999999"), -2147483647 - 1);
}

TEST(Consts, DefaultsWithoutResourceIni)
{
    TestGame t(false, 1, MakeTempDir());
    const Consts consts(t.game);
    EXPECT_EQ(consts.TimePopMove, 25);
    EXPECT_EQ(consts.TimePopShow, 2500);
    EXPECT_EQ(consts.TimeBarClear, 100);
    EXPECT_EQ(consts.TimeCompNext, 800);
    EXPECT_EQ(consts.TimeCompThread, 200);
    EXPECT_EQ(consts.TimeCardMove(), 25);
}

TEST(Consts, ReadsWaitSectionWithNegativeValuesFallingBack)
{
    const std::string dir = MakeTempDir();
    std::ofstream(dir + "resource.ini") << "[WAIT]\r\nPopShow=0\r\nPopMove=-1\r\nCompNext=1.5\r\n"
                                           "CompThread=abc\r\nCardMove=2.5\r\n";
    TestGame t(false, 1, dir);
    const Consts consts(t.game);
    EXPECT_EQ(consts.TimePopShow, 0);
    EXPECT_EQ(consts.TimePopMove, 25);
    EXPECT_EQ(consts.TimeCompNext, 2);
    EXPECT_EQ(consts.TimeCompThread, 0);
    EXPECT_EQ(consts.TimeCardMove(), 2);
    EXPECT_EQ(consts.TimeBarClear, 100);
}

} // namespace
