#include "board/Card.h"

#include "board/ColourMark.h"
#include "board/Palette.h"
#include "board/RightAlign.h"
#include "gfx/Picture.h"
#include "gfx/Sprite.h"
#include "rules/CardFamily.h"

#include <string_view>

namespace {

// Room around the face in its recording: its "age"/"sage" mark reaches above the top edge.
constexpr int FaceMargin = 8;

struct FaceLabel {
    const char* text;
    Color colour;
};

// The badge of a card with an effect worth seeing at a glance; text null for plain cards.
FaceLabel LabelOf(int cardIndex, int browserCrash)
{
    switch (FamilyOf(cardIndex)) {
    case CardFamily::SecondPost:
        return {"２ゲット", Palette::Purple};
    case CardFamily::Festival:
        return {"　　祭  ", Palette::Red};
    case CardFamily::CalmDown:
        return {"もちつけ", Palette::Blue};
    case CardFamily::GoodThread:
        return {"　良スレ", Palette::Orange};
    case CardFamily::BadThread:
        return {"　糞スレ", Palette::Grey};
    case CardFamily::Sage:
        return {"sage進行", Palette::Blue};
    case CardFamily::ThousandRace:
        return {"1000取戦", Palette::Red};
    case CardFamily::Descent:
        return cardIndex == AdminCard ? FaceLabel{"ぬこまる", Palette::Orange}
                                      : FaceLabel{" 神降臨 ", Palette::Purple};
    case CardFamily::TrueStopper:
        return {"真･ｽﾚｽﾄ ", Palette::Leaf};
    case CardFamily::AccessBan:
        return {" アク禁 ", Palette::Grey};
    case CardFamily::CapacityUp:
        return {"容量＋１", Palette::Red};
    case CardFamily::CapacityDown:
        return {"容量－１", Palette::Blue};
    case CardFamily::Delete:
        return {"削除整理", Palette::Leaf};
    case CardFamily::Abone:
        return {"あぼーん", Palette::Leaf};
    case CardFamily::Troll:
        return {"　荒らし", Palette::Grey};
    case CardFamily::Thread:
        if (browserCrash == 6)
            return {"ブラクラ", Palette::Brown};
        return {nullptr, 0};
    case CardFamily::Plain:
    case CardFamily::Present:
    case CardFamily::RoundNumber:
        return {nullptr, 0};
    }
    return {nullptr, 0};
}

} // namespace

Card::Card()
{
    const std::array<Point, 9> top = {
        {{6, 17}, {6, 28}, {11, 23}, {89, 23}, {89, 17}, {6, 20}, {6, 21}, {89, 21}, {89, 20}}};
    for (int k = 0; k < 9; ++k) {
        points_[k] = top[k];
        points_[k + 9] = {95 - top[k].x, 135 - top[k].y};
    }
}

void Card::Load(const std::array<CardRecord, CardDefCount>& cardDefs, int cardIndex, int cardColor,
                const std::string& thCardText)
{
    face_.reset();
    faceState_.reset();
    record_ = cardDefs.at(cardIndex);
    record_.cardColor = cardColor;
    if (cardIndex == ThreadCard) {
        record_.CardText = thCardText;
        record_.Size = 0;
    }
}

void Card::ColourMarks(bool on)
{
    if (marks_ == on)
        return;
    marks_ = on;
    face_.reset();
    faceState_.reset();
}

void Card::browserCrash(int mark)
{
    if (record_.cardIndex == ThreadCard && record_.Size != mark) {
        record_.Size = mark;
        // The mark may change the face's badge.
        face_.reset();
        faceState_.reset();
    }
}

void Card::Paint(Picture& pic, int x, int y) const
{
    // The simulator's pictures draw nothing: skip building the texts too.
    if (!pic.Drawing())
        return;
    // Only these parts of the state shape the face; the drawing sets all the others itself.
    const DrawingState now = pic.State();
    DrawingState shaping;
    shaping.penWidth = now.penWidth;
    shaping.fontFace = now.fontFace;
    shaping.bold = now.bold;
    shaping.underline = now.underline;
    if (!faceState_ || *faceState_ != shaping) {
        face_ = Sprite::Record(pic.Fonts(), 96 + 2 * FaceMargin, 136 + 2 * FaceMargin, shaping,
                               [this](Picture& canvas) { PaintFace(canvas, FaceMargin, FaceMargin); });
        faceState_ = std::make_shared<const DrawingState>(shaping);
    }
    if (face_) {
        pic.Stamp(*face_, x - FaceMargin, y - FaceMargin);
        return;
    }
    PaintFace(pic, x, y);
}

