#include "platform/headless/HeadlessScript.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <sstream>

namespace {

// Not std::from_chars: the web build's C++ library reads no floating-point numbers with it. A sign
// must be a minus, as from_chars has it.
bool ParseWord(const std::string& word, double& value)
{
    if (word.empty() || word[0] == '+')
        return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtod(word.c_str(), &end);
    return errno == 0 && end == word.c_str() + word.size();
}

template <typename Number> bool ParseWord(const std::string& word, Number& value)
{
    const char* end = word.data() + word.size();
    const auto result = std::from_chars(word.data(), end, value);
    return result.ec == std::errc() && result.ptr == end;
}

template <typename Number> bool ReadValue(std::istringstream& words, Number& value)
{
    std::string word;
    return (words >> word) && ParseWord(word, value);
}

bool ParseCommand(const std::string& command, std::istringstream& words, InputEvent& event)
{
    if (command == "key") {
        int keyCode = 0;
        if (!ReadValue(words, keyCode))
            return false;
        event = InputEvent::Key(keyCode);
    } else if (command == "click") {
        double x = 0;
        double y = 0;
        int button = 1;
        if (!ReadValue(words, x) || !ReadValue(words, y))
            return false;
        std::string buttonWord;
        if ((words >> buttonWord) &&
            (!ParseWord(buttonWord, button) || (button != 1 && button != 2 && button != 4)))
            return false;
        event = InputEvent::Click(x, y, button);
    } else if (command == "move") {
        double x = 0;
        double y = 0;
        if (!ReadValue(words, x) || !ReadValue(words, y))
            return false;
        event = InputEvent::Move(x, y);
    } else if (command == "dblclick") {
        event = InputEvent::DoubleClick();
    } else if (command == "close") {
        event = InputEvent::Close();
    } else if (command == "minimize") {
        event = InputEvent::Minimize();
    } else if (command == "restore") {
        event = InputEvent::Restore();
    } else {
        return false;
    }
    std::string extra;
    return !(words >> extra);
}

} // namespace

HeadlessScript ParseHeadlessScript(std::string_view text)
{
    HeadlessScript script;
    std::istringstream lines{std::string(text)};
    std::string line;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::istringstream words(line);
        std::string first;
        if (!(words >> first) || first.front() == '#')
            continue;
        uint32_t atMs = 0;
        std::string command;
        InputEvent event;
        if (!ParseWord(first, atMs) || !(words >> command) || !ParseCommand(command, words, event)) {
            script.error = "line " + std::to_string(lineNumber) + ": " + line;
            script.events.clear();
            return script;
        }
        script.events.push_back({atMs, event});
    }
    return script;
}
