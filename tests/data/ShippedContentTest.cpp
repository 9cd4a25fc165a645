#include "data/CardSource.h"
#include "data/FileLoader.h"
#include "gfx/Picture.h"
#include "platform/FileSystem.h"
#include "platform/ProgramExit.h"
#include "support/TestGame.h"
#include "text/IniFile.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>

namespace {

// The files the build put beside the program, and the sources they came from.
std::string DataDir()
{
    const char* data = std::getenv("PAKAPONTA_DATA");
    return data != nullptr ? std::string(data) + "/" : FileSystem::ExecutableDir();
}

std::string SourceDir()
{
    const char* source = std::getenv("PAKAPONTA_SOURCE");
    return source != nullptr ? std::string(source) + "/" : "";
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    lines.push_back(text.substr(start));
    // A closing line end draws nothing.
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

// The shipped game data, loaded as the program loads it.
struct Shipped {
    Shipped() : t(false, 3, DataDir()), loader(t.game)
    {
        try {
            loader.DataLoad();
            loader.ThreadPublicLoad();
        } catch (const ProgramExit&) {
            ADD_FAILURE() << "the data beside the program does not load: " << t.platform.LastMessageText();
        }
    }
    // Every thread file, as the game splits it, by file name.
    std::vector<std::pair<std::string, std::vector<std::string>>> Threads() const
    {
        std::vector<std::pair<std::string, std::vector<std::string>>> threads;
        for (int n = 0; n < 200; ++n) {
            char name[16];
            std::snprintf(name, sizeof name, "%03d.txt", n);
            const std::optional<std::string> bytes = FileSystem::ReadFile(DataDir() + "thread/" + name);
            if (!bytes)
                continue;
            threads.emplace_back(
                name,
                FileLoader::SplitText(FileLoader::DecodeText(*bytes)).value_or(std::vector<std::string>{}));
        }
        return threads;
    }

    TestGame t;
    FileLoader loader;
};

TEST(ShippedContentTest, CardDefinitionsMeetTheRules)
{
    Shipped data;
    const auto& defs = data.t.game.cardDefs;
    CardSource source;
    source.cardDefs = defs;
    source.specialTexts = data.t.game.specialTexts;
    EXPECT_EQ(source.Check(), "");

    int sage = 0;
    for (int i = 0; i < AdminCard; ++i) {
        const CardRecord& r = defs[i];
        EXPECT_TRUE(r.resNum == 1 || r.resNum == 10 || r.resNum == 50 || r.resNum == 100) << i;
        int texts = 0;
        for (int k = 0; k < 5; ++k) {
            EXPECT_EQ(r.resWeight[k] > 0, !r.ResText[k].empty()) << i << " response " << k;
            texts += r.resWeight[k] > 0 ? 1 : 0;
        }
        EXPECT_GE(texts, 1) << i;
        sage += r.Agesage;
    }
    EXPECT_GT(sage, 0);
    EXPECT_LT(sage, AdminCard);
    for (int i : {0, 1, 6, 7})
        EXPECT_EQ(defs[i].resNum, 1) << "a second post is a single response: " << i;
    for (int i = AdminCard; i <= ThreadCard; ++i)
        EXPECT_FALSE(defs[i].CardText.empty()) << i;
    for (int i : {AdminCard, GodCard, AccessBanCard, TrollCard})
        EXPECT_GT(defs[i].resWeight[0], 0) << "posts responses when played: " << i;
    for (int i = 0; i <= 43; ++i)
        EXPECT_FALSE(data.t.game.specialTexts[i].empty()) << "special text " << i;
}

TEST(ShippedContentTest, EveryFaceFitsItsCard)
{
    Shipped data;
    Picture pic(&SharedFonts(), 200, 40);
    pic.SetFontFace(FontFace::PGothic);
    pic.SetFontSize(8);
    pic.SetBold(false);
    // Lines go from y+25 in steps of 10 and must end above the bottom band at y+107; a response
    // card keeps its seventh line free for the size shown at y+96. A line may be 85 pixels wide.
    auto fits = [&](const std::string& what, const std::string& text, size_t maxLines) {
        const std::vector<std::string> lines = Lines(text);
        EXPECT_LE(lines.size(), maxLines) << what;
        for (const std::string& line : lines) {
            Rect box{0, 0, 0, 0};
            pic.DrawTextA(line, box, DT_CALCRECT);
            EXPECT_LE(box.right - box.left, 85) << what << ": \"" << line << "\"";
        }
    };
    for (int i = 0; i < CardDefCount; ++i)
        fits("card " + std::to_string(i), data.t.game.cardDefs[i].CardText, i < AdminCard ? 7 : 8);
    for (const auto& [name, pieces] : data.Threads()) {
        ASSERT_GE(pieces.size(), 2u) << name;
        fits("thread " + name, pieces[1], 8);
    }
}

// In play a response lands under whatever number the thread has reached, so a reply marker may
// only point at the first post: ">>" or "＞＞" followed by exactly 1.
bool RepliesOnlyToTheStarter(const std::string& text)
{
    for (const std::string mark : {">>", "＞＞"}) {
        for (size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + 1)) {
            const std::string next = text.substr(at + mark.size(), 4); // the "1" and what follows it
            if (next.empty() || next[0] != '1')
                return false;
            const bool asciiDigit = next.size() > 1 && next[1] >= '0' && next[1] <= '9';
            const bool wideDigit = next.size() == 4 && next.compare(1, 2, "\xEF\xBC") == 0 &&
                                   static_cast<unsigned char>(next[3]) >= 0x90 &&
                                   static_cast<unsigned char>(next[3]) <= 0x99; // ０ to ９
            if (asciiDigit || wideDigit)
                return false;
        }
    }
    return true;
}

TEST(ShippedContentTest, ThreadFilesAreCompleteAndVaried)
{
    Shipped data;
    const auto threads = data.Threads();
    EXPECT_EQ(threads.size(), 200u) << "thread files 000 to 199 beside the program";
    std::set<std::string> titles;
    for (const auto& [name, pieces] : threads) {
        // A header, a body and 10 to 16 responses of its own; the pool fills the rest of the 20.
        ASSERT_GE(pieces.size(), 2u) << name;
        EXPECT_GE(pieces.size() - 2, 10u) << name;
        EXPECT_LE(pieces.size() - 2, 16u) << name;
        const std::vector<std::string> header = Lines(pieces[0]);
        ASSERT_EQ(header.size(), 2u) << name;
        EXPECT_FALSE(header[0].empty()) << name;
        EXPECT_FALSE(header[1].empty()) << name;
        titles.insert(header[0]);
        for (size_t k = 0; k < pieces.size(); ++k) {
            EXPECT_TRUE(k == 0 || !Lines(pieces[k]).empty()) << name << " piece " << k;
            EXPECT_TRUE(RepliesOnlyToTheStarter(pieces[k])) << name << " piece " << k << ": " << pieces[k];
        }
    }
    EXPECT_EQ(titles.size(), threads.size()) << "no two threads alike";

    data.loader.ThreadGameLoad();
    std::set<std::string> dealt;
    for (const ThreadText& slot : data.t.game.ThreadTexts)
        dealt.insert(slot.Title);
    EXPECT_EQ(dealt.size(), 45u);
}

TEST(ShippedContentTest, ThePoolIsLargeAndHasNoBlankResponse)
{
    Shipped data;
    EXPECT_GE(data.t.game.PublicResMax + 1, 950);
    for (int i = 0; i <= data.t.game.PublicResMax; ++i) {
        EXPECT_FALSE(Lines(data.t.game.PublicRes[i]).empty()) << i;
        EXPECT_TRUE(RepliesOnlyToTheStarter(data.t.game.PublicRes[i]))
            << i << ": " << data.t.game.PublicRes[i];
    }
}

TEST(ShippedContentTest, BuiltTextsAreTheSourcesInCp932)
{
    const std::string source = SourceDir();
    if (source.empty())
        GTEST_SKIP() << "PAKAPONTA_SOURCE is not set";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(source + "assets/thread")) {
        const std::string name = entry.path().filename().string();
        std::string expected = FileSystem::ReadFile(entry.path().string()).value_or("");
        for (size_t at = expected.find('\n'); at != std::string::npos; at = expected.find('\n', at + 2))
            expected.replace(at, 1, "\r\n");
        const std::optional<std::string> built = FileSystem::ReadFile(DataDir() + "thread/" + name);
        ASSERT_TRUE(built.has_value()) << name;
        EXPECT_EQ(FileLoader::DecodeText(*built), expected) << name;
        ++files;
    }
    EXPECT_EQ(files, 201) << "thread.txt and the 200 thread files";

