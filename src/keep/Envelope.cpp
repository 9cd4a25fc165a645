#include "keep/Envelope.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <nlohmann/json.hpp>

namespace Envelope {

uint64_t Hash(std::string_view bytes)
{
    uint64_t hash = 0xCBF29CE484222325ULL;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001B3ULL;
    }
    return hash;
}

std::string Checksum(std::string_view bytes)
{
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(Hash(bytes)));
    return text;
}

std::string Seal(std::string_view kind, int version, std::string_view body)
{
    return std::string(kind) + " " + std::to_string(version) + " " + Checksum(body) + "\n" +
           std::string(body);
}

std::optional<std::string> Open(std::string_view kind, int version, std::string_view bytes, std::string& why)
{
    why = "damaged";
    const size_t lineEnd = bytes.find('\n');
    if (lineEnd == std::string_view::npos)
        return std::nullopt;
    const std::string_view header = bytes.substr(0, lineEnd);
    const std::string_view body = bytes.substr(lineEnd + 1);
    if (header.size() < kind.size() + 1 || header.substr(0, kind.size()) != kind ||
        header[kind.size()] != ' ')
        return std::nullopt;
    const std::string_view rest = header.substr(kind.size() + 1);
    const size_t space = rest.find(' ');
    if (space == std::string_view::npos)
        return std::nullopt;
    int found = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + space, found);
    if (error != std::errc() || end != rest.data() + space)
        return std::nullopt;
    if (found != version) {
        why = "another version (" + std::to_string(found) + ")";
        return std::nullopt;
    }
    if (rest.substr(space + 1) != Checksum(body))
        return std::nullopt;
    return std::string(body);
}

std::optional<nlohmann::json> OpenObject(std::string_view kind, int version, std::string_view bytes,
                                         std::string& why, int older, int* read)
{
    std::optional<std::string> text = Open(kind, version, bytes, why);
    int opened = version;
    if (!text && older != 0 && why == "another version (" + std::to_string(older) + ")") {
        text = Open(kind, older, bytes, why);
        opened = older;
    }
    if (!text)
        return std::nullopt;
    why = "damaged";
    nlohmann::json body = nlohmann::json::parse(*text, nullptr, false);
    if (!body.is_object())
        return std::nullopt;
    if (read != nullptr)
        *read = opened;
    return body;
}

} // namespace Envelope
