// The text files beside the program (thread.txt and the thread files): any bytes decode to UTF-8,
// split into pieces that keep their promises, and load into the pool and the thread slots.
#include "FuzzCheck.h"
#include "data/FileLoader.h"
#include "platform/FileSystem.h"
#include "platform/ProgramExit.h"
#include "platform/headless/HeadlessPlatform.h"
#include "shell/Game.h"
#include "text/Utf8.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view kSeparator = "#----[Separator]----#\r\n";

// Length of the text once every line end is CR LF and the last one is gone.
size_t JoinedLength(std::string_view text)
{
    size_t length = 0;
    bool endsWithLineEnd = false;
    for (size_t i = 0; i < text.size(); ++i) {
        endsWithLineEnd = text[i] == '\r';
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        length += endsWithLineEnd ? 2 : 1;
    }
    return endsWithLineEnd ? length - 2 : length;
}

void CheckPieces(std::string_view text)
{
    const auto pieces = FileLoader::SplitText(text);
    FUZZ_CHECK(pieces.has_value() == !text.empty());
    if (!pieces)
        return;
    size_t total = (pieces->size() - 1) * kSeparator.size();
    for (size_t i = 0; i < pieces->size(); ++i) {
        const std::string& piece = (*pieces)[i];
        total += piece.size();
        // A piece that a separator line follows ends its last line.
        if (i + 1 < pieces->size())
            FUZZ_CHECK(piece.empty() || piece.ends_with("\r\n"));
        // No separator line is left inside a piece.
        FUZZ_CHECK(!piece.starts_with(kSeparator));
        FUZZ_CHECK(piece.find("\r\n" + std::string(kSeparator)) == std::string::npos);
        // Every line end is CR LF.
        for (size_t cr = piece.find('\r'); cr != std::string::npos; cr = piece.find('\r', cr + 1))
            FUZZ_CHECK(cr + 1 < piece.size() && piece[cr + 1] == '\n');
    }
    FUZZ_CHECK(total == JoinedLength(text));
}

struct Folder {
    Folder()
    {
        char pattern[] = "/tmp/pakaponta-fuzz-XXXXXX";
        if (mkdtemp(pattern) == nullptr)
            std::abort();
        dir = std::string(pattern) + "/";
        std::filesystem::create_directory(dir + "thread");
        game = std::make_unique<Game>(platform, nullptr, 1, true, dir);
        loader = std::make_unique<FileLoader>(*game);
    }
    ~Folder() { std::filesystem::remove_all(dir); }

    std::string dir;
    HeadlessPlatform platform;
    std::unique_ptr<Game> game;
    std::unique_ptr<FileLoader> loader;
};

Folder& TheFolder()
{
    static Folder folder;
    return folder;
}

void CheckLoaders(std::string_view bytes)
{
    Folder& f = TheFolder();
    Game& game = *f.game;
    FUZZ_CHECK(FileSystem::WriteFile(f.dir + "thread/thread.txt", bytes));
    FUZZ_CHECK(FileSystem::WriteFile(f.dir + "thread/000.txt", bytes));

    int status = -1;
    try {
        f.loader->ThreadPublicLoad();
    } catch (const ProgramExit& exit) {
        status = exit.status;
    }
    const auto pieces = FileLoader::SplitText(FileLoader::DecodeText(bytes));
    if (!pieces) {
        FUZZ_CHECK(status == 1);
        game.PublicRes[0] = "pool";
        game.PublicResMax = 0;
    } else {
        FUZZ_CHECK(status == -1);
        FUZZ_CHECK(game.PublicResMax == static_cast<int>(std::min<size_t>(pieces->size(), 1000)) - 1);
    }

    for (ThreadText& text : game.ThreadTexts)
        text = ThreadText{};
    f.loader->ThreadGameLoad();
    const ThreadText& first = game.ThreadTexts[0];
    if (!pieces) {
        FUZZ_CHECK(first.Title.empty() && first.Responses[0].empty());
        return;
    }
    FUZZ_CHECK(Utf8::IsValid(first.Title) && Utf8::IsValid(first.PosterName) && Utf8::IsValid(first.Body));
    FUZZ_CHECK(first.Title.find("\r\n") == std::string::npos);
    FUZZ_CHECK(first.PosterName.find("\r\n") == std::string::npos);
    for (const std::string& response : first.Responses)
        FUZZ_CHECK(Utf8::IsValid(response));
    // The one file fills every slot.
    for (const ThreadText& text : game.ThreadTexts)
        FUZZ_CHECK(text.Title == first.Title && text.Body == first.Body && text.Responses == first.Responses);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = FileLoader::DecodeText(bytes);
    FUZZ_CHECK(Utf8::IsValid(text));
    CheckPieces(text);
    CheckPieces(bytes);
    CheckLoaders(bytes);
    return 0;
}
