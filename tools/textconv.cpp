// Turns the UTF-8 texts written under assets/ into the CP932 files with CR LF line ends that the
// game reads, and assembles resource.ini.
//   textconv IN OUT                      (one text file)
//   textconv ini TEMPLATE OUT [MIDI]     (resource.ini: the template with the lines of the music
//                                         fragment, when there is one, added to its [MIDI] section)

#include "platform/FileSystem.h"
#include "text/Cp932.h"
#include "text/Utf8.h"

#include <cctype>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

struct ConvertError {
    std::string message;
};

// The lines of a UTF-8 text (LF or CR LF ends), and whether the last one was ended.
struct Lines {
    std::vector<std::string> lines;
    bool endsWithBreak = false;
};

Lines SplitLines(std::string_view text)
{
    Lines out;
    if (text.substr(0, kBom.size()) == kBom)
        text.remove_prefix(kBom.size());
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            out.lines.emplace_back(text.substr(start));
            return out;
        }
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        out.lines.emplace_back(line);
        start = end + 1;
    }
    out.endsWithBreak = !out.lines.empty();
    return out;
}

std::string LineToCp932(const std::string& path, size_t number, const std::string& line)
{
    const std::string where = path + ":" + std::to_string(number) + ": ";
    for (size_t pos = 0; pos < line.size();) {
        const Utf8::Char c = Utf8::Decode(line, pos);
        const std::string one = line.substr(pos, static_cast<size_t>(c.length));
        if (c.code == Utf8::Invalid && c.length == 1)
            throw ConvertError{where + "byte " + std::to_string(pos + 1) + " is not UTF-8"};
        if (c.code == '\r')
            throw ConvertError{where + "a carriage return inside the line"};
        const std::string back = Cp932::ToUtf8(Cp932::FromUtf8(one));
        if (back == "?" && one != "?")
            throw ConvertError{where + "\"" + one + "\" cannot be written in CP932"};
        if (back != one)
            throw ConvertError{where + "\"" + one + "\" reads back from CP932 as \"" + back +
                               "\"; write that instead"};
        pos += static_cast<size_t>(c.length);
    }
    return Cp932::FromUtf8(line);
}

std::string ToCp932(const std::string& path, const Lines& text)
{
    std::string out;
    for (size_t i = 0; i < text.lines.size(); ++i) {
        out += LineToCp932(path, i + 1, text.lines[i]);
        if (i + 1 < text.lines.size() || text.endsWithBreak)
            out += "\r\n";
    }
    return out;
}

std::string Read(const std::string& path)
{
    std::optional<std::string> bytes = FileSystem::ReadFile(path);
    if (!bytes)
        throw ConvertError{path + ": cannot be read"};
    return *bytes;
}

void Write(const std::string& path, const std::string& bytes)
{
    // A half-written file must not pass for a converted one.
    const std::string partPath = path + ".part";
    if (!FileSystem::WriteFile(partPath, bytes) || std::rename(partPath.c_str(), path.c_str()) != 0) {
        FileSystem::RemoveFile(partPath);
        throw ConvertError{path + ": cannot be written"};
    }
}

bool IsSectionHeader(std::string_view line)
{
    const size_t first = line.find_first_not_of(" \t");
    return first != std::string_view::npos && line[first] == '[';
}

bool IsMidiHeader(std::string_view line)
{
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return false;
    std::string name(line.substr(first));
    for (char& c : name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name.starts_with("[MIDI]");
}

// The fragment's lines go at the end of the template's [MIDI] section, after its documentation.
Lines AssembleIni(const std::string& templatePath, const Lines& ini, const std::optional<Lines>& midi)
{
    if (!midi)
        return ini;
    std::vector<std::string> added;
    for (const std::string& line : midi->lines) {
        if (!IsMidiHeader(line))
            added.push_back(line);
    }
    while (!added.empty() && added.back().empty())
        added.pop_back();
    size_t section = 0;
    while (section < ini.lines.size() && !IsMidiHeader(ini.lines[section]))
        ++section;
    if (section == ini.lines.size())
        throw ConvertError{templatePath + ": has no [MIDI] section for the music lines"};
    size_t end = section + 1;
    while (end < ini.lines.size() && !IsSectionHeader(ini.lines[end]))
        ++end;
    // Blank lines that close the section stay after the added lines.
    size_t at = end;
    while (at > section + 1 && ini.lines[at - 1].empty())
        --at;
    Lines out = ini;
    out.lines.insert(out.lines.begin() + static_cast<std::ptrdiff_t>(at), added.begin(), added.end());
    out.endsWithBreak = true;
    return out;
}

int Run(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2) {
        Write(args[1], ToCp932(args[0], SplitLines(Read(args[0]))));
        return 0;
    }
    if ((args.size() == 3 || args.size() == 4) && args[0] == "ini") {
        std::optional<Lines> midi;
        if (args.size() == 4 && FileSystem::FileLength(args[3]) >= 0) {
            midi = SplitLines(Read(args[3]));
            ToCp932(args[3], *midi);
        }
        Write(args[2], ToCp932(args[1], AssembleIni(args[1], SplitLines(Read(args[1])), midi)));
        return 0;
    }
    std::cerr << "usage: textconv IN OUT\n"
                 "       textconv ini TEMPLATE OUT [MIDI_FRAGMENT]\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        return Run(argc, argv);
    } catch (const ConvertError& error) {
        std::cerr << error.message << "\n";
        return 1;
    }
}
