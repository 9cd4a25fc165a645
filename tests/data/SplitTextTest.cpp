#include "data/FileLoader.h"

#include <gtest/gtest.h>

namespace {

using Pieces = std::vector<std::string>;

Pieces Split(std::string_view text)
{
    std::optional<Pieces> pieces = FileLoader::SplitText(text);
    EXPECT_TRUE(pieces.has_value()) << text;
    return pieces.value_or(Pieces{});
}

TEST(SplitTextTest, LineEndsAreCrLfOrLoneCrButNeverLoneLf)
{
    EXPECT_EQ(Split("a\r\nb\r\n"), Pieces{"a\r\nb"});
    EXPECT_EQ(Split("a\rb\r"), Pieces{"a\r\nb"});
    EXPECT_EQ(Split("a\nb\n"), Pieces{"a\nb\n"});
    EXPECT_EQ(Split("a\n\rb"), Pieces{"a\n\r\nb"});
    // Only the last line ending goes; blank lines before it stay.
    EXPECT_EQ(Split("a\r\n\r\n\r\n"), Pieces{"a\r\n\r\n"});
    EXPECT_EQ(Split("\r\n"), Pieces{""});
    EXPECT_FALSE(FileLoader::SplitText("").has_value());
}

TEST(SplitTextTest, PiecesKeepTheLineEndBeforeASeparator)
{
    EXPECT_EQ(
        Split(
            "title\r\nname\r\n#----[Separator]----#\r\nbody 1\r\nbody 2\r\n#----[Separator]----#\r\nres\r\n"),
        (Pieces{"title\r\nname\r\n", "body 1\r\nbody 2\r\n", "res"}));
    EXPECT_EQ(Split("#----[Separator]----#\r\nx"), (Pieces{"", "x"}));
    EXPECT_EQ(Split("a\r\n#----[Separator]----#\r\n#----[Separator]----#\r\nb"), (Pieces{"a\r\n", "", "b"}));
    EXPECT_EQ(Split("a\r#----[Separator]----#\rb"), (Pieces{"a\r\n", "b"}));
}

TEST(SplitTextTest, OnlyAWholeSeparatorLineThatIsNotTheLastCuts)
{
    EXPECT_EQ(Split("whole text"), Pieces{"whole text"});
    // The last line lost its line end, so a closing separator stays part of the text.
    EXPECT_EQ(Split("a\r\n#----[Separator]----#\r\n"), Pieces{"a\r\n#----[Separator]----#"});
    EXPECT_EQ(Split("a #----[Separator]----#\r\nb"), Pieces{"a #----[Separator]----#\r\nb"});
    EXPECT_EQ(Split("#----[Separator]----# \r\nb"), Pieces{"#----[Separator]----# \r\nb"});
    EXPECT_EQ(Split("#----[separator]----#\r\nb"), Pieces{"#----[separator]----#\r\nb"});
    // A lone LF does not end a line, so the marker after it is not a line of its own.
    EXPECT_EQ(Split("a\n#----[Separator]----#\r\nb"), Pieces{"a\n#----[Separator]----#\r\nb"});
    EXPECT_EQ(Split("a\n#----[Separator]----#\nb\n"), Pieces{"a\n#----[Separator]----#\nb\n"});
}

TEST(DecodeTextTest, Cp932UnlessAByteOrderMarkSaysUtf8)
{
    EXPECT_EQ(FileLoader::DecodeText("\x82\xA0\x83\x58\x83\x8C"), "あスレ");
    EXPECT_EQ(FileLoader::DecodeText("\xEF\xBB\xBF\xE3\x81\x82\xE3\x82\xB9"), "あス");
    EXPECT_EQ(FileLoader::DecodeText("\xEF\xBB\xBF"), "");
    // UTF-8 without the mark is taken for CP932: garbled, never dropped.
    EXPECT_NE(FileLoader::DecodeText("\xE3\x81\x82"), "あ");
    EXPECT_FALSE(FileLoader::DecodeText("\xE3\x81\x82").empty());
    // Half-width katakana are single bytes in CP932.
    EXPECT_EQ(FileLoader::DecodeText("\xB6\xDE"), "ｶﾞ");
}

TEST(DecodeTextTest, BadBytesBecomeQuestionMarks)
{
    EXPECT_EQ(FileLoader::DecodeText("a\xFF"
                                     "b"),
              "a?b");
    EXPECT_EQ(FileLoader::DecodeText("a\x82"), "a?");
    EXPECT_EQ(FileLoader::DecodeText("\xEF\xBB\xBF"
                                     "a\xFF\xE3\x81"
                                     "b"),
              "a???b");
    EXPECT_EQ(FileLoader::DecodeText("\xEF\xBB\xBF"
                                     "\xEF\xBF\xBD"),
              "\xEF\xBF\xBD");
}

TEST(DecodeTextTest, BinaryGarbageSplitsWithoutTrouble)
{
    std::string garbage;
    uint32_t state = 12345;
    for (int i = 0; i < 20000; ++i) {
        state = state * 1103515245u + 12345u;
        garbage += static_cast<char>(state >> 16);
    }
    garbage += "\r\n#----[Separator]----#\r\nend";
    const std::string text = FileLoader::DecodeText(garbage);
    const Pieces pieces = Split(text);
    ASSERT_GE(pieces.size(), 2u);
    EXPECT_EQ(pieces.back(), "end");
}

} // namespace
