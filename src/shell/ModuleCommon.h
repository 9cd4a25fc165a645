#pragma once

#include <cstdint>

// The six areas of the 800 x 600 board; right and bottom exclusive.
struct AreaRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
};

constexpr int AreaSide = 0;
constexpr int AreaThreadList = 1;
constexpr int AreaScore = 2;
constexpr int AreaThreadView = 3;
constexpr int AreaSelected = 4;
constexpr int AreaHand = 5;

// Any other index gives four zeros.
AreaRect GetArea(int index);

inline void Swap(int32_t& a, int32_t& b)
{
    const int32_t t = a;
    a = b;
    b = t;
}

inline int32_t Max(int32_t a, int32_t b)
{
    return b < a ? a : b;
}

inline int32_t Min(int32_t a, int32_t b)
{
    return b < a ? b : a;
}

// Real to integer the way the rules convert: to nearest, halves to even.
int32_t RoundHalfEven(double value);
