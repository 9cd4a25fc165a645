#include "data/CardFile.h"

#include "text/Cp932.h"

#include <cstdint>

namespace {

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
    // An overlong text loses its end, never half of a double-byte character.
    const std::string bytes = Cp932::FromUtf8(Cp932::PrefixOfBytes(utf8, 0xFFFF));
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

} // namespace

bool CardFile::Read(std::string_view bytes, Defs& cardDefs, Texts& specialTexts)
{
    Reader in(bytes);
    Defs defs;
    Texts texts;
    for (CardRecord& r : defs) {
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
    }
    for (std::string& text : texts) {
        if (!in.Text(text))
            return false;
    }
    cardDefs = std::move(defs);
    specialTexts = std::move(texts);
    return true;
}

bool CardFile::Parse(std::string_view bytes, Defs& cardDefs, Texts& specialTexts)
{
    Defs defs;
    Texts texts;
    if (!Read(bytes, defs, texts))
        return false;
    for (int i = 0; i < CardDefCount; ++i) {
        if (!Plausible(defs[i], i))
            return false;
    }
    cardDefs = std::move(defs);
    specialTexts = std::move(texts);
    return true;
}

std::string CardFile::Serialize(const Defs& cardDefs, const Texts& specialTexts)
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
