#include "data/FileLoader.h"
#include "platform/FileSystem.h"
#include "platform/ProgramExit.h"
#include "support/TestGame.h"
#include "text/Cp932.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <unistd.h>

namespace {

constexpr const char* kSep = "#----[Separator]----#\r\n";

// A game whose program folder is a fresh temporary one, with the small fixture tables loaded.
struct Folder {
    Folder() : dir(MakeTempDir()), t(false, 7, dir)
    {
        std::filesystem::create_directory(dir + "thread");
        t.LoadFixtureData();
        loader = std::make_unique<FileLoader>(t.game);
    }
    ~Folder() { std::filesystem::remove_all(dir); }

    void Write(const std::string& name, const std::string& bytes) const
    {
        ASSERT_TRUE(FileSystem::WriteFile(dir + name, bytes));
    }
    // A thread file: title, poster name, body, then the given number of responses "rN".
    void Thread(int number, const std::string& title, int responses) const
    {
        std::string text = title + "\r\nposter " + title + "\r\n" + kSep + "body of " + title + "\r\n";
        for (int k = 0; k < responses; ++k)
            text += std::string(kSep) + "r" + std::to_string(k) + "\r\n";
        char name[32];
        std::snprintf(name, sizeof name, "thread/%03d.txt", number);
        Write(name, text);
    }
    // The fatal exit status, or -1 when the call returns.
    template <typename Call> int ExitOf(Call call)
    {
        try {
            call();
        } catch (const ProgramExit& exit) {
            return exit.status;
        }
        return -1;
    }

