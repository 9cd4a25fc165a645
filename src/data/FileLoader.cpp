#include "data/FileLoader.h"

#include "data/CardFile.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "shell/Game.h"
#include "shell/ModuleCommon.h"
#include "text/Cp932.h"
#include "text/Utf8.h"

#include <cstdio>

namespace {

constexpr std::string_view kSeparator = "#----[Separator]----#\r\n";
constexpr std::string_view kBom = "\xEF\xBB\xBF";

const std::array<const char*, 8> kBuiltInNames = {"名無しさん",   "たかし",       "通りすがり", "マルチ",
                                                  "（・A・）ｱｿｳ", "（*ﾟДﾟ）さん", "シャア専用", "御老公"};

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            return lines;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
}

} // namespace

FileLoader::FileLoader(Game& game) : game_(game)
{
}

void FileLoader::DataLoad()
{
    const std::string path = game_.AppPath() + "card.dat";
    std::optional<std::string> bytes;
    if (FileSystem::FileLength(path) >= 0)
        bytes = FileSystem::ReadFile(path, CardFile::MaxBytes);
    if (!bytes || !CardFile::Parse(*bytes, game_.cardDefs, game_.specialTexts)) {
        game_.platform.MessageBox("Pakaponta", "card.dat ファイルが見つかりません。");
        game_.Quit(1);
    }
}

bool FileLoader::DataSave() const
{
    const std::string path = game_.AppPath() + "card.dat";
    FileSystem::RemoveFile(path);
    return FileSystem::WriteFile(path, CardFile::Serialize(game_.cardDefs, game_.specialTexts));
}

std::string FileLoader::DecodeText(std::string_view bytes)
{
    if (bytes.substr(0, kBom.size()) != kBom)
        return Cp932::ToUtf8(bytes);
    // A file marked as UTF-8 may still hold stray bytes: each becomes '?'.
    return Utf8::Repaired(bytes.substr(kBom.size()));
}

std::optional<std::vector<std::string>> FileLoader::SplitText(std::string_view utf8)
{
    if (utf8.empty())
        return std::nullopt;
    std::string joined;
    joined.reserve(utf8.size() + utf8.size() / 16);
    // Copies the text run by run, writing every line end (CR LF or a lone CR) as CR LF.
    size_t i = 0;
    while (i < utf8.size()) {
        const size_t cr = utf8.find('\r', i);
        joined.append(utf8.substr(i, cr == std::string_view::npos ? std::string_view::npos : cr - i));
        if (cr == std::string_view::npos)
            break;
        joined += "\r\n";
        i = cr + ((cr + 1 < utf8.size() && utf8[cr + 1] == '\n') ? 2 : 1);
    }
    // Every line was followed by CR LF; the last one loses it.
    if (joined.size() >= 2 && joined.compare(joined.size() - 2, 2, "\r\n") == 0)
        joined.resize(joined.size() - 2);
    std::vector<std::string> pieces;
    size_t start = 0;
    size_t from = 0;
    for (;;) {
        const size_t cut = joined.find(kSeparator, from);
        if (cut == std::string::npos)
            break;
        from = cut + 1;
        // Only a whole line separates: the match must begin a line.
        if (cut != 0 && (cut < 2 || joined.compare(cut - 2, 2, "\r\n") != 0))
            continue;
        pieces.push_back(joined.substr(start, cut - start));
        start = from = cut + kSeparator.size();
    }
    pieces.push_back(joined.substr(start));
    return pieces;
}

std::optional<std::vector<std::string>> FileLoader::ReadSplitFile(const std::string& path) const
{
    std::optional<std::string> bytes = FileSystem::ReadFile(path, MaxTextFileBytes);
    if (!bytes)
        return std::nullopt;
    return SplitText(DecodeText(*bytes));
}

void FileLoader::ThreadPublicLoad()
{
    std::optional<std::vector<std::string>> pieces = ReadSplitFile(game_.AppPath() + "thread/thread.txt");
    if (!pieces) {
        game_.platform.MessageBox("Pakaponta", "thread.txt ファイルが見つかりません。");
        game_.Quit(1);
    }
    game_.PublicResMax = Min(static_cast<int32_t>(pieces->size()) - 1, 999);
    for (int i = 0; i <= game_.PublicResMax; ++i)
        game_.PublicRes[i] = std::move((*pieces)[i]);
}

