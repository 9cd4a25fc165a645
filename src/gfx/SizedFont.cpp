#include "gfx/SizedFont.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

// Crisp one-bit glyphs: at 11..13 px the outlines of Japanese faces turn to grey smudges when
// antialiased, while the game's look comes from the hard-edged bitmap text of its era. Whole pixels
// also keep text drawn over itself, or OR-ed between pictures, exactly as dark as drawn once.
constexpr bool Monochrome = false;

int Scale(long units, int pixelSize, int unitsPerEm)
{
    return static_cast<int>(std::lround(static_cast<double>(units) * pixelSize / unitsPerEm));
}

FT_Size NewSize(FT_Face face, int pixelSize)
{
    FT_Size size = nullptr;
    if (FT_New_Size(face, &size) != 0 || FT_Activate_Size(size) != 0 ||
        FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) != 0) {
        throw std::runtime_error("The font " + std::string(face->family_name) + " cannot be set to " +
                                 std::to_string(pixelSize) + " pixels.");
    }
    return size;
}

} // namespace

SizedFont::SizedFont(FT_FaceRec_* face, FT_FaceRec_* fallback, int pixelSize, bool bold)
    : face_(face), fallback_(fallback == face ? nullptr : fallback), pixelSize_(pixelSize), bold_(bold)
{
    size_ = NewSize(face_, pixelSize_);
    if (fallback_ != nullptr) {
        fallbackSize_ = NewSize(fallback_, pixelSize_);
    }
    int unitsPerEm = face_->units_per_EM > 0 ? face_->units_per_EM : 1000;
    // A text cell is as tall as the font's usWinAscent + usWinDescent, not its typographic ascent
    // and descent: the layout's line heights are measured that way.
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
    if (os2 != nullptr && os2->version != 0xFFFF) {
        ascent_ = Scale(os2->usWinAscent, pixelSize_, unitsPerEm);
        descent_ = Scale(os2->usWinDescent, pixelSize_, unitsPerEm);
    } else {
        ascent_ = Scale(face_->ascender, pixelSize_, unitsPerEm);
        descent_ = Scale(-face_->descender, pixelSize_, unitsPerEm);
    }
    underlineThickness_ = std::max(1, Scale(face_->underline_thickness, pixelSize_, unitsPerEm));
    int centre = Scale(-face_->underline_position, pixelSize_, unitsPerEm);
    underlineOffset_ =
        std::clamp(centre - underlineThickness_ / 2, 0, std::max(0, descent_ - underlineThickness_));
}

SizedFont::~SizedFont()
{
    FT_Done_Size(size_);
    if (fallbackSize_ != nullptr) {
        FT_Done_Size(fallbackSize_);
    }
}

const Glyph& SizedFont::Load(char32_t code)
{
    if (code > MaxCode) {
        return Get(U'?');
    }
    std::unique_ptr<Page>& page = pages_[code >> 8];
    if (!page) {
        page = std::make_unique<Page>();
    }
    Glyph& glyph = page->glyphs[code & 0xFF];
    // Control characters take no room, as the line breaks of a text must not.
    bool found = code < 0x20 || Render(face_, size_, code, glyph) ||
                 (fallback_ != nullptr && Render(fallback_, fallbackSize_, code, glyph));
    if (!found && code != U'?') {
        glyph = Get(U'?');
    } else if (!found) {
        glyph.advance = pixelSize_ / 2;
    }
    page->loaded.set(code & 0xFF);
    return glyph;
}

bool SizedFont::Render(FT_FaceRec_* face, FT_SizeRec_* size, char32_t code, Glyph& glyph)
{
    FT_UInt index = FT_Get_Char_Index(face, code);
    if (index == 0 || FT_Activate_Size(size) != 0) {
        return false;
    }
    FT_Int32 flags = FT_LOAD_RENDER | (Monochrome ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL);
    if (FT_Load_Glyph(face, index, flags) != 0) {
        return false;
    }
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    // Bold for faces without a bold weight: the glyph struck twice, one pixel apart, and one pixel
    // wider, so bold text keeps its place in the layout.
    int extra = bold_ ? 1 : 0;
    int width = static_cast<int>(bitmap.width);
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = width > 0 ? width + extra : 0;
    glyph.height = static_cast<int>(bitmap.rows);
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6) + extra;
    glyph.coverage.assign(static_cast<size_t>(glyph.width) * glyph.height, 0);
    int grays = std::max(2, static_cast<int>(bitmap.num_grays));
    for (int y = 0; y < glyph.height; ++y) {
        const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
        uint8_t* out = glyph.coverage.data() + static_cast<size_t>(y) * glyph.width;
        for (int x = 0; x < width; ++x) {
            int value = 0;
            if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
                value = (row[x >> 3] & (0x80 >> (x & 7))) != 0 ? 255 : 0;
            } else {
                value = row[x] * 255 / (grays - 1);
            }
            for (int s = 0; s <= extra; ++s) {
                out[x + s] = static_cast<uint8_t>(std::max<int>(out[x + s], value));
            }
        }
    }
    return true;
}
