// resource.ini: any bytes give, for every key the game asks for, a UTF-8 value on one line without
// surrounding blanks, and every wait read from it is a number.
#include "FuzzCheck.h"
#include "shell/Consts.h"
#include "text/IniFile.h"
#include "text/Utf8.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

struct Key {
    const char* section;
    const char* key;
};

constexpr Key kKeys[] = {
    {"WAIT", "PopMove"},    {"WAIT", "PopShow"},   {"WAIT", "BarClear"},  {"WAIT", "CompNext"},
    {"WAIT", "CompThread"}, {"WAIT", "CardMove"},  {"NAME", "Name1"},     {"NAME", "Name2"},
    {"NAME", "Name3"},      {"NAME", "Name4"},     {"NAME", "Name5"},     {"NAME", "Name6"},
    {"NAME", "Name7"},      {"NAME", "Name8"},     {"MIDI", "MidiPath1"}, {"MIDI", "MidiPath2"},
    {"MIDI", "MidiPath3"},  {"MIDI", "MidiPath4"}, {"MIDI", "MidiPath5"}, {"MIDI", "MidiEnding"},
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    for (const Key& key : kKeys) {
        const std::string value = FindIniValue(content, key.section, key.key);
        FUZZ_CHECK(Utf8::IsValid(value));
        FUZZ_CHECK(value.find_first_of("\r\n") == std::string::npos);
        if (!value.empty()) {
            FUZZ_CHECK(value.front() != ' ' && value.front() != '\t');
            FUZZ_CHECK(value.back() != ' ' && value.back() != '\t');
        }
        // Empty means "the default"; anything else is read as a number (the sanitizers watch it).
        if (std::string_view(key.section) == "WAIT" && Consts::ParseWait(value) == -1)
            FUZZ_CHECK(value.empty() || value.front() == '-');
    }
    // The whole input as a wait, with whatever blanks, signs and digits it holds.
    if (!content.empty())
        Consts::ParseWait(std::string(content));
    return 0;
}
