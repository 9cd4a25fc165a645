#pragma once

#include "gfx/Geometry.h"
#include "rules/MatchState.h"

#include <array>
#include <cstdint>
#include <ctime>
#include <memory>
#include <string>

class Game;
class Picture;
struct ThreadText;

// One shown response.
struct ResEntry {
    int32_t number = 0;
    std::string name;
    int32_t agesage = 0;
    std::string id;
    std::string date;
    std::string text;
};

// The responses of one thread slot as shown: the eight newest of the game's state, newest first,
// made into words and measured when painted.
class Res {
public:
    Res(Game& game, int slot);
    // Responses that are no thread's (the staff roll): shown as given.
    Res(Game& game, const std::array<ResEntry, 8>& entries);
    ~Res();

    void ClassInit(Picture* pic);
    void Paint(Picture& pic, int x, int y, int w, int h);

    ResEntry Entry(int i) const;
    int32_t EntryHeight(int i);
    int32_t rIndex() const;
    bool noClockText() const;
    // The board's note under a thread that passed a thousand.
    static const char* const ClosingText;
    // A post's date as the responses show it.
    static std::string DateText(int32_t date);

private:
    const ThreadState& State() const;
    // Measures the entries again when the posts changed since the last look.
    void Measure();
    int32_t PaintEntry(const ResEntry& e, int top);
    void DrawPiece(const std::string& text, Rect& rect, Color colour, bool underline);
    std::string FormatDate(int32_t date) const;
    std::string TextOf(const TextRef& text) const;
    // The thread's own texts; null while the slot names no thread.
    const ThreadText* Text() const;
    std::string PosterName() const;

    Game& game_;
    // -1 for responses given once.
    int slot_;
    Picture* canvas_ = nullptr;
    // The posts as last measured and painted, their entries and heights: the board shows the same
    // thread's view over and over between two posts.
    std::array<Post, 8> seen_{};
    int32_t seenIndex_ = -1;
    std::array<ResEntry, 8> entries_;
    std::array<int32_t, 8> entryHeight_{};
    std::unique_ptr<Picture> view_;
    bool viewCurrent_ = false;
    // Every response of a minute shows the same date: formatted once a minute.
    mutable int32_t dateMinute_ = -1;
    mutable std::string dateText_;
};
