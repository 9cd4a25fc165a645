#include "platform/DoubleClickRule.h"

#include <gtest/gtest.h>

namespace {

// Whether a second left press at (x, y), ms after a first at (100, 100), completes a double click.
bool Second(int x, int y, uint32_t ms = 100)
{
    DoubleClickRule rule;
    rule.Press(1, 100, 100, 5000);
    return rule.Press(1, x, y, 5000 + ms);
}

TEST(DoubleClickRuleTest, OnlyTheFourByFourRectangleAroundTheFirstPressCounts)
{
    EXPECT_TRUE(Second(100, 100));
    EXPECT_TRUE(Second(98, 98));
    EXPECT_TRUE(Second(101, 101));
    EXPECT_TRUE(Second(98, 101));
    EXPECT_FALSE(Second(97, 100));
    EXPECT_FALSE(Second(102, 100));
    EXPECT_FALSE(Second(100, 97));
    EXPECT_FALSE(Second(100, 102));
    // The next thread row.
    EXPECT_FALSE(Second(100, 116));
}

TEST(DoubleClickRuleTest, OnlyWithinTheDoubleClickTimeAcrossTheClockWrap)
{
    EXPECT_TRUE(Second(100, 100, DoubleClickRule::DefaultTimeMs));
    EXPECT_FALSE(Second(100, 100, DoubleClickRule::DefaultTimeMs + 1));
    DoubleClickRule rule(200);
    rule.Press(1, 10, 10, 0xFFFFFF80u);
    EXPECT_TRUE(rule.Press(1, 10, 10, 0x40u));
    rule.Press(1, 10, 10, 1000);
    EXPECT_FALSE(rule.Press(1, 10, 10, 999)) << "a press from before the first";
}

TEST(DoubleClickRuleTest, EachPressThatIsNoSecondStartsAPairOfItsOwn)
{
    DoubleClickRule rule;
    EXPECT_FALSE(rule.Press(1, 100, 100, 0));
    EXPECT_FALSE(rule.Press(1, 100, 116, 100));
    EXPECT_TRUE(rule.Press(1, 100, 116, 200)) << "the pair starts again on the second row";
    EXPECT_FALSE(rule.Press(1, 100, 116, 300)) << "a third press is plain";
    EXPECT_TRUE(rule.Press(1, 100, 116, 400));
    EXPECT_FALSE(rule.Press(2, 100, 116, 500));
    EXPECT_FALSE(rule.Press(1, 100, 116, 600)) << "another button came between";
    rule.Forget();
    EXPECT_FALSE(rule.Press(1, 100, 116, 700));
}

TEST(DoubleClickRuleTest, TapsPairOnTheSameTargetOnlyAndNeverWithTheMouse)
{
    DoubleClickRule rule;
    EXPECT_FALSE(rule.Tap(3, 0));
    EXPECT_TRUE(rule.Tap(3, DoubleClickRule::DefaultTimeMs)) << "the same card, wherever on it";
    EXPECT_FALSE(rule.Tap(3, 600)) << "a third tap is plain";
    EXPECT_FALSE(rule.Tap(104, 700)) << "another target";
    EXPECT_FALSE(rule.Tap(104, 700 + DoubleClickRule::DefaultTimeMs + 1)) << "too late";
    EXPECT_FALSE(rule.Tap(-1, 2000));
    EXPECT_FALSE(rule.Tap(-1, 2100)) << "nothing picked twice is no pair";
    rule.Tap(5, 3000);
    EXPECT_FALSE(rule.Press(1, 10, 10, 3100));
    EXPECT_FALSE(rule.Tap(5, 3200)) << "a mouse press came between";
    rule.Press(1, 10, 10, 4000);
    EXPECT_FALSE(rule.Tap(5, 4100));
    EXPECT_FALSE(rule.Press(1, 10, 10, 4200)) << "a tap came between";
}

} // namespace
