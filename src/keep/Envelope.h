#pragma once

#include <cstdint>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>
#include <string_view>

// The first line of every kept file: what it is, the version of its format and a checksum of the
// rest, so that a damaged or cut file is told from a good one before anything in it is believed.
//     pakaponta-game 1 0123456789abcdef
namespace Envelope {

std::string Seal(std::string_view kind, int version, std::string_view body);
// The body, or nullopt with why it cannot be used ("damaged", "another version").
std::optional<std::string> Open(std::string_view kind, int version, std::string_view bytes, std::string& why);
// The body as a JSON object, or nullopt with why. A record of the version before (older, when not
// 0) is opened too, for its reader to take up; read tells which version it was.
std::optional<nlohmann::json> OpenObject(std::string_view kind, int version, std::string_view bytes,
                                         std::string& why, int older = 0, int* read = nullptr);
// 64-bit FNV-1a: fixed and portable, so files and daily deals agree between the window and the page.
uint64_t Hash(std::string_view bytes);
// Hash as 16 hexadecimal digits.
std::string Checksum(std::string_view bytes);

} // namespace Envelope
