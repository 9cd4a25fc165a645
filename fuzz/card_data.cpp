// card.dat as the loader reads it: any bytes are refused or give tables that the game can use and
// that write back to a file which reads as the same tables.
#include "FuzzCheck.h"
#include "data/FileLoader.h"
#include "rules/Rules.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

bool Same(const CardRecord& a, const CardRecord& b)
{
    return a.cardIndex == b.cardIndex && a.resNum == b.resNum && a.Size == b.Size &&
           a.cardColor == b.cardColor && a.Agesage == b.Agesage && a.CardText == b.CardText &&
           a.ResText == b.ResText && a.resWeight == b.resWeight;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    CardFile::Defs raw;
    CardFile::Texts rawTexts;
    const bool readable = CardFile::Read(bytes, raw, rawTexts);

    CardFile::Defs defs;
    CardFile::Texts texts;
    const bool accepted = FileLoader::ParseCardData(bytes, defs, texts);
    // What the rules refuse may still be laid out correctly, never the other way round.
    FUZZ_CHECK(!accepted || readable);
    if (!accepted) {
        FUZZ_CHECK(defs[0].CardText.empty() && texts[0].empty());
        return 0;
    }

    const std::string saved = FileLoader::SerializeCardData(defs, texts);
    CardFile::Defs again;
    CardFile::Texts againTexts;
    FUZZ_CHECK(FileLoader::ParseCardData(saved, again, againTexts));
    for (int index = 0; index < CardDefCount; ++index)
        FUZZ_CHECK(Same(again[index], defs[index]));
    FUZZ_CHECK(againTexts == texts);

    // Every card of a game with a few response draws each, as the rules draw them.
    const RuleTables tables(defs, texts);
    MatchState state;
    state.rng = Rng(static_cast<uint64_t>(size), true);
    Rules rules(tables, state);
    for (int cardNo = 0; cardNo < CardInstances; ++cardNo) {
        const auto& sums = tables.RunningWeights(rules.CardDef(cardNo));
        for (size_t i = 1; i < sums.size(); ++i)
            FUZZ_CHECK(sums[i] >= sums[i - 1]);
        for (int draw = 0; draw < 4; ++draw) {
            const TextRef text = rules.CardResText(cardNo);
            FUZZ_CHECK(sums[4] != 0 || text.kind == TextRef::None);
            FUZZ_CHECK(text.kind == TextRef::None || (text.b >= 0 && text.b < 5));
        }
    }
    return 0;
}
