#pragma once

// The two Gothic faces the game draws with: proportional and fixed-width.
enum class FontFace { PGothic, Gothic };
