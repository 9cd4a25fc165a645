// A kept game's state as MatchRecord reads it: any JSON is refused with a one-line reason, or gives a
// state that writes back to itself and that the rules play to its end (without reading outside an
// array or waiting forever), an end that keeps too. Random bytes almost never make a record, so
// most mutations edit a few fields of one, starting from games played in each mode.
#include "FuzzCheck.h"
#include "keep/MatchRecord.h"
#include "rules/Playout.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

namespace {

using Json = nlohmann::json;

constexpr int32_t Date = 28000000;

// Cards of every family, with figures and empty texts spread as the shipped ones are.
const RuleTables& Tables()
{
    static const RuleTables tables = [] {
        std::array<CardRecord, CardDefCount> defs{};
        for (int i = 0; i < CardDefCount; ++i) {
            defs[i].cardIndex = i;
            defs[i].resNum = i < AdminCard ? std::array{1, 10, 50, 100}[i % 4] : 1;
            defs[i].Size = i < AdminCard ? 1 + (i % 5) * 24 : 0;
            defs[i].Agesage = i % 3 == 0 ? 1 : 0;
            defs[i].ResText = {"a", "b", "", "d", "e"};
            defs[i].resWeight = {1, 2, 1, 0, 3};
        }
        std::array<std::string, SpecialTextCount> texts;
        texts.fill("special");
        return RuleTables(defs, texts);
    }();
    return tables;
}

const ThreadLibrary& Library()
{
    static const ThreadLibrary library = [] {
        ThreadLibrary l;
        for (int f = 0; f < 60; ++f)
            l.pieces[3 * f] = static_cast<int16_t>(3 + f % 25);
        l.poolEmpty.assign(300, false);
        return l;
    }();
    return library;
}

const std::vector<Json>& Starts()
{
    static const std::vector<Json> starts = [] {
        std::vector<Json> records;
        const Playout playout(Tables(), Library());
        for (const int mode : {0, ModeDeck | ModeHarsh, ModeHarsh | ModeExtra, ModeDeck | ModeExtra}) {
            // Early and late: late games play on quickly, so more edits are tried.
            for (const int turns : {10 + mode, 150}) {
                MatchState state;
                state.rng = Rng(static_cast<uint64_t>(mode + turns), true);
                playout.Deal(state, mode, Date);
                Rules rules(Tables(), state);
                for (int turn = 0; turn < turns && playout.Turn(rules); ++turn) {
                }
                records.emplace_back(MatchRecord::Write(state));
            }
        }
        // The deck preview of a game after a finished one: its cards dealt, the hands not yet.
        MatchState state;
        state.rng = Rng(7, true);
        playout.Deal(state, ModeDeck | ModeExtra, Date);
        playout.Finish(state, Date);
        Rules rules(Tables(), state);
        state.GameMode = ModeDeck | ModeHarsh;
        rules.BeginDeal();
        rules.DealCards(DealThreads(state.rng, Library()));
        rules.ShowDeck(0);
        records.emplace_back(MatchRecord::Write(state));
        return records;
    }();
    return starts;
}

// What an edited file might hold in place of old: mostly a neighbour or a small number, where most
// fields live, so that many edited records are read and played on; else a number at the edge of one
// of the record's ranges, any number up to a thousand and more, or a value of another type.
Json Replacement(const Json& old, std::minstd_rand& random)
{
    static const std::array<Json, 32> Edges = {
        -2, -1, 0,  1,  2,  3,   4,   5,   6,   7,    8,         9,         10,        11,         12,  19,
        20, 44, 45, 50, 58, 200, 246, 328, 513, 1002, INT32_MAX, INT32_MIN, INT64_MAX, UINT64_MAX, 1.5, "7"};
    const bool signedNumber =
        old.is_number_integer() && (!old.is_number_unsigned() || old.get<uint64_t>() <= INT64_MAX);
    switch (random() % 8) {
    case 0:
    case 1:
    case 2:
        if (signedNumber) {
            const int64_t value = old.get<int64_t>();
            return random() % 2 == 0 ? value - (value > INT64_MIN) : value + (value < INT64_MAX);
        }
        return Edges[random() % Edges.size()];
    case 3:
        return static_cast<int>(random() % 15) - 2;
    case 4:
        return static_cast<int>(random() % 1104) - 2;
    case 5:
        return Edges[random() % Edges.size()];
    default: {
        static constexpr std::string_view Letters =
            "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz/+*";
        std::string text(random() % 10, ' ');
        for (char& c : text)
            c = Letters[random() % Letters.size()];
        return random() % 2 == 0 ? Json(text) : Json(random() % 2 == 0);
    }
    }
}

// A field to edit: half the time any, else one of a part of the record chosen first, so that the few
// fields at the top and of the players are edited about as often as the many of the deal and posts.
Json::iterator Pick(Json& flat, const Json& record, std::minstd_rand& random)
{
    const auto any = [&] {
        return std::next(flat.begin(), static_cast<std::ptrdiff_t>(random() % flat.size()));
    };
    if (random() % 2 == 0)
        return any();
    const std::string part =
        "/" + std::next(record.begin(), static_cast<std::ptrdiff_t>(random() % record.size())).key();
    std::vector<Json::iterator> fields;
    for (auto it = flat.begin(); it != flat.end(); ++it) {
        if (it.key() == part || it.key().rfind(part + "/", 0) == 0)
            fields.push_back(it);
    }
    return fields.empty() ? any() : fields[random() % fields.size()];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Json json = Json::parse(data, data + size, nullptr, false);
    std::string why;
    const std::optional<MatchState> state = MatchRecord::Read(json, why);
    if (!state) {
        FUZZ_CHECK(!why.empty() && why.find('\n') == std::string::npos);
        return 0;
    }
    const std::optional<MatchState> again = MatchRecord::Read(Json(MatchRecord::Write(*state)), why);
    FUZZ_CHECK(again && *again == *state);

    MatchState played = *state;
    // A quarter of the inputs post at the hour that changes the response's text.
    const int32_t date = Date + (size % 4 == 0 ? 23 * 60 : 0);
    if (played.cards.drawCount == 0) {
        // Kept at the deck preview: the game goes on by dealing the hands and the opening threads.
        Rules rules(Tables(), played);
        rules.DealHands();
        for (const int player : rules.OpeningOrder())
            rules.OpenThread(player, date);
        for (const int player : rules.OpeningOrder())
            rules.DrawOpening(player);
    }
    Playout(Tables(), Library()).Finish(played, date);
    FUZZ_CHECK(MatchRecord::Read(Json(MatchRecord::Write(played)), why));
    return 0;
}

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize, unsigned int seed)
{
    std::minstd_rand random(seed);
    // Now and then the bytes themselves, for the parser and for shapes no edit of a field makes.
    if (random() % 8 == 0)
        return LLVMFuzzerMutate(data, size, maxSize);
    Json record = Json::parse(data, data + size, nullptr, false);
    if (!record.is_object() || record.empty())
        record = Starts()[random() % Starts().size()];
    Json flat = record.flatten();
    for (int edits = 1 + static_cast<int>(random() % 3); edits > 0 && !flat.empty(); --edits) {
        const auto field = Pick(flat, record, random);
        switch (random() % 8) {
        case 0:
            flat.erase(field);
            break;
        case 1:
            field.value() =
                std::next(flat.begin(), static_cast<std::ptrdiff_t>(random() % flat.size())).value();
            break;
        default:
            field.value() = Replacement(field.value(), random);
            break;
        }
    }
    std::string text;
    try {
        text = flat.unflatten().dump();
    } catch (const Json::exception&) {
        // Keys that name both a list and an object: a shape only byte mutation made.
        return LLVMFuzzerMutate(data, size, maxSize);
    }
    if (text.size() > maxSize)
        return LLVMFuzzerMutate(data, size, maxSize);
    std::memcpy(data, text.data(), text.size());
    return text.size();
}
