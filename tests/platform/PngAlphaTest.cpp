// The icon's transparency comes from one drawing made over black and over white.
#include "gfx/Picture.h"
#include "platform/PngWriter.h"
#include "support/TestGame.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <png.h>
#include <string>
#include <vector>

namespace {

// The file read back as RGBA bytes, or nothing.
std::vector<uint8_t> ReadRgba(const std::string& path, int& width, int& height)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return {};
    image.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr))
        return {};
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    return pixels;
}

TEST(PngAlphaTest, UntouchedPixelsAreClearPaintedOnesOpaqueAndHalfCoveredOnesHalfClear)
{
    Picture onBlack(&SharedFonts(), 3, 1);
    Picture onWhite(&SharedFonts(), 3, 1);
    onBlack.BitBlt(0, 0, 3, 1, nullptr, 0, 0, RasterOp::Blackness);
    // Pixel 1 painted red; pixel 2 red at half cover, as a smoothed edge shows it over each ground.
    for (Picture* picture : {&onBlack, &onWhite})
        picture->SetPixel(1, 0, Rgb(255, 0, 0));
    onBlack.SetPixel(2, 0, Rgb(128, 0, 0));
    onWhite.SetPixel(2, 0, Rgb(255, 127, 127));
    const std::string path = testing::TempDir() + "png_alpha_test.png";
    ASSERT_TRUE(WritePngWithAlpha(onBlack, onWhite, path));
    int width = 0;
    int height = 0;
    const std::vector<uint8_t> rgba = ReadRgba(path, width, height);
    std::remove(path.c_str());
    ASSERT_EQ(width, 3);
    ASSERT_EQ(height, 1);
    EXPECT_EQ(rgba[3], 0) << "untouched";
    EXPECT_EQ((std::vector<uint8_t>(rgba.begin() + 4, rgba.begin() + 8)),
              (std::vector<uint8_t>{255, 0, 0, 255}));
    EXPECT_EQ((std::vector<uint8_t>(rgba.begin() + 8, rgba.begin() + 12)),
              (std::vector<uint8_t>{255, 0, 0, 128}));

    EXPECT_FALSE(WritePngWithAlpha(onBlack, Picture(&SharedFonts(), 2, 1), path)) << "sizes differ";
    EXPECT_FALSE(WritePngWithAlpha(onBlack, onWhite, "/nonexistent-folder/icon.png"));
}

} // namespace
