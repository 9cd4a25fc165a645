#pragma once

#include "gfx/Geometry.h"
#include "rules/EventId.h"

#include <cstdint>
#include <string>

class Game;
class Picture;

// The blocking pop-up that announces every notable happening: it zooms open over the board, stays,
// zooms shut, and leaves the board repainted.
class EventCtrl {
public:
    explicit EventCtrl(Game& game);

    void ClassInit(Picture* mainPic, Picture* backPic);
    void OpenEvent(int32_t eventIndex, const std::string& eventString, int32_t eventTarget,
                   int32_t eventScore);

    const Rect& frameRect() const { return frameRect_; }
    const Rect& contentRect() const { return contentRect_; }
    const Rect& titleRect() const { return titleRect_; }
    const Rect& infoRect() const { return infoRect_; }

    // Draws the open pop-up over whatever the main picture holds (the still frame of OpenEvent).
    void PaintPopUp(int32_t eventIndex, const std::string& eventString, int32_t eventTarget,
                    int32_t eventScore);

    // What the pop-up shows for an id; an id outside the vocabulary gets an empty title, no message
    // and no sound.
    static std::string EventTitle(int32_t eventIndex);
    // eventTarget is only read by the capacity events, whose message carries the new capacity.
    static std::string EventMessage(int32_t eventIndex, int32_t eventTarget);
    // The effect number for Sounds::playSound, 0 for none.
    static int EventSound(int32_t eventIndex);
    // What the pop-up shows, in words for a screen reader: title, content, message, plate, points.
    std::string Spoken(int32_t eventIndex, const std::string& eventString, int32_t eventTarget,
                       int32_t eventScore) const;

private:
    void SaveScreen();
    void RestoreScreen();
    void PaintPopZoom(int n);
    void PaintPopFrame();
    void PaintEventContent(int32_t eventIndex, const std::string& eventString);
    void PaintEventTitle(int32_t eventIndex);
    void PaintEventInfo(int32_t eventIndex, int32_t eventTarget, int32_t eventScore);
    void PaintGroupBadge(int32_t group);
    void PaintPlayerBadge(int32_t player);
    void PaintEventPoints(int32_t eventScore);
    void PaintEventMessage(const std::string& message);

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
