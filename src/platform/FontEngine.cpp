#include "platform/FontEngine.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <optional>
#include <stdexcept>
#include <strings.h>

namespace {

struct FontFile {
    std::string path;
    int index = 0;
};

bool HasFamily(FcPattern* font, const char* family)
{
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
        if (strcasecmp(reinterpret_cast<const char*>(name), family) == 0) {
            return true;
        }
    }
    return false;
}

bool CoversJapanese(FcPattern* font)
{
    FcCharSet* charset = nullptr;
    return FcPatternGetCharSet(font, FC_CHARSET, 0, &charset) == FcResultMatch &&
           FcCharSetHasChar(charset, 0x3042) && FcCharSetHasChar(charset, 0x6F22);
}

// fontconfig always answers with some font, so the answer is accepted only when it is the family
// asked for (any family when none is named) and has kana and kanji.
std::optional<FontFile> Match(const char* family)
{
    std::string name = std::string(family != nullptr ? family : "") + ":lang=ja";
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(name.c_str()));
    if (pattern == nullptr) {
        return std::nullopt;
    }
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* font = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (font == nullptr) {
        return std::nullopt;
    }
    std::optional<FontFile> file;
    FcChar8* path = nullptr;
    int index = 0;
    if ((family == nullptr || HasFamily(font, family)) && CoversJapanese(font) &&
        FcPatternGetString(font, FC_FILE, 0, &path) == FcResultMatch) {
        FcPatternGetInteger(font, FC_INDEX, 0, &index);
        file = FontFile{reinterpret_cast<const char*>(path), index};
    }
    FcPatternDestroy(font);
    return file;
}

std::optional<FontFile> FirstMatch(std::initializer_list<const char*> families)
{
    for (const char* family : families) {
        if (auto file = Match(family)) {
            return file;
        }
    }
    return std::nullopt;
}

} // namespace

std::unique_ptr<FontEngine> FontEngine::Create()
{
    if (FcInit() == FcFalse) {
        throw std::runtime_error("The font configuration (fontconfig) could not be loaded.");
    }
    // Monapo has the proportional widths the board's texts were laid out with; IPAPGothic has the
    // same glyphs, only narrower.
    std::optional<FontFile> files[2] = {FirstMatch({"Monapo", "IPAPGothic", nullptr}),
                                        FirstMatch({"IPAGothic", nullptr})};
    if (!files[0] || !files[1]) {
        throw std::runtime_error("No Japanese font is installed. Install fonts-monapo and "
                                 "fonts-ipafont-gothic (or any font with kana and kanji).");
    }
    std::unique_ptr<FontEngine> engine(new FontEngine());
    if (FT_Init_FreeType(&engine->library_) != 0) {
        throw std::runtime_error("The font renderer (FreeType) could not be started.");
    }
    for (int slot = 0; slot < 2; ++slot) {
        engine->files_[slot] = files[slot]->path;
        if (FT_New_Face(engine->library_, files[slot]->path.c_str(), files[slot]->index,
                        &engine->faces_[slot]) != 0) {
            throw std::runtime_error("The font " + files[slot]->path + " could not be read.");
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
