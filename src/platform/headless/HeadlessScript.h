#pragma once

#include "platform/InputEvent.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A scripted run: one command a line, "<ms> key <vk>", "<ms> click <x> <y> [button]",
// "<ms> dblclick", "<ms> move <x> <y>", "<ms> close", "<ms> minimize", "<ms> restore", where <ms>
// counts from the start of the run. Blank lines and lines starting with '#' are skipped.
struct ScriptedEvent {
    uint32_t atMs = 0;
    InputEvent event;
};

struct HeadlessScript {
    std::vector<ScriptedEvent> events;
    // Empty when the whole script was understood; else names the first bad line.
    std::string error;
};

HeadlessScript ParseHeadlessScript(std::string_view text);
