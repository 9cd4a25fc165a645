#pragma once

#include "platform/Geometry.h"

#include <cstdint>
#include <string>

class Game;
class Picture;

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

// The blocking pop-up that announces every notable happening: it zooms open over the board, stays,
// zooms shut, and leaves the board repainted.
class EventCtrl {
public:
    explicit EventCtrl(Game& game);

    void ClassInit(Picture* mainPic, Picture* backPic);
    void OpenEvent(int32_t eventIndex, const std::string& eventString, int32_t eventTarget, int32_t eventScore);

    const Rect& frameRect() const { return frameRect_; }
    const Rect& contentRect() const { return contentRect_; }
    const Rect& titleRect() const { return titleRect_; }
    const Rect& infoRect() const { return infoRect_; }

private:
    Game& game_;
    Picture* main_ = nullptr;
    Picture* back_ = nullptr;
    int32_t width_ = 0;
    int32_t height_ = 0;
    Rect frameRect_;
    Rect contentRect_;
    Rect titleRect_;
    Rect infoRect_;
};
