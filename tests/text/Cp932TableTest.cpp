// The CP932 decoder and the byte lengths come from tables; they must agree with the system's
// converter on every input, damaged ones included.
#include "text/Cp932.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <iconv.h>
#include <string>

namespace {

// The converter itself, a refused byte becoming one '?' as the loaders want.
std::string Reference(const std::string& bytes)
{
    iconv_t cd = iconv_open("UTF-8", "CP932");
    std::string out;
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    while (inLeft > 0) {
        char buffer[256];
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t done = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        if (done != static_cast<size_t>(-1) || errno == E2BIG)
            continue;
        out += '?';
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return out;
}

TEST(Cp932TableTest, EveryByteAndEveryPairDecodesAsTheConverterDecodesIt)
{
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        ASSERT_EQ(Cp932::ToUtf8(one), Reference(one)) << "byte " << b;
        for (int t = 0; t < 256; ++t) {
            const std::string two{static_cast<char>(b), static_cast<char>(t)};
            ASSERT_EQ(Cp932::ToUtf8(two), Reference(two)) << "bytes " << b << " " << t;
        }
    }
}

TEST(Cp932TableTest, LongDamagedTextDecodesAsTheConverterDecodesIt)
{
    uint32_t seed = 7;
    std::string text;
    for (int i = 0; i < 200000; ++i) {
        seed = seed * 1664525 + 1013904223;
        // Mostly lead and trail bytes, so that pairs, broken pairs and lone bytes all come up.
        const int pick = static_cast<int>(seed >> 24);
        text += static_cast<char>(pick < 64    ? 0x81 + (seed >> 8) % 31
                                  : pick < 128 ? 0xE0 + (seed >> 8) % 29
                                               : pick);
    }
    EXPECT_EQ(Cp932::ToUtf8(text), Reference(text));
    EXPECT_EQ(Cp932::ToUtf8(text.substr(0, 3) + "\x82"), Reference(text.substr(0, 3) + "\x82"));
}

TEST(Cp932TableTest, ByteLengthsAgreeWithTheEncoder)
{
    // Kana, kanji, the lenient yen sign and wave dash, and characters with no CP932 form.
    const std::string samples[] = {"あ", "漢", "ｱ", "A", "\\", "¥", "〜", "～", "€", "😀", "한"};
    for (const std::string& sample : samples) {
        const std::string encoded = Cp932::FromUtf8(sample);
        EXPECT_EQ(Cp932::ByteLength(sample), static_cast<int>(encoded.size())) << sample;
    }
    EXPECT_EQ(Cp932::PrefixOfBytes("あいう", 5), "あい");
    EXPECT_EQ(Cp932::PrefixOfBytes("ｱｲｳ", 2), "ｱｲ");
}

} // namespace
