// Thread files are read again at a game start only when they changed since the last one, and any
// change counts: a new text of the same length, a file put in place of another, a removal.
#include "data/FileLoader.h"
#include "platform/FileSystem.h"
#include "support/TestGame.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

constexpr const char* Sep = "#----[Separator]----#\r\n";

TEST(ThreadFileReuseTest, AChangedFileIsReadAgainAtTheNextGameStart)
{
    const std::string dir = MakeTempDir();
    std::filesystem::create_directory(dir + "thread");
    TestGame t(false, 7, dir);
    t.LoadFixtureData();
    FileLoader loader(t.game);
    const std::string file = dir + "thread/000.txt";
    auto write = [&file](const std::string& title) {
        ASSERT_TRUE(FileSystem::WriteFile(file, title + "\r\nposter\r\n" + Sep + "body\r\n"));
    };

    write("AAAA");
    loader.ThreadGameLoad();
    EXPECT_EQ(t.game.ThreadTexts[0].Title, "AAAA");
    loader.ThreadGameLoad();
    EXPECT_EQ(t.game.ThreadTexts[7].Title, "AAAA") << "read again from what was kept";

    // The same length, written a moment later: the time of the write tells it apart.
    write("BBBB");
    std::filesystem::last_write_time(file, std::filesystem::last_write_time(file) + std::chrono::seconds(1));
    loader.ThreadGameLoad();
    EXPECT_EQ(t.game.ThreadTexts[0].Title, "BBBB");

    // Another file moved into its place, with the same length and time.
    const std::string other = dir + "other.txt";
    ASSERT_TRUE(FileSystem::WriteFile(other, std::string("CCCC\r\nposter\r\n") + Sep + "body\r\n"));
    std::filesystem::last_write_time(other, std::filesystem::last_write_time(file));
    std::filesystem::rename(other, file);
    loader.ThreadGameLoad();
    EXPECT_EQ(t.game.ThreadTexts[0].Title, "CCCC");

    // Gone, the file gives no thread: the texts of the last game stay.
    std::filesystem::remove(file);
    ASSERT_TRUE(
        FileSystem::WriteFile(dir + "thread/001.txt", std::string("DDDD\r\nposter\r\n") + Sep + "b\r\n"));
    loader.ThreadGameLoad();
    for (int slot = 0; slot < 45; ++slot)
        ASSERT_EQ(t.game.ThreadTexts[slot].Title, "DDDD") << slot;
    std::filesystem::remove_all(dir);
}

TEST(ThreadFileReuseTest, AStampTellsFilesFromFoldersAndMissingOnes)
{
    const std::string dir = MakeTempDir();
    ASSERT_TRUE(FileSystem::WriteFile(dir + "a.txt", "12345"));
    const auto stamp = FileSystem::Stamp(dir + "a.txt");
    ASSERT_TRUE(stamp.has_value());
    EXPECT_EQ(stamp->size, 5);
    EXPECT_EQ(FileSystem::Stamp(dir + "a.txt"), stamp);
    EXPECT_FALSE(FileSystem::Stamp(dir).has_value());
    EXPECT_FALSE(FileSystem::Stamp(dir + "none.txt").has_value());
    std::filesystem::remove_all(dir);
}

} // namespace
