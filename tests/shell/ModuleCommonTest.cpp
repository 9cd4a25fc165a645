#include "shell/ModuleCommon.h"

#include "support/TestGame.h"

#include <gtest/gtest.h>
#include <set>

namespace {

TEST(ModuleCommon, AreasAndUnknownIndex)
{
    const AreaRect hand = GetArea(AreaHand);
    EXPECT_EQ(hand.Left, 123);
    EXPECT_EQ(hand.Top, 443);
    EXPECT_EQ(hand.Right, 798);
    EXPECT_EQ(hand.Bottom, 598);
    for (int index : {-1, 6, 100}) {
        const AreaRect r = GetArea(index);
        EXPECT_EQ(r.Left | r.Top | r.Right | r.Bottom, 0) << index;
    }
}

TEST(ModuleCommon, RoundingIsHalfToEven)
{
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(2.6), 3);
}

TEST(ModuleCommon, MakeIdUsesOnlyTheSixtyFourCharacters)
{
    TestGame t(false, 7);
    std::set<char> seen;
    for (int i = 0; i < 2000; ++i) {
        const std::array<char, 8> id = t.game.rules.MakeId();
        seen.insert(id.begin(), id.end());
    }
    const std::string alphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz/+";
    for (char c : seen)
        EXPECT_NE(alphabet.find(c), std::string::npos) << c;
    EXPECT_EQ(seen.size(), 64u);
}

} // namespace
