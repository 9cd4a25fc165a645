#pragma once

#include <string>
#include <string_view>

// Reads one value of an .ini file (CP932): sections and keys match without regard to
// case, blanks around names and values are trimmed, a missing file, section or key gives "".
// Values of any length are read whole. The result is UTF-8.
std::string ReadIniValue(const std::string& path, std::string_view section, std::string_view key);
// The same, from the file's bytes.
std::string FindIniValue(std::string_view content, std::string_view section, std::string_view key);
