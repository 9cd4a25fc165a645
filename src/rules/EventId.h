#pragma once

#include <cstdint>

// Event ids raised by the game; the pop-up's title, message, content and sound follow from the id.
enum EventId : int32_t {
    SecondPost = 1,
    GoodThread = 2,
    BadThread = 3,
    SageDone = 4,
    SageFailed = 5,
    FestivalStart = 6,
    ThousandRace = 7,
    FestivalEnd = 8,
    ThousandRaceEnd = 9,
    AdminDescends = 10,
    GodDescends = 11,
    TrueStopper = 12,
    ProviderBan = 13,
    BanLifted = 14,
    CapacityUp = 15,
    CapacityDown = 16,
    ThreadDeleted = 17,
    AboneAll = 18,
    TrollRevealed = 19,
    Deadlock = 20,
    KiribanGet = 21,
    ThousandRaceBonus = 31,
    SizeOver = 40,
    ThreadEnd = 50,
    ThreadEndBonus = 51,
    Present = 70,
    StillBanned = 71,
    GameEnd = 72,
    BrowserCrashHit = 73,
};
