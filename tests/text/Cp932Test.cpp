#include "text/Cp932.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp932Test, DecodesTheCp932Forms)
{
    EXPECT_EQ(Cp932::ToUtf8("a\x5C"
                            "b~"),
              "a\\b~");
    EXPECT_EQ(Cp932::ToUtf8("\x81\x60"), "\xEF\xBD\x9E") << "wave dash is the full-width tilde";
    EXPECT_EQ(Cp932::ToUtf8("\x82\xA0\x8A\xBF"), "あ漢");
    EXPECT_EQ(Cp932::ToUtf8("\xB1\xDF"), "ｱﾟ");
    EXPECT_EQ(Cp932::ToUtf8("\x87\x40"), "①") << "NEC extension";
    EXPECT_EQ(Cp932::ToUtf8(std::string_view("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Cp932Test, InvalidBytesBecomeQuestionMarks)
{
    EXPECT_EQ(Cp932::ToUtf8("\x80"
                            "a\xA0"
                            "b\xFD\xFE\xFF"),
              "?a?b???");
    EXPECT_EQ(Cp932::ToUtf8("\x82\xA0\x82"), "あ?") << "a lead byte cut off at the end";
    EXPECT_EQ(Cp932::ToUtf8("\x82 x\x82\xA0"), "? xあ") << "a bad trail byte is kept";
    EXPECT_EQ(Cp932::ToUtf8("\x82"), "?");
    EXPECT_EQ(Cp932::ToUtf8(""), "");
}

TEST(Cp932Test, DecodesLongTextsWhole)
{
    std::string cp932;
    std::string utf8;
    for (int i = 0; i < 1000; ++i) {
        cp932 += "\x82\xA0\xFF";
        utf8 += "あ?";
    }
    EXPECT_EQ(Cp932::ToUtf8(cp932), utf8);
}

TEST(Cp932Test, EncodesAndRoundTrips)
{
    EXPECT_EQ(Cp932::FromUtf8("あ漢ｱ\\~"), "\x82\xA0\x8A\xBF\xB1\\~");
    for (std::string_view text : {"スレッド１０００ゲット！", "(´・ω・｀)", "①②ⅰ～∥－￢", "ﾊﾝｶｸ and ASCII"}) {
        EXPECT_EQ(Cp932::ToUtf8(Cp932::FromUtf8(text)), text);
    }
}

TEST(Cp932Test, UnencodableCharactersBecomeQuestionMarks)
{
    EXPECT_EQ(Cp932::FromUtf8("a😀b"), "a?b");
    EXPECT_EQ(Cp932::FromUtf8("한"), "?");
    EXPECT_EQ(Cp932::FromUtf8("x\xE3\x81"), "x??") << "a cut UTF-8 sequence";
    EXPECT_EQ(Cp932::FromUtf8("\xFF"
                              "a"),
              "?a");
}

TEST(Cp932Test, ByteLengthMatchesTheEncodedForm)
{
    EXPECT_EQ(Cp932::ByteLength(""), 0);
    EXPECT_EQ(Cp932::ByteLength("abc"), 3);
    EXPECT_EQ(Cp932::ByteLength("ｱｲｳ"), 3);
    EXPECT_EQ(Cp932::ByteLength("あい"), 4);
    EXPECT_EQ(Cp932::ByteLength("😀"), 1);
    for (std::string_view text :
         {"名無しさん＠お腹いっぱい。", "sage進行ﾃﾞｽ", "a😀한\xFF\xE3\x81", "¥〜①", "\xC2\xA0"}) {
        EXPECT_EQ(Cp932::ByteLength(text), static_cast<int>(Cp932::FromUtf8(text).size())) << text;
    }
}

TEST(Cp932Test, PrefixNeverSplitsACharacter)
{
    EXPECT_EQ(Cp932::PrefixOfBytes("あいう", 3), "あ");
    EXPECT_EQ(Cp932::PrefixOfBytes("あいう", 4), "あい");
    EXPECT_EQ(Cp932::PrefixOfBytes("あいう", 100), "あいう");
    EXPECT_EQ(Cp932::PrefixOfBytes("あいう", 0), "");
    EXPECT_EQ(Cp932::PrefixOfBytes("あいう", -1), "");
    EXPECT_EQ(Cp932::PrefixOfBytes("1ﾚｽあ", 3), "1ﾚｽ");
    EXPECT_EQ(Cp932::PrefixOfBytes("😀ab", 2), "😀a");
}

} // namespace