    std::string dir;
    TestGame t;
    std::unique_ptr<FileLoader> loader;
};

bool IsPool(const std::string& text)
{
    return text.starts_with("pool ");
}

TEST(ThreadGameLoadTest, TwoSeparatorsGiveOneResponseFromTheFileAndNineteenFromThePool)
{
    Folder f;
    f.Thread(0, "only", 1);
    f.loader->ThreadGameLoad();
    const ThreadText& slot = f.t.game.ThreadTexts[0];
    EXPECT_EQ(slot.Title, "only");
    EXPECT_EQ(slot.PosterName, "poster only");
    EXPECT_EQ(slot.Body, "body of only\r\n");
    EXPECT_EQ(slot.Responses[0], "r0");
    for (int k = 1; k < 20; ++k)
        EXPECT_TRUE(IsPool(slot.Responses[k])) << k << ": " << slot.Responses[k];
    // One readable file fills every slot.
    for (const ThreadText& other : f.t.game.ThreadTexts)
        EXPECT_EQ(other.Title, "only");
}

TEST(ThreadGameLoadTest, OnlyTheFirstTwentyResponsesAreUsed)
{
    Folder f;
    f.Thread(123, "long", 26);
    f.loader->ThreadGameLoad();
    const ThreadText& slot = f.t.game.ThreadTexts[0];
    for (int k = 0; k < 19; ++k)
        EXPECT_EQ(slot.Responses[k], "r" + std::to_string(k) + "\r\n");
    EXPECT_EQ(slot.Responses[19], "r19\r\n");
}

TEST(ThreadGameLoadTest, TenFilesRepeatInSlotOrder)
{
    Folder f;
    for (int i = 0; i < 10; ++i)
        f.Thread(i * 20, "t" + std::to_string(i), 20);
    f.loader->ThreadGameLoad();
    const auto& slots = f.t.game.ThreadTexts;
    std::set<std::string> first;
    for (int s = 0; s < 10; ++s)
        first.insert(slots[s].Title);
    EXPECT_EQ(first.size(), 10u);
    for (int s = 10; s < 45; ++s) {
        EXPECT_EQ(slots[s].Title, slots[s % 10].Title) << s;
        EXPECT_EQ(slots[s].Body, slots[s % 10].Body) << s;
        EXPECT_EQ(slots[s].Responses, slots[s % 10].Responses) << s;
    }
    EXPECT_EQ(slots[44].Title, slots[4].Title);
}

TEST(ThreadGameLoadTest, FortyFiveOrMoreFilesAreAllDifferentAndVaryFromGameToGame)
{
    Folder f;
    for (int i = 0; i < 60; ++i)
        f.Thread(i * 3, "t" + std::to_string(i), 20);
    f.loader->ThreadGameLoad();
    std::set<std::string> titles;
    for (const ThreadText& slot : f.t.game.ThreadTexts)
        titles.insert(slot.Title);
    EXPECT_EQ(titles.size(), 45u);

    f.loader->ThreadGameLoad();
    std::set<std::string> again;
    for (const ThreadText& slot : f.t.game.ThreadTexts)
        again.insert(slot.Title);
    EXPECT_EQ(again.size(), 45u);
    EXPECT_NE(titles, again);
}

TEST(ThreadGameLoadTest, MissingPartsKeepThePreviousTexts)
{
    Folder f;
    // No separator at all: only the title is taken; every response comes from the pool.
    f.Write("thread/000.txt", "lonely title\r\n");
    f.loader->ThreadGameLoad();
    const ThreadText& slot = f.t.game.ThreadTexts[0];
    EXPECT_EQ(slot.Title, "lonely title");
    EXPECT_EQ(slot.PosterName, "poster 0");
    EXPECT_EQ(slot.Body, "body 0");
    for (const std::string& response : slot.Responses)
        EXPECT_TRUE(IsPool(response)) << response;

    // A one-line header before a separator still ends in a line end: its second line is empty.
    f.Write("thread/000.txt", std::string("new title\r\n") + kSep + "new body");
    f.loader->ThreadGameLoad();
    EXPECT_EQ(f.t.game.ThreadTexts[0].Title, "new title");
    EXPECT_EQ(f.t.game.ThreadTexts[0].PosterName, "");
    EXPECT_EQ(f.t.game.ThreadTexts[0].Body, "new body");
}

TEST(ThreadGameLoadTest, EmptyUnreadableAndMissingFilesAreSkipped)
{
    Folder f;
    f.Write("thread/001.txt", "");
    // Nothing but a byte order mark: the file has a length but no line.
    f.Write("thread/002.txt", "\xEF\xBB\xBF");
    std::filesystem::create_directory(f.dir + "thread/003.txt");
    f.loader->ThreadGameLoad();
    for (int s = 0; s < 45; ++s)
        EXPECT_EQ(f.t.game.ThreadTexts[s].Title, "thread " + std::to_string(s))
            << "no file read, nothing copied";

    f.Thread(4, "good", 20);
    f.loader->ThreadGameLoad();
    EXPECT_EQ(f.t.game.ThreadTexts[0].Title, "good");
    EXPECT_EQ(f.t.game.ThreadTexts[44].Title, "good");
}

TEST(ThreadGameLoadTest, AFileThatCannotBeOpenedIsSkipped)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser reads any file";
    Folder f;
    f.Thread(5, "locked", 20);
    f.Thread(6, "open", 20);
    std::filesystem::permissions(f.dir + "thread/005.txt", std::filesystem::perms::none);
    f.loader->ThreadGameLoad();
    for (const ThreadText& slot : f.t.game.ThreadTexts)
        EXPECT_EQ(slot.Title, "open");
}

TEST(ThreadGameLoadTest, MalformedFilesLoadWithoutTrouble)
{
    Folder f;
    // LF line ends only: the whole file is one line, so one piece and one header line.
    f.Write("thread/000.txt", "title\nname\n#----[Separator]----#\nbody\n");
    f.loader->ThreadGameLoad();
    EXPECT_EQ(f.t.game.ThreadTexts[0].Title, "title\nname\n#----[Separator]----#\nbody\n");
    EXPECT_EQ(f.t.game.ThreadTexts[0].PosterName, "poster 0");

    // Bytes that are not CP932 read as '?'.
    f.Write("thread/000.txt", std::string("ti\xFFtle\r\nna\x81") + "\r\n" + kSep + "\x82\xA0");
    f.loader->ThreadGameLoad();
    EXPECT_EQ(f.t.game.ThreadTexts[0].Title, "ti?tle");
    EXPECT_EQ(f.t.game.ThreadTexts[0].PosterName, "na?");
    EXPECT_EQ(f.t.game.ThreadTexts[0].Body, "あ");

    std::string garbage;
    for (int i = 0; i < 5000; ++i)
        garbage += static_cast<char>((i * 131 + 7) % 256);
    f.Write("thread/000.txt", garbage);
    f.loader->ThreadGameLoad();
    EXPECT_FALSE(f.t.game.ThreadTexts[0].Title.empty());
}

