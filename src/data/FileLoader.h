#pragma once

#include "board/CardRecord.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class Game;

// Reads the data files beside the program: card.dat, the response pool, the thread files and the
// player names. Only a missing card.dat or thread.txt is fatal; everything else falls back.
class FileLoader {
public:
    explicit FileLoader(Game& game);

    void DataLoad();
    // Writes cardDefs and specialTexts back to card.dat (an authoring aid; the game never calls it).
    bool DataSave() const;
    void ThreadPublicLoad();
    void NameLoad();
    void ThreadGameLoad();

    // card.dat's layout: 58 records and 50 texts, little-endian, CP932 strings with 16-bit counts.
    // Parsing is bounded and checks what the game relies on; false leaves the tables untouched.
    static bool ParseCardData(std::string_view bytes, std::array<CardRecord, CardDefCount>& cardDefs,
                              std::array<std::string, SpecialTextCount>& specialTexts);
    static std::string SerializeCardData(const std::array<CardRecord, CardDefCount>& cardDefs,
                                         const std::array<std::string, SpecialTextCount>& specialTexts);

    // A text file as UTF-8: CP932, or UTF-8 when it starts with a byte order mark.
    static std::string DecodeText(std::string_view bytes);
    // The split-text format: lines end at CR LF or a lone CR (a lone LF stays inside its line), the
    // lines are joined with CR LF, and the text is cut after every "#----[Separator]----#" line.
    // nullopt for a text with no line at all.
    static std::optional<std::vector<std::string>> SplitText(std::string_view utf8);

    // Files larger than this are read only up to it: a damaged 50 MB file must not stall start-up.
    static constexpr int64_t MaxTextFileBytes = 16 * 1024 * 1024;

private:
    std::optional<std::vector<std::string>> ReadSplitFile(const std::string& path) const;

    Game& game_;
};
