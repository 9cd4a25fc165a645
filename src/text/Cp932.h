#pragma once

#include <string>
#include <string_view>

// The data files are in CP932 (Shift-JIS with the NEC and IBM extensions); the program works in UTF-8.
// Conversion happens only where files are read or written.
namespace Cp932 {

// A byte sequence that is not valid CP932 becomes '?', so a damaged file still loads.
std::string ToUtf8(std::string_view cp932);
// A character CP932 cannot hold becomes '?'.
std::string FromUtf8(std::string_view utf8);
// Length of the text in CP932 bytes, without converting it.
int ByteLength(std::string_view utf8);
// The longest prefix of the text whose CP932 form is at most maxBytes long.
std::string_view PrefixOfBytes(std::string_view utf8, int maxBytes);

} // namespace Cp932
