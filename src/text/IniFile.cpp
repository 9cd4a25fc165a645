#include "text/IniFile.h"

#include "platform/FileSystem.h"
#include "text/Cp932.h"
#include "text/Utf8.h"

#include <optional>

namespace {

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    }
    return true;
}

// Matching quotes around a whole value are not part of it.
std::string_view Unquote(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// Splits at CR LF, LF or CR; calls visit(line) until it returns a value.
template <typename Visit> std::optional<std::string> ForEachLine(std::string_view text, Visit visit)
{
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        const std::string_view line = text.substr(start, end == std::string_view::npos ? end : end - start);
        if (auto found = visit(line))
            return found;
        if (end == std::string_view::npos)
            break;
        start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    return std::nullopt;
}

// Works on UTF-8 text: once converted, no trail byte of a double-byte character can pass for a
// bracket or an ASCII letter.
std::string FindValue(std::string_view text, std::string_view section, std::string_view key)
{
    enum class Where { BeforeSection, OtherSection, Wanted, Done };
    Where where = Where::BeforeSection;
    auto found = ForEachLine(text, [&](std::string_view raw) -> std::optional<std::string> {
        const std::string_view line = Trim(raw);
        if (line.empty() || line.front() == ';')
            return std::nullopt;
        if (line.front() == '[') {
            const auto close = line.find(']');
            const std::string_view name =
                Trim(line.substr(1, close == std::string_view::npos ? close : close - 1));
            if (where == Where::Wanted)
                where = Where::Done;
            else if (where != Where::Done)
                where = SameName(name, section) ? Where::Wanted : Where::OtherSection;
            return where == Where::Done ? std::optional<std::string>("") : std::nullopt;
        }
        if (where != Where::Wanted)
            return std::nullopt;
        const auto equals = line.find('=');
        if (equals == std::string_view::npos || !SameName(Trim(line.substr(0, equals)), key))
            return std::nullopt;
        return std::string(Unquote(Trim(line.substr(equals + 1))));
    });
    return found.value_or("");
}

} // namespace

std::string ReadIniValue(const std::string& path, std::string_view section, std::string_view key)
{
    const auto bytes = FileSystem::ReadFile(path);
    return bytes ? FindIniValue(*bytes, section, key) : "";
}

std::string FindIniValue(std::string_view content, std::string_view section, std::string_view key)
{
    if (key.empty())
        return "";
    if (content.starts_with(Utf8Bom))
        return FindValue(Utf8::Repaired(content.substr(Utf8Bom.size())), section, key);
    return FindValue(Cp932::ToUtf8(content), section, key);
}
