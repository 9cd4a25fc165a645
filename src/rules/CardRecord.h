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

// Definition indices with an effect beyond adding responses (CardFamily.h groups them).
constexpr int SecondPostCard = 0; // also 1, 6, 7
constexpr int FestivalCard = 2;   // also 12
constexpr int CalmDownCard = 8;   // also 9
constexpr int GoodThreadCard = 16;
constexpr int BadThreadCard = 22;
constexpr int SageCard = 24;
// The sage card that never fails.
constexpr int SureSageCard = 25;
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

// The special texts of card.dat by index: what the rules post or show at fixed moments.
namespace SpecialText {

// One for each of the four second-post cards, in definition order.
constexpr int SecondPost = 0;
constexpr int ThousandRaceCalmed = 4;
constexpr int FestivalCalmed = 5;
constexpr int SageFailed = 6;
constexpr int Present = 7;
// The usual opening of a thousand race, and the rarer one.
constexpr int ThousandRace = 8;
constexpr int ThousandRaceRare = 9;
constexpr int RoundNumber = 10;
constexpr int LateNight = 11;
constexpr int Morning = 12;
// The responses that greet the admin (eight texts from here) and the god (nine).
constexpr int AdminGreetings = 13;
constexpr int AdminGreetingCount = 8;
constexpr int GodGreetings = 21;
constexpr int GodGreetingCount = 9;
constexpr int StillBanned = 30;
constexpr int BanLifted = 31;
// Two texts each, one drawn at random.
constexpr int Deleted = 32;
constexpr int Loser = 34;
constexpr int Winner = 35;
constexpr int Title = 36;
constexpr int ExtraTitle = 37;
constexpr int CardsOut = 38;
constexpr int NoPlayableCard = 39;
constexpr int Dealing = 40;
constexpr int DeckShown = 41;
// Two texts, one drawn at random.
constexpr int BrowserCrash = 42;

} // namespace SpecialText
