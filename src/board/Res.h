#pragma once

#include "gfx/Geometry.h"

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

// The responses of one thread as shown: the eight newest, newest first, with their painted heights.
class Res {
public:
    explicit Res(Game& game);
    ~Res();

    void ClassInit(Picture* pic);
    void CreateRes(int32_t rIndex);
    void ClearRes();
    void AddRes(int32_t sResNum, const std::string& sName, const std::string& sId, int32_t sAgesage,
                const std::string& stime, const std::string& sText, bool sPriority, int32_t sGotMode);
    void SetAbone();
    void Paint(Picture& pic, int x, int y, int w, int h);

    const ResEntry& Entry(int i) const { return entries_.at(i); }
    int32_t EntryHeight(int i) const { return entryHeight_.at(i); }
    int32_t rIndex() const { return rIndex_; }
    bool noClockText() const { return noClockText_; }

private:
    int32_t PaintEntry(int index, int top);
    void DrawPiece(const std::string& text, Rect& rect, Color colour, bool underline);
    std::string FormatDate();
    std::string PickFillerText(int32_t gotMode);
    // The thread's own texts; null while rIndex names no thread.
    const ThreadText* Text() const;
    std::string PosterName() const;

    Game& game_;
    std::array<ResEntry, 8> entries_;
    std::array<int32_t, 8> entryHeight_{};
    int32_t rIndex_ = 0;
    bool noClockText_ = false;
    Picture* canvas_ = nullptr;
    // The view as last painted, until the responses change: the board shows the same thread's
    // view over and over between two posts.
    std::unique_ptr<Picture> view_;
    bool viewCurrent_ = false;
    // Every response of a minute shows the same date: the time zone is read once a minute.
    std::time_t dateMinute_ = -1;
    std::string dateText_;
};
