#include "data/CardSource.h"

#include "data/CardFile.h"
#include "platform/FileSystem.h"
#include "support/TestGame.h"
#include "text/Cp932.h"

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sys/wait.h>

namespace {

using Json = nlohmann::json;

// A valid source document built from the fixture tables.
CardSource FixtureSource()
{
    TestGame t(false);
    t.LoadFixtureData();
    CardSource source;
    source.cardDefs = t.game.cardDefs;
    source.specialTexts = t.game.specialTexts;
    source.cardDefs[2].CardText = "\r\n\r\n同じ色の\r\nスレが祭に";
    source.cardDefs[2].ResText = {"祭りだ！", "", "ﾜｯｼｮｲ\r\n＼(ﾟ∀ﾟ)／", "", ""};
    source.cardDefs[2].resWeight = {3, 0, 2, 0, 0};
    source.cardDefs[52].ResText[0].clear();
    source.cardDefs[52].resWeight[0] = 0;
    source.specialTexts[45] = "";
    return source;
}

TEST(CardSourceTest, DumpAndParseAreExactInverses)
{
    const CardSource source = FixtureSource();
    const std::string json = source.Dump();
    CardSource read;
    ASSERT_EQ(read.Parse(json), "");
    EXPECT_EQ(read.Dump(), json);
    EXPECT_EQ(CardFile::Serialize(read.cardDefs, read.specialTexts),
              CardFile::Serialize(source.cardDefs, source.specialTexts));
    // Texts are lists of lines; empty slots after the last used response are not written.
    EXPECT_NE(json.find(R"("face": ["", "", "同じ色の", "スレが祭に"],)"), std::string::npos);
    EXPECT_NE(json.find(R"({ "weight": 0, "text": [] },)"), std::string::npos);
    EXPECT_NE(json.find("\"responses\": []\n"), std::string::npos);
    EXPECT_NE(json.find("    [],\n"), std::string::npos);
}

// Each entry: a change to a valid document, and what the message must say.
struct Fault {
    std::function<void(Json&)> change;
    std::string message;
};

TEST(CardSourceTest, FaultsNameTheEntryAndWhatIsWrong)
{
    const std::string valid = FixtureSource().Dump();
    const std::vector<Fault> faults = {
        {[](Json& d) { d["cards"].erase(57); }, "cards: expected a list of 58 definitions, found 57"},
        {[](Json& d) { d["specialTexts"].push_back(Json::array()); }, "specialTexts: expected a list of 50"},
        {[](Json& d) { std::swap(d["cards"][3], d["cards"][4]); }, "card 3: index is 4"},
        {[](Json& d) { d["cards"][5]["resNum"] = 0; }, "card 5: resNum is 0"},
        {[](Json& d) { d["cards"][6]["size"] = -2; }, "card 6: size is -2"},
        {[](Json& d) { d["cards"][7]["agesage"] = 2; }, "card 7: agesage is 2"},
        {[](Json& d) { d["cards"][49]["agesage"] = 3; }, "card 49: agesage is 3"},
        {[](Json& d) { d["cards"][8]["responses"][0]["weight"] = -1; }, "card 8, response 1: weight is -1"},
        {[](Json& d) { d["cards"][9]["resNum"] = 1.5; }, "card 9: \"resNum\" must be a whole number"},
        {[](Json& d) { d["cards"][9]["resNum"] = 4294967296LL; },
         "card 9: \"resNum\" does not fit in 32 bits"},
        {[](Json& d) { d["cards"][10].erase("size"); }, "card 10: \"size\" is missing"},
        {[](Json& d) { d["cards"][10]["colour"] = 1; }, "card 10: unknown key \"colour\""},
        {[](Json& d) {
             for (int k = 0; k < 6; ++k)
                 d["cards"][11]["responses"].push_back({{"weight", 1}, {"text", {"x"}}});
         },
         "card 11, responses: 7 responses; a card holds at most 5"},
        {[](Json& d) {
             d["cards"][12]["responses"].push_back({{"weight", 0}, {"text", Json::array()}});
         },
         "card 12, response 2: empty and never chosen"},
        {[](Json& d) { d["cards"][50]["face"] = Json::array(); }, "card 50: the face is empty"},
        {[](Json& d) { d["cards"][13]["face"] = {""}; }, "card 13, face: an empty text is written as []"},
        {[](Json& d) { d["cards"][14]["face"] = {"a\nb"}; }, "card 14, face, line 1: holds a line break"},
        {[](Json& d) {
             d["cards"][15]["face"] = {"ok", 3};
         },
         "card 15, face, line 2: must be a string"},
        {[](Json& d) {
             d["cards"][16]["face"] = {"ok", "한글"};
         },
         "card 16, face, line 2: \"한\" cannot be written in CP932"},
        {[](Json& d) { d["cards"][17]["responses"][0]["text"] = {"波〜"}; },
         "card 17, response 1, line 1: \"〜\" reads back from CP932 as \"～\""},
        {[](Json& d) {
             d["specialTexts"][30] = {"ok", "ok", "🙂"};
         },
         "special text 30, line 3: \"🙂\" cannot be written"},
        {[](Json& d) { d["specialTexts"][31] = {std::string(70000, 'a')}; },
         "special text 31, 70000 bytes in CP932; a text holds at most 65535"},
        {[](Json& d) { d["specialTexts"][32] = "text"; }, "special text 32: must be a list of lines"},
    };
    for (const Fault& fault : faults) {
        Json doc = Json::parse(valid);
        fault.change(doc);
        CardSource source = FixtureSource();
        const std::string before = source.Dump();
        const std::string message = source.Parse(doc.dump());
        EXPECT_NE(message.find(fault.message), std::string::npos) << "got: " << message;
        EXPECT_EQ(source.Dump(), before) << "a refused document changes nothing";
    }
    CardSource source;
    EXPECT_NE(source.Parse("{\"cards\": [").find("not valid JSON"), std::string::npos);
}

// The authoring tools beside the test program, run as the build runs them.
struct Tool {
    Tool() : dir(MakeTempDir())
    {
        const char* data = std::getenv("PAKAPONTA_DATA");
        bin = data != nullptr ? std::string(data) + "/" : FileSystem::ExecutableDir();
    }
    ~Tool() { std::filesystem::remove_all(dir); }

