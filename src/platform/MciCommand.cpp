#include "platform/MciCommand.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace {

std::string Lower(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

std::vector<std::string> Words(std::string_view text)
{
    std::vector<std::string> words;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == ' ')
            ++i;
        const size_t start = i;
        while (i < text.size() && text[i] != ' ')
            ++i;
        if (i > start)
            words.emplace_back(text.substr(start, i - start));
    }
    return words;
}

} // namespace

std::optional<MciCommand> MciCommand::Parse(std::string_view text)
{
    const std::vector<std::string> words = Words(text);
    if (words.size() < 2)
        return std::nullopt;
    const std::string verb = Lower(words[0]);

    if (verb == "open") {
        // The file may hold blanks (and even quotes); the alias is whatever follows the last
        // closing quote and the word "alias".
        const size_t open = text.find('"');
        const size_t close = text.rfind('"');
        if (open == std::string_view::npos || close <= open)
            return std::nullopt;
        const std::vector<std::string> tail = Words(text.substr(close + 1));
        if (tail.size() != 2 || Lower(tail[0]) != "alias")
            return std::nullopt;
        const std::string file(text.substr(open + 1, close - open - 1));
        if (file.empty())
            return std::nullopt;
        return MciCommand{Verb::Open, Lower(tail[1]), file};
    }
    if (verb == "status" && words.size() == 3 && Lower(words[2]) == "mode")
        return MciCommand{Verb::Status, Lower(words[1]), ""};
    if (verb == "play" &&
        (words.size() == 2 || (words.size() >= 4 && Lower(words[2]) == "from" && words[3] == "0")))
        return MciCommand{Verb::Play, Lower(words[1]), ""};
    if (verb == "stop" && words.size() == 2)
        return MciCommand{Verb::Stop, Lower(words[1]), ""};
    if (verb == "close" && words.size() == 2)
        return MciCommand{Verb::Close, Lower(words[1]), ""};
    return std::nullopt;
}
