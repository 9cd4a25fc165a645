#pragma once

#include <string>

class Picture;

// Saves the picture as a 24-bit PNG file; false when the file cannot be written or the picture
// holds no pixels.
bool WritePng(const Picture& picture, const std::string& path);
// Saves only the picture's top-left width x height, as a window shows it; false as above, and when
// the picture is smaller than that.
bool WritePng(const Picture& picture, const std::string& path, int width, int height);
// Saves one drawing, made once over black and once over white, as a 32-bit PNG whose transparency
// is what the two tell apart: untouched pixels clear, smoothed edges partly covered.
bool WritePngWithAlpha(const Picture& onBlack, const Picture& onWhite, const std::string& path);
