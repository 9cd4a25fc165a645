#pragma once

#include "gfx/FontFace.h"
#include "gfx/Geometry.h"

#include <string_view>
#include <vector>

class FontEngine;
class SizedFont;
class Sprite;

enum class RasterOp { SrcCopy, SrcPaint, Blackness };

// Everything a drawing call takes from the picture besides its pixels.
struct DrawingState {
    Color foreColor = 0;
    Color fillColor = 0;
    bool fillSolid = false;
    int penWidth = 1;
    FontFace fontFace = FontFace::PGothic;
    double fontSize = 9.75;
    bool bold = false;
    bool underline = false;

    bool operator==(const DrawingState&) const = default;
};

constexpr unsigned DT_NOCLIP = 0x100;
constexpr unsigned DT_CALCRECT = 0x400;

// An off-screen 24-bit picture with a drawing state (pen, brush, font, text colours) and the
// drawing operations the game uses, each defined to the pixel, so that every coordinate the game
// uses lands on the same pixel on every back-end.
// Texts are UTF-8; byte counts, where the game passes them, are counted in CP932.
class Picture {
public:
    // fonts may be null: the picture then skips every drawing call (the simulator's null renderer).
    Picture(FontEngine* fonts, int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    void Resize(int width, int height);
    bool Drawing() const { return fonts_ != nullptr; }
    FontEngine* Fonts() const { return fonts_; }

    void SetForeColor(Color c) { foreColor_ = c; }
    Color ForeColor() const { return foreColor_; }
    void SetFillColor(Color c) { fillColor_ = c; }
    Color FillColor() const { return fillColor_; }
    void SetFillSolid(bool solid) { fillSolid_ = solid; }
    bool FillSolid() const { return fillSolid_; }
    void SetPenWidth(int width) { penWidth_ = width; }
    int PenWidth() const { return penWidth_; }
    void SetFontFace(FontFace face) { fontFace_ = face; }
    FontFace GetFontFace() const { return fontFace_; }
    void SetFontSize(double points) { fontSize_ = points; }
    double FontSize() const { return fontSize_; }
    void SetBold(bool bold) { bold_ = bold; }
    bool Bold() const { return bold_; }
    void SetUnderline(bool underline) { underline_ = underline; }
    bool Underline() const { return underline_; }
    DrawingState State() const;
    void SetState(const DrawingState& state);

    // Fills the picture with its background colour, white.
    void Clear();
    // Fills the part of area that lies on the picture with white.
    void Clear(const Rect& area);

    void BitBlt(int x, int y, int w, int h, const Picture* src, int sx, int sy, RasterOp op);
    void Rectangle(int left, int top, int right, int bottom);
    void RoundRect(int left, int top, int right, int bottom, int cornerW, int cornerH);
    void Polygon(const Point* points, int count);
    void Polyline(const Point* points, int count);
    void TextOutA(int x, int y, std::string_view text);
    // Draws only the first cp932Bytes bytes of the text's CP932 form.
    void TextOutA(int x, int y, std::string_view text, int cp932Bytes);
    // DT_CALCRECT grows rect to the text (CR LF starts a line) without drawing; otherwise draws.
    void DrawTextA(std::string_view text, Rect& rect, unsigned flags);

    // The box around every pixel written since ForgetChanges (the whole picture when it is new,
    // cleared or resized), so that an animation can put back only what its last frame covered.
    const Rect& Changed() const { return changed_; }
    void ForgetChanges() { changed_ = {0, 0, 0, 0}; }
    // Copies back from saved, a copy of this picture taken when its changes were last forgotten,
    // every pixel written since; the picture then equals saved again and has no changes.
    void RestoreChanges(const Picture& saved);

    // Puts the sprite's pixels with its top-left corner at (x, y) and takes on the drawing state its
    // drawing left: the same as drawing it there.
    void Stamp(const Sprite& sprite, int x, int y);

    // 0xFFFFFFFF for a point off the picture, and for every point of a picture that does not draw.
    Color Pixel(int x, int y) const;
    void SetPixel(int x, int y, Color c);
    // Rows of 0x00RRGGBB words, Width() per row: the layout a streaming texture takes as is.
    const uint32_t* Data() const { return pixels_.data(); }

private:
    SizedFont& CurrentFont();
    void DrawLine(int x, int y, std::string_view text, const Rect& clip);

    FontEngine* fonts_;
    int width_;
    int height_;
    std::vector<uint32_t> pixels_;
    Color foreColor_ = 0;
    Color fillColor_ = 0;
    bool fillSolid_ = false;
    int penWidth_ = 1;
    FontFace fontFace_ = FontFace::PGothic;
    double fontSize_ = 9.75;
    bool bold_ = false;
    bool underline_ = false;
    Rect changed_;
};
