#include "shell/CommandLine.h"

#include <gtest/gtest.h>

namespace {

std::optional<CommandLine> Parse(std::vector<std::string> args, std::string* errorOut = nullptr)
{
    std::string error;
    auto line = CommandLine::Parse(args, error);
    if (errorOut != nullptr)
        *errorOut = error;
    return line;
}

TEST(CommandLine, ReadsEveryOption)
{
    const auto line = Parse({"--data", "/d", "--seed", "42", "--headless", "--screenshot", "s.png",
                             "--quit-at-state", "50:5", "--script", "x.txt"});
    ASSERT_TRUE(line);
    EXPECT_EQ(line->dataDir, "/d");
    EXPECT_EQ(line->seed, 42u);
    EXPECT_TRUE(line->headless);
    EXPECT_EQ(line->screenshot, "s.png");
    EXPECT_EQ(line->quitAtState, 50);
    EXPECT_EQ(line->quitAtCount, 5);
    EXPECT_EQ(line->script, "x.txt");
}

TEST(CommandLine, QuitAtStateCountsFromOne)
{
    const auto line = Parse({"--quit-at-state", "20"});
    ASSERT_TRUE(line);
    EXPECT_EQ(line->quitAtState, 20);
    EXPECT_EQ(line->quitAtCount, 1);
    EXPECT_FALSE(Parse({"--quit-at-state", "20:0"}));
    EXPECT_FALSE(Parse({"--quit-at-state", "x"}));
    // No screen has these values: the run would never end.
    EXPECT_FALSE(Parse({"--quit-at-state", "21:40"}));
    EXPECT_FALSE(Parse({"--quit-at-state", "-10"}));
    EXPECT_FALSE(Parse({"--quit-at-state", "110"}));
}

TEST(CommandLine, RejectsUnknownFlagsAndMissingValues)
{
    std::string error;
    EXPECT_FALSE(Parse({"--fast"}, &error));
    EXPECT_NE(error.find("--fast"), std::string::npos);
    EXPECT_FALSE(Parse({"--data"}));
    EXPECT_FALSE(Parse({"--seed", "-3"}));
    EXPECT_FALSE(Parse({"--seed", "12abc"}));
}

TEST(CommandLine, TheDailyDateMustBeARealDay)
{
    const auto line = Parse({"--daily-date", "2028-02-29"});
    ASSERT_TRUE(line);
    EXPECT_TRUE(line->daily);
    EXPECT_EQ(line->dailyDate, "2028-02-29");
    for (const char* date : {"2026-02-29", "2100-02-29", "2026-13-01", "2026-04-31", "2026-1-01",
                             "2026-12-9x", "0000-01-01", "2026/12/09"})
        EXPECT_FALSE(Parse({"--daily-date", date})) << date;
}

TEST(CommandLine, ReadsTheSimulatorOptions)
{
    const auto plain = Parse({});
    ASSERT_TRUE(plain);
    EXPECT_FALSE(plain->autoplay);
    EXPECT_EQ(plain->games, 0);
    EXPECT_TRUE(plain->render);
    EXPECT_TRUE(plain->trace.empty());

    const auto line = Parse(
        {"--autoplay", "--mode", "3", "--extra", "--games", "50", "--render", "none", "--trace", "t.jsonl"});
    ASSERT_TRUE(line);
    EXPECT_TRUE(line->autoplay);
    EXPECT_EQ(line->mode, 3);
    EXPECT_TRUE(line->extra);
    EXPECT_EQ(line->games, 50);
    EXPECT_FALSE(line->render);
    EXPECT_EQ(line->trace, "t.jsonl");
    EXPECT_TRUE(Parse({"--render", "full"})->render);
    EXPECT_FALSE(plain->pace);
    EXPECT_EQ(Parse({"--pace", "25"})->pace, 25);
}

TEST(CommandLine, RejectsSimulatorValuesOutOfRange)
{
    EXPECT_FALSE(Parse({"--mode", "4"}));
    EXPECT_FALSE(Parse({"--mode", "-1"}));
    EXPECT_FALSE(Parse({"--mode", "64"}));
    EXPECT_FALSE(Parse({"--games", "0"}));
    EXPECT_FALSE(Parse({"--games", "many"}));
    EXPECT_FALSE(Parse({"--render", "fast"}));
    EXPECT_FALSE(Parse({"--trace"}));
    for (const char* pace : {"0", "75", "200", "-25", "fast"})
        EXPECT_FALSE(Parse({"--pace", pace})) << pace;
}

} // namespace
