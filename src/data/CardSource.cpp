#include "data/CardSource.h"

#include "text/Cp932.h"
#include "text/Utf8.h"

#include <cstdint>
#include <limits>
#include <nlohmann/json.hpp>
#include <set>
#include <vector>

using Json = nlohmann::json;

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// A fault in the document, with the entry it was found in.
struct SourceError {
    std::string message;
};

[[noreturn]] void Fail(const std::string& where, const std::string& what)
{
    throw SourceError{where + ": " + what};
}

void OnlyKeys(const Json& object, const std::set<std::string>& allowed, const std::string& where)
{
    if (!object.is_object())
        Fail(where, "must be an object");
    for (const auto& item : object.items()) {
        if (!allowed.contains(item.key()))
            Fail(where, "unknown key \"" + item.key() + "\"");
    }
}

int32_t ReadInt(const Json& object, const char* key, const std::string& where)
{
    const auto found = object.find(key);
    if (found == object.end())
        Fail(where, std::string("\"") + key + "\" is missing");
    if (!found->is_number_integer())
        Fail(where, std::string("\"") + key + "\" must be a whole number");
    const bool fits =
        found->is_number_unsigned()
            ? found->get<uint64_t>() <= static_cast<uint64_t>(std::numeric_limits<int32_t>::max())
            : found->get<int64_t>() >= std::numeric_limits<int32_t>::min() &&
                  found->get<int64_t>() <= std::numeric_limits<int32_t>::max();
    if (!fits)
        Fail(where, std::string("\"") + key + "\" does not fit in 32 bits");
    return static_cast<int32_t>(found->get<int64_t>());
}

// A text is a list of its lines; card.dat joins them with CR LF.
std::string ReadLines(const Json& lines, const std::string& where)
{
    if (!lines.is_array())
        Fail(where, "must be a list of lines");
    if (lines.size() == 1 && lines[0] == "")
        Fail(where, "an empty text is written as [], not [\"\"]");
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string lineWhere = where + ", line " + std::to_string(i + 1);
        if (!lines[i].is_string())
            Fail(lineWhere, "must be a string");
        const auto& line = lines[i].get_ref<const std::string&>();
        if (line.find_first_of("\r\n") != std::string::npos)
            Fail(lineWhere, "holds a line break; give every line its own string");
        if (i > 0)
            text += kLineEnd;
        text += line;
    }
    return text;
}

const Json& Member(const Json& object, const char* key, const std::string& where)
{
    const auto found = object.find(key);
    if (found == object.end())
        Fail(where, std::string("\"") + key + "\" is missing");
    return *found;
}

CardRecord ReadCard(const Json& card, const std::string& where)
{
    OnlyKeys(card, {"index", "resNum", "size", "color", "agesage", "face", "responses"}, where);
    CardRecord r;
    r.cardIndex = ReadInt(card, "index", where);
    r.resNum = ReadInt(card, "resNum", where);
    r.Size = ReadInt(card, "size", where);
    r.cardColor = ReadInt(card, "color", where);
    r.Agesage = ReadInt(card, "agesage", where);
    r.CardText = ReadLines(Member(card, "face", where), where + ", face");
    const Json& responses = Member(card, "responses", where);
    if (!responses.is_array())
        Fail(where + ", responses", "must be a list");
    if (responses.size() > CardSource::MaxResponses) {
        Fail(where + ", responses", std::to_string(responses.size()) + " responses; a card holds at most " +
                                        std::to_string(CardSource::MaxResponses));
    }
    for (size_t k = 0; k < responses.size(); ++k) {
        const std::string resWhere = where + ", response " + std::to_string(k + 1);
        OnlyKeys(responses[k], {"weight", "text"}, resWhere);
        r.resWeight[k] = ReadInt(responses[k], "weight", resWhere);
        r.ResText[k] = ReadLines(Member(responses[k], "text", resWhere), resWhere + ", text");
    }
    if (!responses.empty() && r.resWeight[responses.size() - 1] == 0 &&
        r.ResText[responses.size() - 1].empty())
        Fail(where + ", response " + std::to_string(responses.size()),
             "empty and never chosen: leave it out");
    return r;
}

// The line (from 1) of a text that holds the byte at pos.
int LineAt(std::string_view text, size_t pos)
{
    int line = 1;
    for (size_t at = text.find(kLineEnd); at != std::string_view::npos && at < pos;
         at = text.find(kLineEnd, at + 2))
        ++line;
    return line;
}

std::string CheckText(std::string_view text)
{
    for (size_t pos = 0; pos < text.size();) {
        const Utf8::Char c = Utf8::Decode(text, pos);
        const std::string_view one = text.substr(pos, static_cast<size_t>(c.length));
        const std::string back = Cp932::ToUtf8(Cp932::FromUtf8(one));
        if (c.code == Utf8::Invalid || back != one) {
            const std::string where = "line " + std::to_string(LineAt(text, pos)) + ": \"" + std::string(one);
            if (back == "?")
                return where + "\" cannot be written in CP932";
            return where + "\" reads back from CP932 as \"" + back + "\"; write that instead";
        }
        pos += static_cast<size_t>(c.length);
    }
    const int bytes = Cp932::ByteLength(text);
    if (bytes > CardSource::MaxTextBytes) {
        return std::to_string(bytes) + " bytes in CP932; a text holds at most " +
               std::to_string(CardSource::MaxTextBytes);
    }
    return "";
}

