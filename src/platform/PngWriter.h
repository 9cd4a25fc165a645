#pragma once

#include <string>

class Picture;

// Saves the picture as a 24-bit PNG file; false when the file cannot be written or the picture
// holds no pixels.
bool WritePng(const Picture& picture, const std::string& path);
