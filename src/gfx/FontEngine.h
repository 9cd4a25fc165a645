#pragma once

#include "gfx/FontFace.h"
#include "gfx/SizedFont.h"

#include <memory>
#include <string>
#include <vector>

struct FT_LibraryRec_;

// The two Gothic faces, rendered with FreeType from the files the platform names. The program makes one
// and hands it to every picture that draws.
class FontEngine {
public:
    // Throws std::runtime_error, with a message fit for the player, when no Japanese font is installed.
    static std::unique_ptr<FontEngine> Create();
    ~FontEngine();
    FontEngine(const FontEngine&) = delete;
    FontEngine& operator=(const FontEngine&) = delete;

    // Em size in pixels of a size in points on a 96 DPI screen.
    static int PixelSize(double points);

    SizedFont& Font(FontFace face, int pixelSize, bool bold)
    {
        if (last_ != nullptr && lastFace_ == face && last_->PixelSize() == pixelSize &&
            last_->Bold() == bold) {
            return *last_;
        }
        return Find(face, pixelSize, bold);
    }

    // The font file drawn for a face, for diagnostics.
    const std::string& FilePath(FontFace face) const { return files_[Slot(face)]; }

private:
    FontEngine() = default;
    static int Slot(FontFace face) { return face == FontFace::Gothic ? 1 : 0; }
    SizedFont& Find(FontFace face, int pixelSize, bool bold);

    struct Entry {
        FontFace face;
        std::unique_ptr<SizedFont> font;
    };

    FT_LibraryRec_* library_ = nullptr;
    FT_FaceRec_* faces_[2] = {nullptr, nullptr};
    std::string files_[2];
    std::vector<Entry> fonts_;
    SizedFont* last_ = nullptr;
    FontFace lastFace_ = FontFace::PGothic;
};