void Card::PaintFace(Picture& pic, int x, int y) const
{
    pic.SetForeColor(Palette::Black);
    pic.SetFillColor(Palette::White);
    pic.SetFillSolid(true);
    pic.RoundRect(x, y, x + 96, y + 136, 8, 8);

    std::array<Point, 18> at;
    for (size_t k = 0; k < points_.size(); ++k)
        at[k] = {points_[k].x + x, points_[k].y + y};
    const Color band = Palette::ThreadColour(record_.cardColor);
    pic.SetForeColor(band);
    pic.SetFillColor(band);
    pic.Polygon(&at[0], 5);
    pic.Polygon(&at[9], 5);
    pic.SetForeColor(Palette::White);
    pic.SetFillColor(Palette::White);
    pic.Polygon(&at[5], 4);
    pic.Polygon(&at[14], 4);

    const auto overlay = [&pic, x, y](const Picture* picture) {
        pic.BitBlt(x + 6, y + 17, 112, 40, picture, 0, 0, RasterOp::SrcPaint);
        pic.BitBlt(x + 6, y + 107, 112, 40, picture, 0, 0, RasterOp::SrcPaint);
    };
    if (record_.cardColor == 0)
        overlay(rainbow_);
    if (record_.cardIndex == ThreadCard)
        overlay(mask_);
    // Beside the top label, in the part of the card that the next one in the hand leaves showing.
    // The special cards' colour tells no rule, except the god card's, which is a thread colour.
    if (marks_ && record_.cardColor >= 0 && (record_.cardColor <= 3 || record_.cardIndex == GodCard))
        ColourMark::Thread(pic, record_.cardColor, x + 45, y + 3, 12);

    pic.SetForeColor(Palette::Black);
    pic.SetFontSize(8);
    const std::string_view text = record_.CardText;
    size_t start = 0;
    for (int line = 0;; ++line) {
        const size_t end = text.find("\r\n", start);
        pic.TextOutA(x + 11, y + 25 + 10 * line, text.substr(start, end - start));
        if (end == std::string_view::npos)
            break;
        start = end + 2;
    }

    pic.SetFontSize(10);
    if (record_.cardIndex == ThreadCard) {
        pic.TextOutA(x + 8, y + 2, "ｽﾚｯﾄﾞ");
        pic.TextOutA(x + 56, y + 121, "ｽﾚｯﾄﾞ");
    } else if (record_.cardIndex >= AdminCard) {
        pic.SetForeColor(Palette::Purple);
        pic.TextOutA(x + 8, y + 2, "Special");
        pic.TextOutA(x + 44, y + 121, "Special");
    } else {
        const std::string count = RightAlign(record_.resNum, 3) + "ﾚｽ";
        pic.TextOutA(x + 8, y + 2, count);
        pic.TextOutA(x + 56, y + 121, count);
        pic.SetForeColor(Palette::Purple);
        pic.TextOutA(x + 8, y + 96, RightAlign(record_.Size, 3) + "KB");
        pic.SetBold(true);
        pic.SetFontSize(12);
        const bool sage = record_.Agesage != 0;
        pic.SetForeColor(sage ? Palette::Blue : Palette::Red);
        const char* mark = sage ? "sage" : " age";
        pic.TextOutA(x + 56, y - 1, mark);
        pic.TextOutA(x + 8, y + 116, mark);
        pic.SetBold(false);
    }

    const FaceLabel label = LabelOf(record_.cardIndex, browserCrash());
    if (label.text != nullptr) {
        pic.SetForeColor(label.colour);
        pic.SetFillColor(label.colour);
        pic.SetFillSolid(true);
        pic.RoundRect(x + 11, y + 25, x + 65, y + 41, 8, 8);
        pic.SetFillSolid(false);
        pic.SetForeColor(Palette::White);
        pic.SetFontSize(9);
        pic.TextOutA(x + 15, y + 27, label.text, 8);
    }
}
