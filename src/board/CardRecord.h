#pragma once

#include <array>
#include <cstdint>
#include <string>

// One card definition as card.dat stores it. Texts are UTF-8 here; the file holds CP932.
struct CardRecord {
    int32_t cardIndex = 0;
    int32_t resNum = 0;
    int32_t Size = 0;
    int32_t cardColor = 0;
    int32_t Agesage = 0;
    std::string CardText;
    std::array<std::string, 5> ResText;
    std::array<int32_t, 5> resWeight{};
};

constexpr int CardDefCount = 58;
constexpr int SpecialTextCount = 50;

// Definition indices with an effect beyond adding responses.
constexpr int SecondPostCard = 0; // also 1, 6, 7
constexpr int FestivalCard = 2;   // also 12
constexpr int CalmDownCard = 8;   // also 9
constexpr int GoodThreadCard = 16;
constexpr int BadThreadCard = 22;
constexpr int SageCard = 24; // also 25
constexpr int PresentCard = 27;
constexpr int ThousandRaceCard = 28; // also 29
constexpr int RoundNumberCard = 36;
constexpr int AdminCard = 48;
constexpr int GodCard = 49;
constexpr int TrueStopperCard = 50;
constexpr int AccessBanCard = 51;
constexpr int CapacityUpCard = 52;
constexpr int CapacityDownCard = 53;
constexpr int DeleteCard = 54;
constexpr int AboneCard = 55;
constexpr int TrollCard = 56;
constexpr int ThreadCard = 57;
