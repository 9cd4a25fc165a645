#pragma once

#include "data/CardFile.h"
#include "platform/FileSystem.h"
#include "rules/ThreadDeal.h"

#include <array>
#include <map>
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
    // Deals the game's threads from the game's random source and loads their texts.
    ThreadDeal ThreadGameLoad();
    // The texts of threads dealt before (a kept game's).
    void LoadThreads(const ThreadDeal& deal);
    // What the rules need to know of the thread files to deal from them.
    ThreadLibrary Library();

    // card.dat's layout (see CardFile): what DataLoad accepts and what DataSave writes.
    static bool ParseCardData(std::string_view bytes, CardFile::Defs& cardDefs, CardFile::Texts& specialTexts)
    {
        return CardFile::Parse(bytes, cardDefs, specialTexts);
    }
    static std::string SerializeCardData(const CardFile::Defs& cardDefs, const CardFile::Texts& specialTexts)
    {
        return CardFile::Serialize(cardDefs, specialTexts);
    }

    // A text file as UTF-8: CP932, or UTF-8 when it starts with a byte order mark (bytes that are
    // not UTF-8 then become '?', as bytes that are not CP932 do otherwise).
    static std::string DecodeText(std::string_view bytes);
    // The split-text format: lines end at CR LF or a lone CR (a lone LF stays inside its line), the
    // lines are joined with CR LF, and the text is cut at every line that is exactly
    // "#----[Separator]----#", unless it is the last line.
    // nullopt for a text with no line at all.
    static std::optional<std::vector<std::string>> SplitText(std::string_view utf8);

    // Files larger than this are read only up to it: a damaged 50 MB file must not stall start-up.
    static constexpr int64_t MaxTextFileBytes = 16 * 1024 * 1024;

private:
    std::optional<std::vector<std::string>> ReadSplitFile(const std::string& path) const;

    Game& game_;
    // The thread files read at earlier game starts, each read again only once it changed.
    struct CachedFile {
        FileSystem::FileStamp stamp;
        std::vector<std::string> pieces;
    };
    std::map<std::string, CachedFile> threadFiles_;
    // The pieces of thread file number (000.txt ...), null when it cannot be read.
    const std::vector<std::string>* ThreadFile(int number);
    // Every thread file's pieces, by number.
    using ThreadFileSet = std::array<const std::vector<std::string>*, ThreadFileCount>;
    ThreadFileSet ThreadFiles();
    ThreadLibrary LibraryOf(const ThreadFileSet& files) const;
    // The texts of dealt thread n from its file's pieces, and the dealt threads repeated over the
    // rest of the thread cards.
    void LoadThread(const ThreadDeal& deal, int n, const std::vector<std::string>* found);
    void RepeatThreads(const ThreadDeal& deal);
};
