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

} // namespace

const char* const Res::ClosingText = "このスレッドは１０００を超えました。\r\n"
                                     "もう書けないので､新しいスレッドを立ててくださいです｡｡｡ ";

Res::Res(Game& game, int slot) : game_(game), slot_(slot)
{
}

Res::Res(Game& game, const std::array<ResEntry, 8>& entries) : game_(game), slot_(-1), entries_(entries)
{
}

Res::~Res() = default;

void Res::ClassInit(Picture* pic)
{
    game_.rng.Randomize(game_.GetTickCount());
    canvas_ = pic;
    viewCurrent_ = false;
    seenIndex_ = -1;
}

const ThreadState& Res::State() const
{
    static const ThreadState none;
    return slot_ >= 0 ? game_.match.board.threads[slot_] : none;
}

int32_t Res::rIndex() const
{
    return State().resIndex;
}

bool Res::noClockText() const
{
    return State().noClockText;
}

ResEntry Res::Entry(int i) const
{
    if (slot_ < 0)
        return entries_.at(i);
    const Post& post = State().posts.at(i);
    ResEntry e;
    e.number = post.number;
    if (post.number == 0)
        return e;
    e.agesage = post.agesage;
    switch (post.kind) {
    case Post::Stopper:
        e.name = "真・スレッドストッパー";
        e.id = "*";
        e.date = "真・スレッドストッパー";
        e.text = TextOf(post.text);
        break;
    case Post::Abone:
        e.name = "あぼーん";
        e.id = "*";
        e.date = "あぼーん";
        e.text = "あぼーん";
        break;
    case Post::Closing:
        e.name = "１００１";
        e.id = "*";
        e.date = "Over 1000 Thread";
        e.text = ClosingText;
        break;
    default: {
        const bool named = post.name >= 0 && post.name < static_cast<int>(game_.PlayerNames.size()) &&
                           !game_.PlayerNames[post.name].empty();
        e.name = named ? game_.PlayerNames[post.name] : PosterName();
        e.id.assign(post.id.begin(), post.id.end());
        e.date = FormatDate(post.date);
        e.text = TextOf(post.text);
        break;
    }
    }
    return e;
}

int32_t Res::EntryHeight(int i)
{
    Measure();
    return entryHeight_.at(i);
}

void Res::Measure()
{
    if (slot_ < 0) {
        if (seenIndex_ != 0) {
            seenIndex_ = 0;
            for (int i = 0; i < 8; ++i)
                entryHeight_[i] = PaintEntry(entries_[i], 0);
        }
        return;
    }
    const ThreadState& state = State();
    if (seenIndex_ == state.resIndex && seen_ == state.posts)
        return;
    viewCurrent_ = false;
    seen_ = state.posts;
    seenIndex_ = state.resIndex;
    for (int i = 0; i < 8; ++i) {
        entries_[i] = Entry(i);
        entryHeight_[i] = PaintEntry(entries_[i], 0);
    }
}

void Res::Paint(Picture& pic, int x, int y, int w, int h)
{
    // A picture that draws nothing (the simulator's) needs no layout either.
    if (canvas_ == nullptr || !pic.Drawing())
        return;
    Measure();
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
        PaintEntry(entries_[n], total);
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

int32_t Res::PaintEntry(const ResEntry& e, int top)
{
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

std::string Res::DateText(int32_t date)
{
    const std::time_t stamp = static_cast<std::time_t>(date) * 60;
    std::tm calendar{};
    gmtime_r(&stamp, &calendar);
    char formatted[32];
    std::strftime(formatted, sizeof formatted, "%y/%m/%d %H:%M", &calendar);
    return formatted;
}

std::string Res::FormatDate(int32_t date) const
{
    if (date != dateMinute_) {
        dateText_ = DateText(date);
        dateMinute_ = date;
    }
    return dateText_;
}

std::string Res::TextOf(const TextRef& text) const
{
    if (text.kind != TextRef::ThreadRes)
        return game_.ruleTables.Text(text);
    if (text.a < 0 || text.a >= static_cast<int>(game_.ThreadTexts.size()) || text.b < 0 || text.b >= 20)
        return {};
    return game_.ThreadTexts[text.a].Responses[text.b];
}

const ThreadText* Res::Text() const
{
    const int32_t index = State().resIndex;
    if (index < 0 || index >= static_cast<int32_t>(game_.ThreadTexts.size()))
        return nullptr;
    return &game_.ThreadTexts[index];
}

std::string Res::PosterName() const
{
    const ThreadText* thread = Text();
    return thread != nullptr ? thread->PosterName : std::string();
}
