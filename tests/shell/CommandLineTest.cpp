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

} // namespace
