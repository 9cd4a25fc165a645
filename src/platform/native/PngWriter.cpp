#include "platform/PngWriter.h"

#include "gfx/Picture.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <png.h>
#include <vector>

namespace {

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

// Fills one row of the image, channels bytes a pixel.
using RowFiller = std::function<void(int y, png_byte* row)>;

// libpng reports errors by longjmp; everything this needs released is owned outside the jump.
bool Encode(FILE* file, png_structp png, png_infop info, int width, int height, int colorType,
            const RowFiller& fill, std::vector<png_byte>& row)
{
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, colorType,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        fill(y, row.data());
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    return true;
}

bool Write(const std::string& path, int width, int height, bool alpha, const RowFiller& fill)
{
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) {
        return false;
    }
    png_infop info = png_create_info_struct(png);
    std::vector<png_byte> row(static_cast<size_t>(width) * (alpha ? 4 : 3));
    bool written = info != nullptr && Encode(file.get(), png, info, width, height,
                                             alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, fill, row);
    png_destroy_write_struct(&png, info != nullptr ? &info : nullptr);
    // A full disk shows only when the buffered data is flushed.
    bool closed = std::fclose(file.release()) == 0;
    if (!written || !closed) {
        std::remove(path.c_str());
        return false;
    }
    return true;
}

} // namespace

bool WritePng(const Picture& picture, const std::string& path)
{
    return WritePng(picture, path, picture.Width(), picture.Height());
}

bool WritePng(const Picture& picture, const std::string& path, int width, int height)
{
    if (!picture.Drawing() || width <= 0 || height <= 0 || width > picture.Width() ||
        height > picture.Height()) {
        return false;
    }
    const int stride = picture.Width();
    return Write(path, width, height, false, [&picture, width, stride](int y, png_byte* row) {
        const uint32_t* in = picture.Data() + static_cast<ptrdiff_t>(y) * stride;
        for (int x = 0; x < width; ++x) {
            row[x * 3] = static_cast<png_byte>(in[x] >> 16);
            row[x * 3 + 1] = static_cast<png_byte>(in[x] >> 8);
            row[x * 3 + 2] = static_cast<png_byte>(in[x]);
        }
    });
}

bool WritePngWithAlpha(const Picture& onBlack, const Picture& onWhite, const std::string& path)
{
    const int width = onBlack.Width();
    if (!onBlack.Drawing() || !onWhite.Drawing() || width <= 0 || onBlack.Height() <= 0 ||
        onWhite.Width() != width || onWhite.Height() != onBlack.Height()) {
        return false;
    }
    return Write(path, width, onBlack.Height(), true, [&onBlack, &onWhite, width](int y, png_byte* row) {
        const uint32_t* black = onBlack.Data() + static_cast<ptrdiff_t>(y) * width;
        const uint32_t* white = onWhite.Data() + static_cast<ptrdiff_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            // Over black a pixel shows alpha * colour; over white that plus 255 - alpha.
            int uncovered = 0;
            for (int shift = 0; shift < 24; shift += 8)
                uncovered += static_cast<int>((white[x] >> shift) & 0xFF) -
                             static_cast<int>((black[x] >> shift) & 0xFF);
            const int alpha = std::clamp(255 - (uncovered + 1) / 3, 0, 255);
            png_byte* out = row + static_cast<ptrdiff_t>(x) * 4;
            for (int channel = 0; channel < 3; ++channel) {
                const int shown = static_cast<int>((black[x] >> (16 - 8 * channel)) & 0xFF);
                out[channel] =
                    static_cast<png_byte>(alpha == 0 ? 0 : std::min(255, (shown * 255 + alpha / 2) / alpha));
            }
            out[3] = static_cast<png_byte>(alpha);
        }
    });
}
