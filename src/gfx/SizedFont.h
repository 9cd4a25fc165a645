#pragma once

#include "gfx/Glyph.h"

#include <array>
#include <bitset>
#include <memory>

struct FT_FaceRec_;
struct FT_SizeRec_;

// One face at one pixel size and weight, with the cell metrics the layout is measured in and a
// cache of rendered glyphs.
// Characters the face lacks come from the fallback face at the same size.
class SizedFont {
public:
    SizedFont(FT_FaceRec_* face, FT_FaceRec_* fallback, int pixelSize, bool bold);
    ~SizedFont();
    SizedFont(const SizedFont&) = delete;
    SizedFont& operator=(const SizedFont&) = delete;

    int PixelSize() const { return pixelSize_; }
    bool Bold() const { return bold_; }
    int Ascent() const { return ascent_; }
    int Descent() const { return descent_; }
    // The height of a text line: ascent and descent of the cell.
    int Height() const { return ascent_ + descent_; }
    // Rows below the baseline where the underline starts, and how many rows it takes.
    int UnderlineOffset() const { return underlineOffset_; }
    int UnderlineThickness() const { return underlineThickness_; }

    const Glyph& Get(char32_t code)
    {
        if (code <= MaxCode) {
            const Page* page = pages_[code >> 8].get();
            if (page != nullptr && page->loaded[code & 0xFF]) {
                return page->glyphs[code & 0xFF];
            }
        }
        return Load(code);
    }

private:
    static constexpr char32_t MaxCode = 0x10FFFF;
    struct Page {
        std::array<Glyph, 256> glyphs;
        std::bitset<256> loaded;
    };

    const Glyph& Load(char32_t code);
    bool Render(FT_FaceRec_* face, FT_SizeRec_* size, char32_t code, Glyph& glyph);

    FT_FaceRec_* face_;
    FT_FaceRec_* fallback_;
    FT_SizeRec_* size_ = nullptr;
    FT_SizeRec_* fallbackSize_ = nullptr;
    int pixelSize_;
    bool bold_;
    int ascent_ = 0;
    int descent_ = 0;
    int underlineOffset_ = 1;
    int underlineThickness_ = 1;
    std::array<std::unique_ptr<Page>, (MaxCode >> 8) + 1> pages_;
};
