#include "shell/Consts.h"

#include "support/TestGame.h"

#include <cstdlib>
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

TEST(Consts, TheDefaultsAreTheValuesTheShippedIniShows)
{
    const char* source = std::getenv("PAKAPONTA_SOURCE");
    if (source == nullptr)
        GTEST_SKIP() << "PAKAPONTA_SOURCE is not set";
    // The shipped resource.ini shows each [WAIT] entry commented out with its default: with every
    // entry put in force, nothing may change.
    std::ifstream shipped(std::string(source) + "/assets/resource.ini");
    std::string ini;
    int entries = 0;
    for (std::string line; std::getline(shipped, line);) {
        const bool entry =
            line.size() > 1 && line[0] == ';' && line[1] != ' ' && line.find('=') != std::string::npos;
        entries += entry ? 1 : 0;
        ini += (entry ? line.substr(1) : line) + "\n";
    }
    ASSERT_GE(entries, 6);
    const std::string dir = MakeTempDir();
    std::ofstream(dir + "resource.ini") << ini;
    TestGame withIni(false, 1, dir);
    TestGame without(false, 1, MakeTempDir());
    const Consts set(withIni.game);
    const Consts defaults(without.game);
    EXPECT_EQ(set.TimePopMove, defaults.TimePopMove);
    EXPECT_EQ(set.TimePopShow, defaults.TimePopShow);
    EXPECT_EQ(set.TimeBarClear, defaults.TimeBarClear);
    EXPECT_EQ(set.TimeCompNext, defaults.TimeCompNext);
    EXPECT_EQ(set.TimeCompThread, defaults.TimeCompThread);
    EXPECT_EQ(set.TimeCardMove(), defaults.TimeCardMove());
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
