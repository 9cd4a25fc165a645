#include "text/IniFile.h"

#include "platform/FileSystem.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

class IniFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        path_ = (std::filesystem::temp_directory_path() / ("ini_test_" + std::to_string(getpid()) + ".ini"))
                    .string();
    }
    void TearDown() override { FileSystem::RemoveFile(path_); }

    std::string Read(std::string_view content, std::string_view section, std::string_view key)
    {
        EXPECT_TRUE(FileSystem::WriteFile(path_, content));
        return ReadIniValue(path_, section, key);
    }

    std::string path_;
};

TEST_F(IniFileTest, MatchesSectionsAndKeysWithoutRegardToCase)
{
    const std::string ini = "[Wait]\r\nPopShow=1200\r\n[name]\r\nNAME1=Alice\r\n";
    EXPECT_EQ(Read(ini, "WAIT", "popshow"), "1200");
    EXPECT_EQ(Read(ini, "NAME", "Name1"), "Alice");
}

TEST_F(IniFileTest, TrimsBlanksAroundNamesAndValues)
{
    EXPECT_EQ(Read("  [ WAIT ]  \n\t PopMove \t=  40 \t\n", "WAIT", "PopMove"), "40");
    EXPECT_EQ(Read("[NAME]\nName1 = two words \n", "NAME", "Name1"), "two words");
}

TEST_F(IniFileTest, MissingFileSectionOrKeyGivesEmpty)
{
    EXPECT_EQ(ReadIniValue(path_ + ".absent", "WAIT", "PopMove"), "");
    EXPECT_EQ(Read("[WAIT]\nPopMove=1\n", "NAME", "PopMove"), "");
    EXPECT_EQ(Read("[WAIT]\nPopMove=1\n", "WAIT", "PopShow"), "");
    EXPECT_EQ(Read("PopMove=1\n[WAIT]\n", "WAIT", "PopMove"), "");
    EXPECT_EQ(Read("", "WAIT", "PopMove"), "");
}

TEST_F(IniFileTest, KeysOfOtherSectionsAreNotSeen)
{
    const std::string ini = "[MIDI]\nMidiPath1=a.mid\n[WAIT]\nCardMove=30\n[NAME]\nCardMove=99\n";
    EXPECT_EQ(Read(ini, "WAIT", "CardMove"), "30");
    EXPECT_EQ(Read(ini, "WAIT", "MidiPath1"), "");
}

TEST_F(IniFileTest, FirstMatchingSectionAndKeyWin)
{
    const std::string ini = "[WAIT]\nPopShow=1\npopshow=2\n[WAIT]\nPopShow=3\nCardMove=4\n";
    EXPECT_EQ(Read(ini, "WAIT", "PopShow"), "1");
    EXPECT_EQ(Read(ini, "WAIT", "CardMove"), "");
}

TEST_F(IniFileTest, EveryLineEndingSplitsLines)
{
    EXPECT_EQ(Read("[A]\rk=1\rj=2", "A", "j"), "2");
    EXPECT_EQ(Read("[A]\nk=1\nj=2\n", "A", "j"), "2");
    EXPECT_EQ(Read("[A]\r\nk=1\r\nj=2\r\n", "A", "k"), "1");
}

TEST_F(IniFileTest, SkipsCommentsAndStripsQuotes)
{
    const std::string ini = "[NAME]\n;Name1=hidden\nName1=\"  quoted  \"\nName2=\"half\nName3=a=b\n";
    EXPECT_EQ(Read(ini, "NAME", "Name1"), "  quoted  ");
    EXPECT_EQ(Read(ini, "NAME", "Name2"), "\"half");
    EXPECT_EQ(Read(ini, "NAME", "Name3"), "a=b");
}

TEST_F(IniFileTest, LongValueIsReadWhole)
{
    const std::string value(300, 'x');
    EXPECT_EQ(Read("[MIDI]\nMidiPath1=" + value + "\n", "MIDI", "MidiPath1"), value);
}

TEST_F(IniFileTest, ConvertsShiftJisToUtf8)
{
    EXPECT_EQ(Read("[NAME]\r\nName1=\x96\xBC\x96\xB3\x82\xB5\r\n", "NAME", "Name1"), "名無し");
    // "ソ" and "表" end in the byte of a backslash.
    EXPECT_EQ(Read("[NAME]\nName2=\x83\x5C\x95\x5C\n", "NAME", "Name2"), "ソ表");
}

TEST_F(IniFileTest, DoubleByteNameIsNotCutAtABracketByte)
{
    // "ゾ" is 0x83 0x5D in CP932: its second byte is a closing bracket.
    EXPECT_EQ(Read("[\x83\x5D]\nkey=1\n", "ゾ", "key"), "1");
}

TEST_F(IniFileTest, AcceptsUtf8WithByteOrderMark)
{
    EXPECT_EQ(Read("\xEF\xBB\xBF[NAME]\nName1=名無し\n", "NAME", "Name1"), "名無し");
}

} // namespace
