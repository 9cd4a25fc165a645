#pragma once

#include <array>
#include <string>
#include <string_view>

// The winner's ending: 0..2 the design-discussion posts that fade in and out, 3 the title, 4..13 the
// staff-roll posts. Lines end in CR LF.
std::array<std::string, 14> BuildEndingTexts(std::string_view makerName);

// Shown under the last staff-roll post and at the foot of the closing screen.
std::string_view MakerNotice();