TEST(ThreadPublicLoadTest, PoolPiecesUpToAThousand)
{
    Folder f;
    std::string text;
    for (int i = 0; i < 1500; ++i)
        text += (i > 0 ? std::string(kSep) : "") + "p" + std::to_string(i) + "\r\n";
    f.Write("thread/thread.txt", text);
    f.loader->ThreadPublicLoad();
    EXPECT_EQ(f.t.game.PublicResMax, 999);
    EXPECT_EQ(f.t.game.PublicRes[0], "p0\r\n");
    EXPECT_EQ(f.t.game.PublicRes[999], "p999\r\n");

    f.Write("thread/thread.txt", "one\r\nresponse\r\n");
    f.loader->ThreadPublicLoad();
    EXPECT_EQ(f.t.game.PublicResMax, 0);
    EXPECT_EQ(f.t.game.PublicRes[0], "one\r\nresponse");

    f.Write("thread/thread.txt", "\xEF\xBB\xBF\xE3\x81\x82\r\n");
    f.loader->ThreadPublicLoad();
    EXPECT_EQ(f.t.game.PublicRes[0], "あ");
}

TEST(ThreadPublicLoadTest, AnOversizedPoolIsReadUpToTheCap)
{
    Folder f;
    std::string text;
    for (int i = 0; i < 1200; ++i)
        text += "p" + std::to_string(i) + "\r\n" + kSep;
    // A tail far past the cap, as from a damaged or runaway file.
    text.append(static_cast<size_t>(FileLoader::MaxTextFileBytes), 'x');
    f.Write("thread/thread.txt", text);
    f.loader->ThreadPublicLoad();
    EXPECT_EQ(f.t.game.PublicResMax, 999);
    EXPECT_EQ(f.t.game.PublicRes[999], "p999\r\n");
}

TEST(ThreadPublicLoadTest, AMissingEmptyOrUnreadablePoolIsFatal)
{
    for (const char* bytes : {static_cast<const char*>(nullptr), "", "\xEF\xBB\xBF"}) {
        Folder f;
        if (bytes != nullptr)
            f.Write("thread/thread.txt", bytes);
        EXPECT_EQ(f.ExitOf([&] { f.loader->ThreadPublicLoad(); }), 1);
        EXPECT_EQ(f.t.platform.LastMessageTitle(), "Pakaponta");
        EXPECT_EQ(f.t.platform.LastMessageText(), "thread.txt ファイルが見つかりません。");
        EXPECT_EQ(f.t.game.PublicResMax, 19) << "the pool is left as it was";
    }
    Folder f;
    std::filesystem::create_directory(f.dir + "thread/thread.txt");
    EXPECT_EQ(f.ExitOf([&] { f.loader->ThreadPublicLoad(); }), 1);
}

TEST(NameLoadTest, NamesFromResourceIniOverrideOnlyWhereSet)
{
    Folder f;
    f.Write("resource.ini", Cp932::FromUtf8("[NAME]\r\nName1=\r\nName3=ななしさん\r\nName9=extra\r\n"));
    for (std::string& name : f.t.game.PlayerNames)
        name.clear();
    f.loader->NameLoad();
    const std::array<std::string, 8> expected = {"名無しさん",   "たかし",       "ななしさん", "マルチ",
                                                 "（・A・）ｱｿｳ", "（*ﾟДﾟ）さん", "シャア専用", "御老公"};
    EXPECT_EQ(f.t.game.PlayerNames, expected);

    std::filesystem::remove(f.dir + "resource.ini");
    f.loader->NameLoad();
    EXPECT_EQ(f.t.game.PlayerNames[2], "通りすがり");
}

} // namespace
