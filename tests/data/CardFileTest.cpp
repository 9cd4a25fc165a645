#include "data/CardFile.h"

#include "data/FileLoader.h"
#include "platform/FileSystem.h"
#include "platform/ProgramExit.h"
#include "support/TestGame.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

bool SameTables(const CardFile::Defs& a, const CardFile::Defs& b)
{
    for (int i = 0; i < CardDefCount; ++i) {
        const CardRecord& x = a[i];
        const CardRecord& y = b[i];
        if (x.cardIndex != y.cardIndex || x.resNum != y.resNum || x.Size != y.Size ||
            x.cardColor != y.cardColor || x.Agesage != y.Agesage || x.CardText != y.CardText ||
            x.ResText != y.ResText || x.resWeight != y.resWeight)
            return false;
    }
    return true;
}

// The fixture's tables with a little more variety: CP932 texts, empty slots, several weights.
struct Tables {
    Tables()
    {
        TestGame t(false);
        t.LoadFixtureData();
        defs = t.game.cardDefs;
        texts = t.game.specialTexts;
        defs[3].CardText = "同意\r\n\r\n禿同";
        defs[3].ResText = {"ｷﾀ━━━(ﾟ∀ﾟ)━━━!!", "", "三行目\r\nです", "", ""};
        defs[3].resWeight = {2, 0, 1, 0, 0};
        defs[3].Agesage = 1;
        texts[44] = "";
    }
    std::string Bytes() const { return CardFile::Serialize(defs, texts); }

    CardFile::Defs defs;
    CardFile::Texts texts;
};

// Where record i starts in the serialized tables.
size_t RecordOffset(const Tables& tables, int record)
{
    CardFile::Defs defs = tables.defs;
    for (int i = record; i < CardDefCount; ++i)
        defs[i] = CardRecord{};
    CardFile::Texts none;
    // Emptied records take 52 bytes each, the 50 empty texts 100.
    return CardFile::Serialize(defs, none).size() - static_cast<size_t>(CardDefCount - record) * 52 - 100;
}

TEST(CardFileTest, SerializedTablesParseBackUnchanged)
{
    const Tables tables;
    const std::string bytes = tables.Bytes();
    CardFile::Defs defs;
    CardFile::Texts texts;
    ASSERT_TRUE(CardFile::Parse(bytes, defs, texts));
    EXPECT_TRUE(SameTables(defs, tables.defs));
    EXPECT_EQ(texts, tables.texts);
    EXPECT_EQ(CardFile::Serialize(defs, texts), bytes);
}

TEST(CardFileTest, LayoutIsLittleEndianWithCountedCp932Strings)
{
    CardFile::Defs defs;
    CardFile::Texts texts;
    defs[0].cardIndex = 0;
    defs[0].resNum = 0x01020304;
    defs[0].CardText = "あ";
    defs[0].resWeight[4] = -1;
    const std::string bytes = CardFile::Serialize(defs, texts);
    EXPECT_EQ(bytes.substr(4, 4), std::string("\x04\x03\x02\x01", 4));
    EXPECT_EQ(bytes.substr(20, 4), std::string("\x02\x00\x82\xA0", 4));
    EXPECT_EQ(bytes.substr(50, 4), std::string("\xFF\xFF\xFF\xFF", 4));
    // A record whose texts are all empty takes 20 + 6 x 2 + 20 bytes; an empty text, its count.
    EXPECT_EQ(bytes.size(), 54 + 57 * 52 + 50 * 2u);
}

TEST(CardFileTest, OverlongTextIsCutOnACharacterBoundary)
{
    CardFile::Defs defs;
    CardFile::Texts texts;
    for (int i = 0; i < CardDefCount; ++i)
        defs[i].cardIndex = i;
    std::string text;
    for (int i = 0; i < 40000; ++i)
        text += "あ";
    texts[0] = text;
    CardFile::Defs readDefs;
    CardFile::Texts readTexts;
    ASSERT_TRUE(CardFile::Read(CardFile::Serialize(defs, texts), readDefs, readTexts));
    EXPECT_EQ(readTexts[0].size(), 32767u * 3);
}