    // Exit status; out and err hold what it printed.
    int Run(const std::string& args)
    {
        const std::string command = bin + args + " >" + dir + "out 2>" + dir + "err";
        const int status = std::system(command.c_str());
        out = FileSystem::ReadFile(dir + "out").value_or("");
        err = FileSystem::ReadFile(dir + "err").value_or("");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    bool Has(const std::string& name) const { return FileSystem::FileLength(bin + name) > 0; }

    std::string dir;
    std::string bin;
    std::string out;
    std::string err;
};

TEST(CardToolTest, BuildsADumpableCardDatOrRefusesNamingTheFault)
{
    Tool tool;
    if (!tool.Has("cardtool"))
        GTEST_SKIP() << "cardtool is not built beside the tests";
    const std::string json = FixtureSource().Dump();
    ASSERT_TRUE(FileSystem::WriteFile(tool.dir + "cards.json", json));
    ASSERT_EQ(tool.Run("cardtool build " + tool.dir + "cards.json " + tool.dir + "card.dat"), 0) << tool.err;
    ASSERT_EQ(tool.Run("cardtool dump " + tool.dir + "card.dat"), 0) << tool.err;
    EXPECT_EQ(tool.out, json);
    EXPECT_EQ(tool.err, "");

    Json doc = Json::parse(json);
    doc["cards"][20]["resNum"] = 0;
    ASSERT_TRUE(FileSystem::WriteFile(tool.dir + "bad.json", doc.dump()));
    EXPECT_EQ(tool.Run("cardtool build " + tool.dir + "bad.json " + tool.dir + "bad.dat"), 1);
    EXPECT_NE(tool.err.find(tool.dir + "bad.json: card 20: resNum is 0"), std::string::npos) << tool.err;
    EXPECT_EQ(FileSystem::FileLength(tool.dir + "bad.dat"), -1);

    ASSERT_TRUE(FileSystem::WriteFile(tool.dir + "short.dat", std::string(100, '\0')));
    EXPECT_EQ(tool.Run("cardtool dump " + tool.dir + "short.dat"), 1);
    EXPECT_NE(tool.err.find("short.dat: not a card.dat"), std::string::npos) << tool.err;
    EXPECT_EQ(tool.Run("cardtool"), 2);
}

TEST(TextConvTest, WritesCp932WithCrLfOrNamesTheLineItCannotHold)
{
    Tool tool;
    if (!tool.Has("textconv"))
        GTEST_SKIP() << "textconv is not built beside the tests";
    ASSERT_TRUE(
        FileSystem::WriteFile(tool.dir + "in.txt", "\xEF\xBB\xBFスレ\n#----[Separator]----#\r\nｷﾀ\n"));
    ASSERT_EQ(tool.Run("textconv " + tool.dir + "in.txt " + tool.dir + "out.txt"), 0) << tool.err;
    EXPECT_EQ(FileSystem::ReadFile(tool.dir + "out.txt"),
              Cp932::FromUtf8("スレ\r\n#----[Separator]----#\r\nｷﾀ\r\n"));

    ASSERT_TRUE(FileSystem::WriteFile(tool.dir + "last.txt", "a\nb"));
    ASSERT_EQ(tool.Run("textconv " + tool.dir + "last.txt " + tool.dir + "last.out"), 0);
    EXPECT_EQ(FileSystem::ReadFile(tool.dir + "last.out"), "a\r\nb");

    ASSERT_TRUE(FileSystem::WriteFile(tool.dir + "bad.txt", "ok\nok\n한국\n"));
    EXPECT_EQ(tool.Run("textconv " + tool.dir + "bad.txt " + tool.dir + "bad.out"), 1);
    EXPECT_NE(tool.err.find(tool.dir + "bad.txt:3: \"한\" cannot be written in CP932"), std::string::npos)
        << tool.err;
    EXPECT_EQ(FileSystem::FileLength(tool.dir + "bad.out"), -1);

    ASSERT_TRUE(FileSystem::WriteFile(tool.dir + "broken.txt", "ok\n\xFF\n"));
    EXPECT_EQ(tool.Run("textconv " + tool.dir + "broken.txt " + tool.dir + "broken.out"), 1);
    EXPECT_NE(tool.err.find("broken.txt:2: byte 1 is not UTF-8"), std::string::npos) << tool.err;
}

TEST(TextConvTest, AssemblesResourceIniWithTheMusicLinesInItsMidiSection)
{
    Tool tool;
    if (!tool.Has("textconv"))
        GTEST_SKIP() << "textconv is not built beside the tests";
    ASSERT_TRUE(FileSystem::WriteFile(
        tool.dir + "ini", "[WAIT]\n;PopMove=25\n\n[MIDI]\n;MidiPath1=\n\n[NAME]\n;Name1=名無しさん\n"));
    ASSERT_TRUE(FileSystem::WriteFile(tool.dir + "midi", "[MIDI]\nMidiPath1=.\\music\\a.mid\n\n"));
    ASSERT_EQ(tool.Run("textconv ini " + tool.dir + "ini " + tool.dir + "out " + tool.dir + "midi"), 0)
        << tool.err;
    EXPECT_EQ(FileSystem::ReadFile(tool.dir + "out"),
              Cp932::FromUtf8(
                  "[WAIT]\r\n;PopMove=25\r\n\r\n[MIDI]\r\n;MidiPath1=\r\nMidiPath1=.\\music\\a.mid\r\n\r\n"
                  "[NAME]\r\n;Name1=名無しさん\r\n"));

    // Without the fragment the template is converted as it is.
    ASSERT_EQ(tool.Run("textconv ini " + tool.dir + "ini " + tool.dir + "out " + tool.dir + "none"), 0);
    EXPECT_EQ(
        FileSystem::ReadFile(tool.dir + "out"),
        Cp932::FromUtf8(
            "[WAIT]\r\n;PopMove=25\r\n\r\n[MIDI]\r\n;MidiPath1=\r\n\r\n[NAME]\r\n;Name1=名無しさん\r\n"));

    ASSERT_TRUE(FileSystem::WriteFile(tool.dir + "nomidi", "[WAIT]\n"));
    EXPECT_EQ(tool.Run("textconv ini " + tool.dir + "nomidi " + tool.dir + "out " + tool.dir + "midi"), 1);
    EXPECT_NE(tool.err.find("has no [MIDI] section"), std::string::npos) << tool.err;
}

} // namespace
