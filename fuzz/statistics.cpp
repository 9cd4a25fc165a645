// The statistics file as the program reads it: any bytes are refused with a reason, or give the
// file's own figures, which print, take more games and write back to a file that reads as the same.
// The bytes are tried as the whole file and, since the checksum turns away nearly every change to
// a body, as the body under a good first line.
#include "keep/Statistics.h"

#include "FuzzCheck.h"
#include "keep/Envelope.h"
#include "rules/RuleConstants.h"

#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace {

using Json = nlohmann::json;

Json Body(std::string_view file)
{
    std::string why;
    const std::optional<std::string> body = Envelope::Open(Statistics::Kind, Statistics::Version, file, why);
    FUZZ_CHECK(body);
    return Json::parse(*body, nullptr, false);
}

// Every figure the program writes is the one it read: none wrapped, cut or made up on the way.
void CheckFigures(const Json& read, const Json& written)
{
    for (size_t i = 0; i < Statistics::GameCount; ++i) {
        for (const auto& [key, value] : written["games"][i].items())
            FUZZ_CHECK(read["games"][i].contains(key) && read["games"][i][key].dump() == value.dump());
    }
    FUZZ_CHECK(read.contains("daily") == written.contains("daily"));
    if (written.contains("daily")) {
        // The mode keeps only the bits that choose a game, by design.
        for (const char* key : {"date", "rank", "score"})
            FUZZ_CHECK(read["daily"][key].dump() == written["daily"][key].dump());
    }
}

void Check(std::string_view file)
{
    std::string why;
    std::optional<Statistics> stats = Statistics::Parse(file, why);
    if (!stats) {
        FUZZ_CHECK(!why.empty());
        return;
    }
    const std::string saved = stats->Serialize();
    CheckFigures(Body(file), Body(saved));
    const std::optional<Statistics> again = Statistics::Parse(saved, why);
    FUZZ_CHECK(again && again->Serialize() == saved);

    FUZZ_CHECK(!stats->Text().empty());
    const Statistics::Result result{2, 130, 1, 1, 50};
    for (const int mode : {0, 1, 2, 3, ModeExtra, ModeExtra + 1, ModeExtra + 2, ModeExtra + 3}) {
        stats->AddFinished(mode, result);
        stats->AddAbandoned(mode);
    }
    stats->AddDaily("2038-01-19", ModeHarsh, result);
    FUZZ_CHECK(!stats->Text().empty());
    FUZZ_CHECK(Statistics::Parse(stats->Serialize(), why));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Check(bytes);
    Check(Envelope::Seal(Statistics::Kind, Statistics::Version, bytes));
    return 0;
}
