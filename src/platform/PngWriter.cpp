#include "platform/PngWriter.h"

#include "platform/Picture.h"

#include <cstdio>
#include <memory>
#include <png.h>
#include <vector>

namespace {

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

// libpng reports errors by longjmp; everything this needs released is owned outside the jump.
bool Encode(FILE* file, png_structp png, png_infop info, const Picture& picture, std::vector<png_byte>& row)
{
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.Width()),
                 static_cast<png_uint_32>(picture.Height()), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const uint32_t* pixels = picture.Data();
    for (int y = 0; y < picture.Height(); ++y) {
        const uint32_t* in = pixels + static_cast<ptrdiff_t>(y) * picture.Width();
        for (int x = 0; x < picture.Width(); ++x) {
            row[static_cast<size_t>(x) * 3] = static_cast<png_byte>(in[x] >> 16);
            row[static_cast<size_t>(x) * 3 + 1] = static_cast<png_byte>(in[x] >> 8);
            row[static_cast<size_t>(x) * 3 + 2] = static_cast<png_byte>(in[x]);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    return true;
}

} // namespace

bool WritePng(const Picture& picture, const std::string& path)
{
    if (!picture.Drawing() || picture.Width() <= 0 || picture.Height() <= 0) {
        return false;
    }
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) {
        return false;
    }
    png_infop info = png_create_info_struct(png);
    std::vector<png_byte> row(static_cast<size_t>(picture.Width()) * 3);
    bool written = info != nullptr && Encode(file.get(), png, info, picture, row);
    png_destroy_write_struct(&png, info != nullptr ? &info : nullptr);
    // A full disk shows only when the buffered data is flushed.
    bool closed = std::fclose(file.release()) == 0;
    if (!written || !closed) {
        std::remove(path.c_str());
        return false;
    }
    return true;
}
