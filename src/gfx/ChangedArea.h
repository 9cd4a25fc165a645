#pragma once

#include "gfx/Geometry.h"

#include <cstdint>

// The smallest block of the width x height corner holding every pixel where two frames differ;
// empty when they are equal. before is packed, after has rows stride words apart.
// A present sends only this block, so an animation step that moves one card costs next to nothing.
Rect ChangedArea(const uint32_t* before, const uint32_t* after, int stride, int width, int height);
