#pragma once

#include "gfx/Geometry.h"
#include "rules/CardRecord.h"

#include <array>
#include <memory>
#include <string>

class Picture;
class Sprite;
struct DrawingState;

// One card instance: a copy of a definition with its colour and, for thread cards, its text.
class Card {
public:
    Card();

    // Copies definition cardIndex, sets the colour; thread cards take thCardText and mark 0.
    void Load(const std::array<CardRecord, CardDefCount>& cardDefs, int cardIndex, int cardColor,
              const std::string& thCardText);

    int cardIndex() const { return record_.cardIndex; }
    int resNum() const { return record_.resNum; }
    int Size() const { return record_.Size; }
    int Agesage() const { return record_.Agesage; }
    const std::string& CardText() const { return record_.CardText; }
    int cardColor() const { return record_.cardColor; }
    int browserCrash() const { return record_.cardIndex == ThreadCard ? record_.Size : 0; }
    // Only thread cards carry the mark; on any other card the write is ignored.
    void browserCrash(int mark);

    // Whether the face shows its colour's shape beside the bands.
    void ColourMarks(bool on);
    void PictureMask(const Picture* picture) { mask_ = picture; }
    void PictureRainbow(const Picture* picture) { rainbow_ = picture; }
    const Picture* GetPictureMask() const { return mask_; }
    const Picture* GetPictureRainbow() const { return rainbow_; }

    // Draws the 96 x 136 face with its top-left corner at (x, y): the first time for the picture's
    // pen, face, weight and underline call by call, then as a stamp of that drawing.
    void Paint(Picture& pic, int x, int y) const;
    // Draws the face call by call.
    void PaintFace(Picture& pic, int x, int y) const;

    // Band polygons relative to the card's top-left corner.
    const std::array<Point, 18>& BandPoints() const { return points_; }

private:
    CardRecord record_;
    const Picture* mask_ = nullptr;
    const Picture* rainbow_ = nullptr;
    bool marks_ = false;
    std::array<Point, 18> points_;
    // The face as drawn last, and the pen width, font face, weight and underline it was drawn with.
    mutable std::shared_ptr<const Sprite> face_;
    mutable std::shared_ptr<const DrawingState> faceState_;
};