TEST(CardFileTest, DamagedFilesAreRefusedAndLeaveTheTablesAlone)
{
    const Tables tables;
    const std::string good = tables.Bytes();
    std::vector<std::pair<std::string, std::string>> damaged;
    for (size_t cut : {size_t{0}, size_t{3}, size_t{20}, size_t{21}, RecordOffset(tables, 30) + 7,
                       good.size() - 101, good.size() - 1})
        damaged.emplace_back("cut at " + std::to_string(cut), good.substr(0, cut));
    std::string pastEnd = good;
    const size_t lastCount = good.size() - 2 - tables.texts[49].size();
    pastEnd[lastCount] = '\xFF';
    pastEnd[lastCount + 1] = '\xFF';
    damaged.emplace_back("last count past the end", pastEnd);
    auto withInt = [&](int record, size_t field, int32_t value) {
        std::string bytes = good;
        const size_t at = RecordOffset(tables, record) + field * 4;
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<char>((static_cast<uint32_t>(value) >> (8 * i)) & 0xFF);
        return bytes;
    };
    damaged.emplace_back("index out of place", withInt(5, 0, 6));
    damaged.emplace_back("no responses on a response card", withInt(47, 1, 0));
    damaged.emplace_back("negative size", withInt(10, 2, -1));
    damaged.emplace_back("agesage 2", withInt(0, 4, 2));
    Tables negative;
    negative.defs[50].resWeight[1] = -3;
    damaged.emplace_back("negative weight", negative.Bytes());
    Tables overflow;
    overflow.defs[56].resWeight = {INT32_MAX, 1, 0, 0, 0};
    damaged.emplace_back("weights past 32 bits", overflow.Bytes());

    for (const auto& [what, bytes] : damaged) {
        CardFile::Defs defs = tables.defs;
        CardFile::Texts texts = tables.texts;
        EXPECT_FALSE(CardFile::Parse(bytes, defs, texts)) << what;
        EXPECT_TRUE(SameTables(defs, tables.defs)) << what;
        EXPECT_EQ(texts, tables.texts) << what;
    }
    // Specials and the thread card add no responses: their counts are free.
    CardFile::Defs defs;
    CardFile::Texts texts;
    EXPECT_TRUE(CardFile::Parse(withInt(48, 1, -5), defs, texts));
}

struct CardDatFolder {
    CardDatFolder() : dir(MakeTempDir()) {}
    ~CardDatFolder() { std::filesystem::remove_all(dir); }
    std::string dir;
};

int LoadStatus(TestGame& t)
{
    FileLoader loader(t.game);
    try {
        loader.DataLoad();
    } catch (const ProgramExit& exit) {
        return exit.status;
    }
    return -1;
}

TEST(DataLoadTest, SaveThenLoadIsByteIdentical)
{
    CardDatFolder folder;
    TestGame writer(false, 1, folder.dir);
    writer.LoadFixtureData();
    writer.game.cardDefs[7].ResText[2] = "２ゲット\r\nｵﾒ";
    writer.game.cardDefs[7].resWeight[2] = 4;
    ASSERT_TRUE(FileLoader(writer.game).DataSave());
    const std::optional<std::string> saved = FileSystem::ReadFile(folder.dir + "card.dat");
    ASSERT_TRUE(saved.has_value());

    TestGame reader(false, 1, folder.dir);
    EXPECT_EQ(LoadStatus(reader), -1);
    EXPECT_TRUE(SameTables(reader.game.cardDefs, writer.game.cardDefs));
    EXPECT_EQ(reader.game.specialTexts, writer.game.specialTexts);

    // Saving replaces the file whole, even a longer one.
    ASSERT_TRUE(FileSystem::WriteFile(folder.dir + "card.dat", *saved + std::string(5000, 'x')));
    ASSERT_TRUE(FileLoader(reader.game).DataSave());
    EXPECT_EQ(FileSystem::ReadFile(folder.dir + "card.dat"), saved);
}

TEST(DataLoadTest, MissingOrDamagedCardDatIsFatalAndChangesNothing)
{
    CardDatFolder folder;
    TestGame t(false, 1, folder.dir);
    t.LoadFixtureData();
    const CardFile::Defs before = t.game.cardDefs;
    const CardFile::Texts beforeTexts = t.game.specialTexts;
    EXPECT_EQ(LoadStatus(t), 1);
    EXPECT_EQ(t.platform.LastMessageTitle(), "Pakaponta");
    EXPECT_EQ(t.platform.LastMessageText(), "card.dat ファイルが見つかりません。");

    Tables bad;
    bad.defs[12].Agesage = 2;
    ASSERT_TRUE(FileSystem::WriteFile(folder.dir + "card.dat", bad.Bytes()));
    TestGame again(false, 1, folder.dir);
    again.LoadFixtureData();
    EXPECT_EQ(LoadStatus(again), 1);
    EXPECT_EQ(again.platform.LastMessageText(), "card.dat ファイルが見つかりません。");
    EXPECT_TRUE(SameTables(again.game.cardDefs, before));
    EXPECT_EQ(again.game.specialTexts, beforeTexts);

    ASSERT_TRUE(FileSystem::WriteFile(folder.dir + "card.dat", ""));
    EXPECT_EQ(LoadStatus(again), 1);
}

} // namespace