void FileLoader::NameLoad()
{
    for (int i = 0; i < 8; ++i) {
        game_.PlayerNames[i] = kBuiltInNames[i];
        const std::string value = game_.ReadIni("NAME", "Name" + std::to_string(i + 1));
        if (!value.empty())
            game_.PlayerNames[i] = value;
    }
}

const std::vector<std::string>* FileLoader::ThreadFile(int number)
{
    char name[16];
    std::snprintf(name, sizeof name, "%03d.txt", number);
    const std::string path = game_.AppPath() + "thread/" + name;
    const std::optional<FileSystem::FileStamp> stamp = FileSystem::Stamp(path);
    if (!stamp || stamp->size <= 0)
        return nullptr;
    auto known = threadFiles_.find(path);
    if (known == threadFiles_.end() || known->second.stamp != *stamp) {
        // A file that exists but cannot be read is skipped like a missing one.
        std::optional<std::vector<std::string>> pieces = ReadSplitFile(path);
        if (!pieces) {
            threadFiles_.erase(path);
            return nullptr;
        }
        known = threadFiles_.insert_or_assign(path, CachedFile{*stamp, std::move(*pieces)}).first;
    }
    return &known->second.pieces;
}

ThreadLibrary FileLoader::Library()
{
    return LibraryOf(ThreadFiles());
}

FileLoader::ThreadFileSet FileLoader::ThreadFiles()
{
    ThreadFileSet files{};
    for (int file = 0; file < ThreadFileCount; ++file)
        files[file] = ThreadFile(file);
    return files;
}

ThreadLibrary FileLoader::LibraryOf(const ThreadFileSet& files) const
{
    ThreadLibrary library;
    for (int file = 0; file < ThreadFileCount; ++file) {
        const std::vector<std::string>* pieces = files[file];
        if (pieces == nullptr)
            continue;
        library.pieces[file] = static_cast<int16_t>(Min(static_cast<int32_t>(pieces->size()), 32767));
        const int own = Min(static_cast<int32_t>(pieces->size()) - 3, 19);
        for (int k = 0; k <= own; ++k) {
            if ((*pieces)[k + 2].empty())
                library.ownEmpty[file] |= 1u << k;
        }
    }
    library.poolEmpty.resize(static_cast<size_t>(game_.PublicResMax + 1));
    for (int i = 0; i <= game_.PublicResMax; ++i)
        library.poolEmpty[i] = game_.PublicRes[i].empty();
    return library;
}

ThreadDeal FileLoader::ThreadGameLoad()
{
    // The files are looked at once, and only as many as the deal tries: the deal and the texts come
    // from the same reading.
    const ThreadOrder order = ShuffleThreadFiles(game_.rng);
    ThreadFileSet files{};
    int readable = 0;
    for (int i = 0; i < ThreadFileCount && readable < ThreadCardCount; ++i) {
        files[order[i]] = ThreadFile(order[i]);
        readable += files[order[i]] != nullptr ? 1 : 0;
    }
    const ThreadDeal deal = DealThreads(game_.rng, order, LibraryOf(files));
    for (int n = 0; n < deal.dealt; ++n)
        LoadThread(deal, n, files[deal.file[n]]);
    RepeatThreads(deal);
    return deal;
}

void FileLoader::LoadThreads(const ThreadDeal& deal)
{
    for (int n = 0; n < deal.dealt; ++n)
        LoadThread(deal, n, ThreadFile(deal.file[n]));
    RepeatThreads(deal);
}

void FileLoader::LoadThread(const ThreadDeal& deal, int n, const std::vector<std::string>* found)
{
    if (found == nullptr)
        return;
    const std::vector<std::string>& p = *found;
    ThreadText& text = game_.ThreadTexts[n];
    const std::vector<std::string> header = SplitLines(p[0]);
    text.Title = header[0];
    if (header.size() > 1)
        text.PosterName = header[1];
    if (p.size() > 1)
        text.Body = p[1];
    for (int k = 0; k < 20; ++k) {
        const int pool = deal.pool[n][k];
        if (pool < 0)
            text.Responses[k] = k + 2 < static_cast<int>(p.size()) ? p[k + 2] : std::string();
        else if (pool < static_cast<int>(game_.PublicRes.size()))
            text.Responses[k] = game_.PublicRes[pool];
    }
}

void FileLoader::RepeatThreads(const ThreadDeal& deal)
{
    if (deal.dealt > 0) {
        for (int w = deal.dealt; w < ThreadCardCount; ++w)
            game_.ThreadTexts[w] = game_.ThreadTexts[w % deal.dealt];
    }
}