std::string CheckRecord(const CardRecord& r, int position)
{
    const std::string where = "card " + std::to_string(position);
    if (r.cardIndex != position)
        return where + ": index is " + std::to_string(r.cardIndex) + "; cards are listed in index order";
    // Response cards and the two that post like them carry responses, size and age/sage.
    const bool posts = position < AdminCard || position == AdminCard || position == GodCard;
    if (position < AdminCard && r.resNum < 1)
        return where + ": resNum is " + std::to_string(r.resNum) + "; a response card adds at least 1";
    if (posts && r.Size < 0)
        return where + ": size is " + std::to_string(r.Size) + "; sizes are never negative";
    if (posts && r.Agesage != 0 && r.Agesage != 1)
        return where + ": agesage is " + std::to_string(r.Agesage) + "; it is 0 (age) or 1 (sage)";
    if (position >= AdminCard && r.CardText.empty())
        return where + ": the face is empty; a special or thread card says what it does";
    int64_t total = 0;
    for (int k = 0; k < CardSource::MaxResponses; ++k) {
        if (r.resWeight[k] < 0) {
            return where + ", response " + std::to_string(k + 1) + ": weight is " +
                   std::to_string(r.resWeight[k]) + "; weights are never negative";
        }
        total += r.resWeight[k];
    }
    if (total > INT32_MAX)
        return where + ": the weights add up past 32 bits";
    if (std::string fault = CheckText(r.CardText); !fault.empty())
        return where + ", face, " + fault;
    for (int k = 0; k < CardSource::MaxResponses; ++k) {
        if (std::string fault = CheckText(r.ResText[k]); !fault.empty())
            return where + ", response " + std::to_string(k + 1) + ", " + fault;
    }
    return "";
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    if (text.empty())
        return lines;
    size_t start = 0;
    for (size_t end = text.find(kLineEnd); end != std::string::npos; end = text.find(kLineEnd, start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + kLineEnd.size();
    }
    lines.push_back(text.substr(start));
    return lines;
}

std::string LineList(const std::string& text)
{
    std::string out = "[";
    const std::vector<std::string> lines = Lines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            out += ", ";
        out += Json(lines[i]).dump(-1, ' ', false, Json::error_handler_t::replace);
    }
    return out + "]";
}

// Responses past the last one that holds a text or a weight are not written.
int UsedResponses(const CardRecord& r)
{
    int used = CardSource::MaxResponses;
    while (used > 0 && r.resWeight[used - 1] == 0 && r.ResText[used - 1].empty())
        --used;
    return used;
}

} // namespace

std::string CardSource::Parse(std::string_view json)
{
    try {
        const Json doc = Json::parse(json);
        OnlyKeys(doc, {"cards", "specialTexts"}, "document");
        const Json& cards = Member(doc, "cards", "document");
        if (!cards.is_array() || cards.size() != CardDefCount) {
            Fail("cards", "expected a list of " + std::to_string(CardDefCount) + " definitions, found " +
                              (cards.is_array() ? std::to_string(cards.size()) : std::string("no list")));
        }
        const Json& texts = Member(doc, "specialTexts", "document");
        if (!texts.is_array() || texts.size() != SpecialTextCount) {
            Fail("specialTexts",
                 "expected a list of " + std::to_string(SpecialTextCount) + " texts, found " +
                     (texts.is_array() ? std::to_string(texts.size()) : std::string("no list")));
        }
        CardSource read;
        for (int i = 0; i < CardDefCount; ++i)
            read.cardDefs[i] = ReadCard(cards[i], "card " + std::to_string(i));
        for (int i = 0; i < SpecialTextCount; ++i)
            read.specialTexts[i] = ReadLines(texts[i], "special text " + std::to_string(i));
        if (std::string fault = read.Check(); !fault.empty())
            return fault;
        *this = std::move(read);
        return "";
    } catch (const Json::parse_error& error) {
        return std::string("not valid JSON: ") + error.what();
    } catch (const SourceError& error) {
        return error.message;
    }
}

std::string CardSource::Check() const
{
    for (int i = 0; i < CardDefCount; ++i) {
        if (std::string fault = CheckRecord(cardDefs[i], i); !fault.empty())
            return fault;
    }
    for (int i = 0; i < SpecialTextCount; ++i) {
        if (std::string fault = CheckText(specialTexts[i]); !fault.empty())
            return "special text " + std::to_string(i) + ", " + fault;
    }
    return "";
}

std::string CardSource::Dump() const
{
    std::string out = "{\n  \"cards\": [\n";
    for (int i = 0; i < CardDefCount; ++i) {
        const CardRecord& r = cardDefs[i];
        out += "    {\n";
        out += "      \"index\": " + std::to_string(r.cardIndex) + ",\n";
        out += "      \"resNum\": " + std::to_string(r.resNum) + ",\n";
        out += "      \"size\": " + std::to_string(r.Size) + ",\n";
        out += "      \"color\": " + std::to_string(r.cardColor) + ",\n";
        out += "      \"agesage\": " + std::to_string(r.Agesage) + ",\n";
        out += "      \"face\": " + LineList(r.CardText) + ",\n";
        const int used = UsedResponses(r);
        if (used == 0) {
            out += "      \"responses\": []\n";
        } else {
            out += "      \"responses\": [\n";
            for (int k = 0; k < used; ++k) {
                out += "        { \"weight\": " + std::to_string(r.resWeight[k]) +
                       ", \"text\": " + LineList(r.ResText[k]) + " }";
                out += k + 1 < used ? ",\n" : "\n";
            }
            out += "      ]\n";
        }
        out += i + 1 < CardDefCount ? "    },\n" : "    }\n";
    }
    out += "  ],\n  \"specialTexts\": [\n";
    for (int i = 0; i < SpecialTextCount; ++i) {
        out += "    " + LineList(specialTexts[i]);
        out += i + 1 < SpecialTextCount ? ",\n" : "\n";
    }
    out += "  ]\n}\n";
    return out;
}
