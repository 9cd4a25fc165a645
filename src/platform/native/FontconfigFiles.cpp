#include "platform/FontFiles.h"

#include <fontconfig/fontconfig.h>
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <strings.h>

namespace {

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

std::array<FontFile, 2> GothicFontFiles()
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
    return {*files[0], *files[1]};
}
