#include "gfx/FontEngine.h"

#include "platform/FontFiles.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <stdexcept>

std::unique_ptr<FontEngine> FontEngine::Create()
{
    const std::array<FontFile, 2> files = GothicFontFiles();
    std::unique_ptr<FontEngine> engine(new FontEngine());
    if (FT_Init_FreeType(&engine->library_) != 0) {
        throw std::runtime_error("The font renderer (FreeType) could not be started.");
    }
    for (int slot = 0; slot < 2; ++slot) {
        engine->files_[slot] = files[slot].path;
        if (FT_New_Face(engine->library_, files[slot].path.c_str(), files[slot].index,
                        &engine->faces_[slot]) != 0) {
            throw std::runtime_error("The font " + files[slot].path + " could not be read.");
        }
    }
    return engine;
}

FontEngine::~FontEngine()
{
    fonts_.clear();
    for (FT_Face face : faces_) {
        if (face != nullptr) {
            FT_Done_Face(face);
        }
    }
    if (library_ != nullptr) {
        FT_Done_FreeType(library_);
    }
}

int FontEngine::PixelSize(double points)
{
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

SizedFont& FontEngine::Find(FontFace face, int pixelSize, bool bold)
{
    pixelSize = std::max(1, pixelSize);
    for (Entry& entry : fonts_) {
        if (entry.face == face && entry.font->PixelSize() == pixelSize && entry.font->Bold() == bold) {
            last_ = entry.font.get();
            lastFace_ = face;
            return *last_;
        }
    }
    int slot = Slot(face);
    fonts_.push_back({face, std::make_unique<SizedFont>(faces_[slot], faces_[1 - slot], pixelSize, bold)});
    last_ = fonts_.back().font.get();
    lastFace_ = face;
    return *last_;
}