    const std::optional<std::string> json = FileSystem::ReadFile(source + "assets/cards.json");
    ASSERT_TRUE(json.has_value());
    CardSource cards;
    ASSERT_EQ(cards.Parse(*json), "");
    EXPECT_EQ(FileSystem::ReadFile(DataDir() + "card.dat"),
              FileLoader::SerializeCardData(cards.cardDefs, cards.specialTexts));
}

TEST(ShippedContentTest, ResourceIniDocumentsEveryKeyAndKeepsTheDefaults)
{
    const std::string path = DataDir() + "resource.ini";
    const std::string text = FileLoader::DecodeText(FileSystem::ReadFile(path).value_or(""));
    for (const char* key :
         {"PopMove",   "PopShow",   "BarClear",  "CompNext",  "CompThread", "CardMove",  "Name1",
          "Name2",     "Name3",     "Name4",     "Name5",     "Name6",      "Name7",     "Name8",
          "MidiPath1", "MidiPath2", "MidiPath3", "MidiPath4", "MidiPath5",  "MidiEnding"})
        EXPECT_NE(text.find(std::string(key) + "="), std::string::npos) << key;
    for (const char* key : {"PopMove", "PopShow", "BarClear", "CompNext", "CompThread", "CardMove"})
        EXPECT_EQ(ReadIniValue(path, "WAIT", key), "") << key;
    for (int i = 1; i <= 8; ++i)
        EXPECT_EQ(ReadIniValue(path, "NAME", "Name" + std::to_string(i)), "") << i;
    EXPECT_NE(text.find(";Name5=（・A・）ｱｿｳ"), std::string::npos);
}

} // namespace
