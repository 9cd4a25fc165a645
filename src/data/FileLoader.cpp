#include "data/FileLoader.h"

#include "platform/Cp932.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "shell/Game.h"
#include "shell/ModuleCommon.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr std::string_view kSeparator = "#----[Separator]----#\r\n";
constexpr std::string_view kBom = "\xEF\xBB\xBF";

const std::array<const char*, 8> kBuiltInNames = {
    "名無しさん", "たかし", "通りすがり", "マルチ", "（・A・）ｱｿｳ", "（*ﾟДﾟ）さん", "シャア専用", "御老公"};

// Reads card.dat front to back without ever stepping past its end.
class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    bool Int(int32_t& value)
    {
        if (bytes_.size() - pos_ < 4)
            return false;
        uint32_t v = 0;
        for (int i = 3; i >= 0; --i)
            v = (v << 8) | static_cast<unsigned char>(bytes_[pos_ + i]);
        value = static_cast<int32_t>(v);
        pos_ += 4;
        return true;
    }

    bool Text(std::string& value)
    {
        if (bytes_.size() - pos_ < 2)
            return false;
        const size_t count = static_cast<unsigned char>(bytes_[pos_]) |
                             (static_cast<size_t>(static_cast<unsigned char>(bytes_[pos_ + 1])) << 8);
        pos_ += 2;
        if (bytes_.size() - pos_ < count)
            return false;
        value = Cp932::ToUtf8(bytes_.substr(pos_, count));
        pos_ += count;
        return true;
    }

private:
    std::string_view bytes_;
    size_t pos_ = 0;
};

