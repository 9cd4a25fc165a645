#include "board/Res.h"

#include "board/Palette.h"
#include "board/RightAlign.h"
#include "gfx/Picture.h"
#include "shell/Game.h"
#include "shell/ModuleCommon.h"

#include <ctime>

namespace {

constexpr Color NumberColour = Palette::BrightBlue;
constexpr Color SageNameColour = Palette::BrightBlue;
constexpr Color AgeNameColour = Palette::DarkGreen;
constexpr int EntryGap = 5;

const char* const ClosingText = "このスレッドは１０００を超えました。\r\n"
                                "もう書けないので､新しいスレッドを立ててくださいです｡｡｡ ";

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace

Res::Res(Game& game) : game_(game)
{
}

Res::~Res() = default;

void Res::ClassInit(Picture* pic)
{
    game_.rng.Randomize(game_.GetTickCount());
    canvas_ = pic;
    viewCurrent_ = false;
}

void Res::CreateRes(int32_t rIndex)
{
    rIndex_ = rIndex;
    noClockText_ = game_.rng.Chance(0.25);
}

void Res::ClearRes()
{
    entries_.fill(ResEntry{});
    entryHeight_.fill(0);
    viewCurrent_ = false;
    rIndex_ = -1;
    noClockText_ = false;
}

void Res::AddRes(int32_t sResNum, const std::string& sName, const std::string& sId, int32_t sAgesage,
                 const std::string& stime, const std::string& sText, bool sPriority, int32_t sGotMode)
{
    // A negative count would shift entries from beyond the list; nothing sensible can be posted.
    if (sResNum < 0)
        return;
    viewCurrent_ = false;
    if (sResNum <= 7) {
        for (int i = 7; i >= sResNum; --i) {
            entries_[i] = entries_[i - sResNum];
            entryHeight_[i] = entryHeight_[i - sResNum];
        }
    }
    const int k = Min(sResNum, 8);
    const int32_t last = Min(sResNum + entries_[0].number, 1000);
    if (last >= 2) {
        for (int i = k - 1; i >= 1; --i) {
            entries_[i] = ResEntry{last - i,       PosterName(), sAgesage,
                                   game_.MakeId(), FormatDate(), PickFillerText(sGotMode)};
            entryHeight_[i] = PaintEntry(i, 0);
        }
    }

    ResEntry main{last,
                  sName.empty() ? PosterName() : sName,
                  sAgesage,
                  sId.empty() ? game_.MakeId() : sId,
                  stime.empty() ? FormatDate() : stime,
                  sText};
    if (!sPriority && !noClockText_) {
        if (EndsWith(main.date, "23:00"))
            main.text = game_.specialTexts[SpecialText::LateNight];
        else if (EndsWith(main.date, "08:00"))
            main.text = game_.specialTexts[SpecialText::Morning];
    }
    if (main.text.empty())
        main.text = PickFillerText(sGotMode);
    entries_[0] = std::move(main);
    entryHeight_[0] = PaintEntry(0, 0);

    if (last == 1000) {
        for (int i = 7; i >= 1; --i) {
            entries_[i] = entries_[i - 1];
            entryHeight_[i] = entryHeight_[i - 1];
        }
        entries_[0] = ResEntry{1001, "１００１", 0, "*", "Over 1000 Thread", ClosingText};
        entryHeight_[0] = PaintEntry(0, 0);
    }
}

void Res::SetAbone()
{
    if (entries_[0].number == 0)
        return;
    viewCurrent_ = false;
    const int last = Min(entries_[0].number - 1, 7);
    for (int i = 0; i <= last; ++i) {
        ResEntry& e = entries_[i];
        e.agesage = 1;
        e.id = "*";
        e.name = "あぼーん";
        e.date = "あぼーん";
        e.text = "あぼーん";
    }
    const int32_t height = PaintEntry(0, 0);
    for (int i = 0; i <= last; ++i)
        entryHeight_[i] = height;
}

void Res::Paint(Picture& pic, int x, int y, int w, int h)
{
    if (canvas_ == nullptr)
        return;
    if (viewCurrent_ && view_->Width() == w && view_->Height() == h) {
        pic.BitBlt(x, y, w, h, view_.get(), 0, 0, RasterOp::SrcCopy);
        return;
    }
    int i = 0;
    int sum = 0;
    for (; i <= 7; ++i) {
        if (entryHeight_[i] == 0)
            break;
        sum += entryHeight_[i] + EntryGap;
        if (sum > h)
            break;
    }
    const int j = Min(7, i);

    int total = 0;
    for (int n = j; n >= 0; --n)
        total += entryHeight_[n] + EntryGap;
    // Only the part copied below needs a clean background.
    canvas_->Clear(Rect{0, 0, w, Max(h, total)});
    total = 0;
    for (int n = j; n >= 0; --n) {
        PaintEntry(n, total);
        total += entryHeight_[n] + EntryGap;
    }
    const int src = Max(h, total - EntryGap);
    pic.BitBlt(x, y, w, h, canvas_, 0, src - h, RasterOp::SrcCopy);
    // Kept when the whole view came from the canvas, so that a copy of the copy is the same.
    if (canvas_->Drawing() && w > 0 && h > 0 && w <= canvas_->Width() && src <= canvas_->Height()) {
        if (!view_ || view_->Width() != w || view_->Height() != h)
            view_ = std::make_unique<Picture>(canvas_->Fonts(), w, h);
        view_->BitBlt(0, 0, w, h, canvas_, 0, src - h, RasterOp::SrcCopy);
        viewCurrent_ = true;
    }
}

int32_t Res::PaintEntry(int index, int top)
{
    const ResEntry& e = entries_[index];
    // Without drawing there is nothing to measure either (the simulator).
    if (e.number == 0 || canvas_ == nullptr || !canvas_->Drawing())
        return 0;
    canvas_->SetFontSize(9);
    Rect rect{0, top, 0, top};
    auto next = [&rect, top] { rect = Rect{rect.right, top, rect.right, top}; };

    DrawPiece(RightAlign(e.number, 3), rect, NumberColour, true);
    next();
    DrawPiece(" 名前：", rect, Palette::Black, false);
    next();
    canvas_->SetBold(true);
    if (e.agesage != 0)
        DrawPiece(e.name, rect, SageNameColour, true);
    else
        DrawPiece(e.name, rect, AgeNameColour, false);
    canvas_->SetBold(false);
    next();
    DrawPiece(" 投稿日：" + e.date + " ", rect, Palette::Black, false);
    if (e.id != "*") {
        next();
        DrawPiece("ID:" + e.id + " ", rect, Palette::Black, false);
    }
    rect = Rect{0, rect.bottom + 3, 0, rect.bottom + 3};
    DrawPiece(e.text, rect, Palette::Black, false);
    return rect.bottom;
}

void Res::DrawPiece(const std::string& text, Rect& rect, Color colour, bool underline)
{
    rect.right = rect.left;
    rect.bottom = rect.top;
    canvas_->SetForeColor(colour);
    canvas_->DrawTextA(text, rect, DT_CALCRECT);
    canvas_->DrawTextA(text, rect, DT_NOCLIP);
    if (underline) {
        const Point line[2] = {{rect.left, rect.bottom}, {rect.right, rect.bottom}};
        canvas_->Polyline(line, 2);
    }
}

std::string Res::FormatDate()
{
    const std::time_t now = game_.now();
    if (now / 60 != dateMinute_ || now < 0) {
        std::tm local{};
        localtime_r(&now, &local);
        char formatted[32];
        std::strftime(formatted, sizeof formatted, "%y/%m/%d %H:%M", &local);
        dateText_ = formatted;
        dateMinute_ = now / 60;
    }
    return dateText_;
}

std::string Res::PickFillerText(int32_t gotMode)
{
    switch (gotMode) {
    case 0: {
        const int pick = game_.rng.Below(20);
        const ThreadText* thread = Text();
        return thread != nullptr ? thread->Responses[pick] : std::string();
    }
    case 1:
        return game_
            .specialTexts[SpecialText::AdminGreetings + game_.rng.Below(SpecialText::AdminGreetingCount)];
    case 2:
        return game_.specialTexts[SpecialText::GodGreetings + game_.rng.Below(SpecialText::GodGreetingCount)];
    default:
        return {};
    }
}

const ThreadText* Res::Text() const
{
    if (rIndex_ < 0 || rIndex_ >= static_cast<int32_t>(game_.ThreadTexts.size()))
        return nullptr;
    return &game_.ThreadTexts[rIndex_];
}

std::string Res::PosterName() const
{
    const ThreadText* thread = Text();
    return thread != nullptr ? thread->PosterName : std::string();
}
