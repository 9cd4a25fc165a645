#pragma once

#include <array>
#include <string>

struct FontFile {
    std::string path;
    int index = 0;
};

// The files of the two Gothic faces: the proportional one first, then the fixed one. Throws
// std::runtime_error, with a message fit for the player, when there is none.
std::array<FontFile, 2> GothicFontFiles();