void PutInt(std::string& out, int32_t value)
{
    const auto v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

void PutText(std::string& out, const std::string& utf8)
{
    std::string bytes = Cp932::FromUtf8(utf8);
    if (bytes.size() > 0xFFFF)
        bytes.resize(0xFFFF);
    out += static_cast<char>(bytes.size() & 0xFF);
    out += static_cast<char>((bytes.size() >> 8) & 0xFF);
    out += bytes;
}

// What the rules rely on; a file that breaks it is treated like a missing one, never half-used.
bool Plausible(const CardRecord& record, int position)
{
    if (record.cardIndex != position)
        return false;
    if (position < AdminCard) {
        if (record.resNum < 1 || record.Size < 0 || (record.Agesage != 0 && record.Agesage != 1))
            return false;
    }
    for (int32_t weight : record.resWeight) {
        if (weight < 0)
            return false;
    }
    // Running sums of the weights must stay within 32 bits.
    int64_t total = 0;
    for (int32_t weight : record.resWeight)
        total += weight;
    return total <= INT32_MAX;
}

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

FileLoader::FileLoader(Game& game) : game_(game) {}

bool FileLoader::ParseCardData(std::string_view bytes, std::array<CardRecord, CardDefCount>& cardDefs,
                               std::array<std::string, SpecialTextCount>& specialTexts)
{
    Reader in(bytes);
    std::array<CardRecord, CardDefCount> defs;
    std::array<std::string, SpecialTextCount> texts;
    for (int i = 0; i < CardDefCount; ++i) {
        CardRecord& r = defs[i];
        if (!in.Int(r.cardIndex) || !in.Int(r.resNum) || !in.Int(r.Size) || !in.Int(r.cardColor) ||
            !in.Int(r.Agesage) || !in.Text(r.CardText))
            return false;
        for (std::string& text : r.ResText) {
            if (!in.Text(text))
                return false;
        }
        for (int32_t& weight : r.resWeight) {
            if (!in.Int(weight))
                return false;
        }
        if (!Plausible(r, i))
            return false;
    }
    for (std::string& text : texts) {
        if (!in.Text(text))
            return false;
    }
    cardDefs = std::move(defs);
    specialTexts = std::move(texts);
    return true;
}

std::string FileLoader::SerializeCardData(const std::array<CardRecord, CardDefCount>& cardDefs,
                                          const std::array<std::string, SpecialTextCount>& specialTexts)
{
    std::string out;
    for (const CardRecord& r : cardDefs) {
        PutInt(out, r.cardIndex);
        PutInt(out, r.resNum);
        PutInt(out, r.Size);
        PutInt(out, r.cardColor);
        PutInt(out, r.Agesage);
        PutText(out, r.CardText);
        for (const std::string& text : r.ResText)
            PutText(out, text);
        for (int32_t weight : r.resWeight)
            PutInt(out, weight);
    }
    for (const std::string& text : specialTexts)
        PutText(out, text);
    return out;
}

void FileLoader::DataLoad()
{
    const std::string path = game_.AppPath() + "card.dat";
    std::optional<std::string> bytes;
    if (FileSystem::FileLength(path) >= 0)
        bytes = FileSystem::ReadFile(path, MaxTextFileBytes);
    if (!bytes || !ParseCardData(*bytes, game_.cardDefs, game_.specialTexts)) {
        game_.platform.MessageBox("Pakaponta", "card.dat ファイルが見つかりません。");
        game_.Quit(1);
    }
}

bool FileLoader::DataSave() const
{
    const std::string path = game_.AppPath() + "card.dat";
    FileSystem::RemoveFile(path);
    return FileSystem::WriteFile(path, SerializeCardData(game_.cardDefs, game_.specialTexts));
}

std::string FileLoader::DecodeText(std::string_view bytes)
{
    if (bytes.substr(0, kBom.size()) == kBom)
        return std::string(bytes.substr(kBom.size()));
    return Cp932::ToUtf8(bytes);
}

std::optional<std::vector<std::string>> FileLoader::SplitText(std::string_view utf8)
{
    if (utf8.empty())
        return std::nullopt;
    std::string joined;
    joined.reserve(utf8.size() + utf8.size() / 16);
    size_t i = 0;
    while (i < utf8.size()) {
        const char c = utf8[i];
        if (c == '\r') {
            joined += "\r\n";
            i += (i + 1 < utf8.size() && utf8[i + 1] == '\n') ? 2 : 1;
        } else {
            joined += c;
            ++i;
        }
    }
    // Every line was followed by CR LF; the last one loses it.
    if (joined.size() >= 2 && joined.compare(joined.size() - 2, 2, "\r\n") == 0)
        joined.resize(joined.size() - 2);
    std::vector<std::string> pieces;
    size_t start = 0;
    for (;;) {
        const size_t cut = joined.find(kSeparator, start);
        if (cut == std::string::npos) {
            pieces.push_back(joined.substr(start));
            return pieces;
        }
        pieces.push_back(joined.substr(start, cut - start));
        start = cut + kSeparator.size();
    }
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

void FileLoader::ThreadGameLoad()
{
    std::array<int32_t, 200> order;
    for (int i = 0; i < 200; ++i)
        order[i] = i;
    for (int i = 0; i < 200; ++i)
        Swap(order[i], order[game_.rng.Below(200)]);

    int n = 0;
    for (int i = 0; i < 200 && n <= 44; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "%03d.txt", order[i]);
        const std::string path = game_.AppPath() + "thread/" + name;
        if (FileSystem::FileLength(path) <= 0)
            continue;
        // A file that exists but cannot be read is skipped like a missing one.
        std::optional<std::vector<std::string>> pieces = ReadSplitFile(path);
        if (!pieces)
            continue;
        const std::vector<std::string>& p = *pieces;
        ThreadText& text = game_.ThreadTexts[n];
        const std::vector<std::string> header = SplitLines(p[0]);
        text.Title = header[0];
        if (header.size() > 1)
            text.PosterName = header[1];
        if (p.size() > 1)
            text.Body = p[1];
        const int m = Min(static_cast<int32_t>(p.size()) - 3, 19);
        for (int k = 0; k <= m; ++k)
            text.Responses[k] = p[k + 2];
        for (int k = m + 1; k <= 19; ++k) {
            if (k >= 0)
                text.Responses[k] = game_.PublicRes[game_.rng.Below(game_.PublicResMax + 1)];
        }
        ++n;
    }
    if (n > 0) {
        for (int w = n; w <= 44; ++w)
            game_.ThreadTexts[w] = game_.ThreadTexts[w % n];
    }
}
