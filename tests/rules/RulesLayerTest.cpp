// The rules stay a model of their own: a copy of a game can be played on anywhere, by a test, a
// thinking opponent or a second thread, only while nothing under src/rules reaches for the screens,
// the platform or the player's files.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <string>

namespace {

TEST(RulesLayerTest, NothingInRulesIncludesTheScreensThePlatformOrTheFiles)
{
    const char* source = std::getenv("PAKAPONTA_SOURCE");
    if (source == nullptr)
        GTEST_SKIP() << "PAKAPONTA_SOURCE names no source tree";
    const std::regex forbidden(
        R"(^\s*#\s*include\s*["<](shell|gfx|platform|screens|sound|keep|board|players|events|data|text)/)");
    int files = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(source) / "src/rules")) {
        ++files;
        std::ifstream in(entry.path());
        std::string line;
        for (int number = 1; std::getline(in, line); ++number)
            EXPECT_FALSE(std::regex_search(line, forbidden))
                << entry.path().filename() << ":" << number << ": " << line;
    }
    EXPECT_GT(files, 0);
}

} // namespace
