#include "gfx/Picture.h"

#include "gfx/FontEngine.h"
#include "gfx/RowSpans.h"
#include "gfx/Sprite.h"
#include "text/Cp932.h"
#include "text/Utf8.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr uint32_t White = 0xFFFFFF;
// What GetPixel answers for a point off the picture: no colour at all, unlike any pixel.
constexpr Color NoPixel = 0xFFFFFFFF;

// 0x00BBGGRR and 0x00RRGGBB differ only in the order of red and blue, so one swap serves both ways.
uint32_t SwapRedBlue(uint32_t c)
{
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

Rect Intersect(const Rect& a, const Rect& b)
{
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

// Each channel becomes round((over * alpha + under * (255 - alpha)) / 255), exactly, so alpha 0
// keeps the pixel and 255 puts the colour. Red and blue share one word in separate 16-bit lanes,
// and t + (t >> 8) >> 8 with t = v + 128 is that rounding division for every v up to 255 * 255.
inline uint32_t Blend(uint32_t under, uint32_t over, uint32_t alpha)
{
    const uint32_t rest = 255 - alpha;
    uint32_t rb = (over & 0xFF00FF) * alpha + (under & 0xFF00FF) * rest + 0x800080;
    rb = ((rb + ((rb >> 8) & 0xFF00FF)) >> 8) & 0xFF00FF;
    uint32_t g = ((over >> 8) & 0xFF) * alpha + ((under >> 8) & 0xFF) * rest + 0x80;
    g = ((g + (g >> 8)) >> 8) & 0xFF;
    return rb | (g << 8);
}

// Grows box to take in the area [left, right) x [top, bottom), which must not be empty.
void Include(Rect& box, int left, int top, int right, int bottom)
{
    if (Empty(box)) {
        box = {left, top, right, bottom};
        return;
    }
    box = {std::min(box.left, left), std::min(box.top, top), std::max(box.right, right),
           std::max(box.bottom, bottom)};
}

// Blend for a run of pixels, four at a time where the processor has 128-bit integer vectors:
// every channel in its own 16-bit lane, the same sums and the same rounding.
void BlendRow(uint32_t* out, const uint8_t* coverage, int count, uint32_t colour)
{
    int i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i over = _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(colour)), zero);
    const __m128i full = _mm_set1_epi16(255);
    const __m128i half = _mm_set1_epi16(128);
    const auto mix = [&](__m128i under, __m128i alpha) {
        __m128i v =
            _mm_add_epi16(_mm_mullo_epi16(over, alpha), _mm_mullo_epi16(under, _mm_sub_epi16(full, alpha)));
        v = _mm_add_epi16(v, half);
        return _mm_srli_epi16(_mm_add_epi16(v, _mm_srli_epi16(v, 8)), 8);
    };
    for (; i + 4 <= count; i += 4) {
        uint32_t four = 0;
        std::memcpy(&four, coverage + i, sizeof four);
        // Untouched pixels are common at the edges of a glyph.
        if (four == 0) {
            continue;
        }
        __m128i alpha = _mm_cvtsi32_si128(static_cast<int>(four));
        alpha = _mm_unpacklo_epi8(alpha, alpha);
        alpha = _mm_unpacklo_epi16(alpha, alpha);
        auto* at = reinterpret_cast<__m128i*>(out + i);
        const __m128i under = _mm_loadu_si128(at);
        const __m128i low = mix(_mm_unpacklo_epi8(under, zero), _mm_unpacklo_epi8(alpha, zero));
        const __m128i high = mix(_mm_unpackhi_epi8(under, zero), _mm_unpackhi_epi8(alpha, zero));
        _mm_storeu_si128(at, _mm_packus_epi16(low, high));
    }
#endif
    for (; i < count; ++i) {
        out[i] = Blend(out[i], colour, coverage[i]);
    }
}

struct Surface {
    Surface(uint32_t* pixelsIn, int widthIn, int heightIn, Rect* changedIn)
        : pixels(pixelsIn), width(widthIn), height(heightIn), changed(changedIn)
    {
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    // The spans of one drawing call are gathered here and reach the picture's box once, at the end.
    ~Surface()
    {
        if (spanLeft < spanRight) {
            Include(*changed, spanLeft, spanTop, spanRight, spanBottom);
        }
    }

    uint32_t* pixels;
    int width;
    int height;
    // Every pixel written is taken into this box.
    Rect* changed;
    mutable int spanLeft = INT_MAX;
    mutable int spanTop = INT_MAX;
    mutable int spanRight = INT_MIN;
    mutable int spanBottom = INT_MIN;

    // x0..x1 inclusive, clipped to the picture.
    void Span(int y, int x0, int x1, uint32_t colour) const
    {
        if (y < 0 || y >= height) {
            return;
        }
        x0 = std::max(x0, 0);
        x1 = std::min(x1, width - 1);
        if (x0 <= x1) {
            uint32_t* row = pixels + static_cast<ptrdiff_t>(y) * width;
            std::fill(row + x0, row + x1 + 1, colour);
            spanLeft = std::min(spanLeft, x0);
            spanRight = std::max(spanRight, x1 + 1);
            spanTop = std::min(spanTop, y);
            spanBottom = std::max(spanBottom, y + 1);
        }
    }

    void Dot(int x, int y, int size, uint32_t colour) const
    {
        if (size <= 1) {
            // Line has taken the whole segment into the changed box.
            if (x >= 0 && x < width && y >= 0 && y < height) {
                pixels[static_cast<ptrdiff_t>(y) * width + x] = colour;
            }
            return;
        }
        int x0 = x - size / 2;
        int y0 = y - size / 2;
        for (int row = y0; row < y0 + size; ++row) {
            Span(row, x0, x0 + size - 1, colour);
        }
    }

    // Bresenham from a towards b; b itself is left for the next segment, so joined segments draw each
    // corner once.
    void Line(Point a, Point b, int size, uint32_t colour) const
    {
        int dx = std::abs(b.x - a.x);
        int dy = -std::abs(b.y - a.y);
        int stepX = a.x < b.x ? 1 : -1;
        int stepY = a.y < b.y ? 1 : -1;
        int error = dx + dy;
        int x = a.x;
        int y = a.y;
        // Every dot lies in the box from a to b (b itself is left out, but the box may hold it).
        const Rect box{std::max(0, std::min(a.x, b.x)), std::max(0, std::min(a.y, b.y)),
                       std::min(width, std::max(a.x, b.x) + 1), std::min(height, std::max(a.y, b.y) + 1)};
        if ((x != b.x || y != b.y) && !Empty(box)) {
            Include(*changed, box.left, box.top, box.right, box.bottom);
        }
        while (x != b.x || y != b.y) {
            Dot(x, y, size, colour);
            int twice = 2 * error;
            if (twice >= dy) {
                error += dy;
                x += stepX;
            }
            if (twice <= dx) {
                error += dx;
                y += stepY;
            }
        }
    }

    void Shape(const RowSpans& outer, int penWidth, uint32_t pen, const uint32_t* fill) const
    {
        RowSpans inner = outer.Inner(penWidth);
        for (size_t i = 0; i < outer.rows.size(); ++i) {
            int y = outer.top + static_cast<int>(i);
            RowSpans::Span o = outer.rows[i];
            RowSpans::Span n = inner.rows[i];
            if (o.left > o.right) {
                continue;
            }
            if (n.left > n.right) {
                Span(y, o.left, o.right, pen);
                continue;
            }
            if (fill != nullptr) {
                Span(y, n.left, n.right, *fill);
            }
            Span(y, o.left, n.left - 1, pen);
            Span(y, n.right + 1, o.right, pen);
        }
    }

    // The square-cornered case of Shape, without building the rows: [left, right) x [top, bottom)
    // with an outline pen pixels deep.
    void Box(int left, int top, int right, int bottom, int pen, uint32_t penColour,
             const uint32_t* fill) const
    {
        const bool hollow = left + pen <= right - 1 - pen;
        for (int y = std::max(top, 0); y < std::min(bottom, height); ++y) {
            if (!hollow || y < top + pen || y >= bottom - pen) {
                Span(y, left, right - 1, penColour);
                continue;
            }
            if (fill != nullptr) {
                Span(y, left + pen, right - 1 - pen, *fill);
            }
            Span(y, left, left + pen - 1, penColour);
            Span(y, right - pen, right - 1, penColour);
        }
    }

    void DrawGlyph(const Glyph& glyph, int x, int y, uint32_t colour, const Rect& clip) const
    {
        Rect area = Intersect({x, y, x + glyph.width, y + glyph.height}, clip);
        if (Empty(area)) {
            return;
        }
        Include(*changed, area.left, area.top, area.right, area.bottom);
        int count = area.right - area.left;
        for (int py = area.top; py < area.bottom; ++py) {
            const uint8_t* coverage =
                glyph.coverage.data() + static_cast<ptrdiff_t>(py - y) * glyph.width + (area.left - x);
            uint32_t* out = pixels + static_cast<ptrdiff_t>(py) * width + area.left;
            BlendRow(out, coverage, count, colour);
        }
    }
};

int LineWidth(SizedFont& font, std::string_view line)
{
    int width = 0;
    for (size_t pos = 0; pos < line.size();) {
        Utf8::Char c = Utf8::Decode(line, pos);
        width += font.Get(c.code).advance;
        pos += static_cast<size_t>(c.length);
    }
    return width;
}

// Calls visit(line) for every line of the text. A break is CR LF, or a lone CR or LF; a break at the
// very end opens no further line.
template <typename Visit> int ForEachLine(std::string_view text, Visit visit)
{
    int count = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            visit(text.substr(start));
            return count + 1;
        }
        visit(text.substr(start, end - start));
        ++count;
        start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    return count;
}

} // namespace

Picture::Picture(FontEngine* fonts, int width, int height)
    : fonts_(fonts), width_(std::max(0, width)), height_(std::max(0, height)), changed_{0, 0, width_, height_}
{
    if (Drawing()) {
        pixels_.assign(static_cast<size_t>(width_) * height_, White);
    }
}

void Picture::Resize(int width, int height)
{
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == width_ && height == height_) {
        return;
    }
    if (Drawing()) {
        std::vector<uint32_t> resized(static_cast<size_t>(width) * height, White);
        int keepWidth = std::min(width, width_);
        for (int y = 0; y < std::min(height, height_); ++y) {
            std::copy_n(pixels_.begin() + static_cast<ptrdiff_t>(y) * width_, keepWidth,
                        resized.begin() + static_cast<ptrdiff_t>(y) * width);
        }
        pixels_.swap(resized);
    }
    width_ = width;
    height_ = height;
    changed_ = {0, 0, width_, height_};
}

void Picture::Clear()
{
    std::fill(pixels_.begin(), pixels_.end(), White);
    if (Drawing()) {
        changed_ = {0, 0, width_, height_};
    }
}

void Picture::Clear(const Rect& area)
{
    Rect clipped = Intersect(area, {0, 0, width_, height_});
    if (!Drawing() || Empty(clipped)) {
        return;
    }
    Surface surface{pixels_.data(), width_, height_, &changed_};
    for (int y = clipped.top; y < clipped.bottom; ++y) {
        surface.Span(y, clipped.left, clipped.right - 1, White);
    }
}

void Picture::BitBlt(int x, int y, int w, int h, const Picture* src, int sx, int sy, RasterOp op)
{
    if (!Drawing() || w <= 0 || h <= 0) {
        return;
    }
    Surface surface{pixels_.data(), width_, height_, &changed_};
    if (op == RasterOp::Blackness) {
        Rect area = Intersect({x, y, x + w, y + h}, {0, 0, width_, height_});
        for (int row = area.top; row < area.bottom; ++row) {
            surface.Span(row, area.left, area.right - 1, 0);
        }
        return;
    }
    if (src == nullptr || src->pixels_.empty()) {
        return;
    }
    // Trim the block until it lies inside both pictures; what falls outside the source stays as it was.
    int shiftX = std::max({0, -x, -sx});
    int shiftY = std::max({0, -y, -sy});
    x += shiftX;
    sx += shiftX;
    w -= shiftX;
    y += shiftY;
    sy += shiftY;
    h -= shiftY;
    w = std::min({w, width_ - x, src->width_ - sx});
    h = std::min({h, height_ - y, src->height_ - sy});
    if (w <= 0 || h <= 0) {
        return;
    }
    Include(changed_, x, y, x + w, y + h);
    const uint32_t* from = src->pixels_.data();
    int fromWidth = src->width_;
    std::vector<uint32_t> copy;
    if (src == this) {
        copy.resize(static_cast<size_t>(w) * h);
        for (int row = 0; row < h; ++row) {
            std::copy_n(pixels_.data() + static_cast<ptrdiff_t>(sy + row) * width_ + sx, w,
                        copy.data() + static_cast<ptrdiff_t>(row) * w);
        }
        from = copy.data();
        fromWidth = w;
        sx = 0;
        sy = 0;
    }
    for (int row = 0; row < h; ++row) {
        const uint32_t* in = from + static_cast<ptrdiff_t>(sy + row) * fromWidth + sx;
        uint32_t* out = pixels_.data() + static_cast<ptrdiff_t>(y + row) * width_ + x;
        if (op == RasterOp::SrcCopy) {
            std::memcpy(out, in, static_cast<size_t>(w) * sizeof(uint32_t));
        } else {
            for (int i = 0; i < w; ++i) {
                out[i] |= in[i];
            }
        }
    }
}

void Picture::RestoreChanges(const Picture& saved)
{
    const Rect area = changed_;
    BitBlt(area.left, area.top, area.right - area.left, area.bottom - area.top, &saved, area.left, area.top,
           RasterOp::SrcCopy);
    ForgetChanges();
}

DrawingState Picture::State() const
{
    return {foreColor_, fillColor_, fillSolid_, penWidth_, fontFace_, fontSize_, bold_, underline_};
}

void Picture::SetState(const DrawingState& state)
{
    foreColor_ = state.foreColor;
    fillColor_ = state.fillColor;
    fillSolid_ = state.fillSolid;
    penWidth_ = state.penWidth;
    fontFace_ = state.fontFace;
    fontSize_ = state.fontSize;
    bold_ = state.bold;
    underline_ = state.underline;
}

void Picture::Stamp(const Sprite& sprite, int x, int y)
{
    SetState(sprite.StateAfter());
    if (!Drawing()) {
        return;
    }
    Rect area{width_, height_, 0, 0};
    for (const Sprite::Run& run : sprite.Runs()) {
        const int row = y + run.y;
        const int left = std::max(x + run.left, 0);
        const int right = std::min(x + run.right, width_);
        if (row < 0 || row >= height_ || left >= right) {
            continue;
        }
        std::memcpy(pixels_.data() + static_cast<ptrdiff_t>(row) * width_ + left,
                    sprite.Row(run.y) + (left - x), static_cast<size_t>(right - left) * sizeof(uint32_t));
        area = {std::min(area.left, left), std::min(area.top, row), std::max(area.right, right),
                std::max(area.bottom, row + 1)};
    }
    if (!Empty(area)) {
        Include(changed_, area.left, area.top, area.right, area.bottom);
    }
}

void Picture::Rectangle(int left, int top, int right, int bottom)
{
    RoundRect(left, top, right, bottom, 0, 0);
}

void Picture::RoundRect(int left, int top, int right, int bottom, int cornerW, int cornerH)
{
    if (!Drawing()) {
        return;
    }
    if (left > right) {
        std::swap(left, right);
    }
    if (top > bottom) {
        std::swap(top, bottom);
    }
    if (left == right || top == bottom) {
        return;
    }
    // A wide pen straddles the outline, half of it outside the box.
    int pen = std::max(1, penWidth_);
    int grow = pen / 2;
    uint32_t fill = SwapRedBlue(fillColor_);
    // Without both radii the corners are square.
    if (cornerW <= 0 || cornerH <= 0) {
        Surface{pixels_.data(), width_, height_, &changed_}.Box(left - grow, top - grow, right + grow,
                                                                bottom + grow, pen, SwapRedBlue(foreColor_),
                                                                fillSolid_ ? &fill : nullptr);
        return;
    }
    double rx = cornerW / 2.0 + grow;
    double ry = cornerH / 2.0 + grow;
    // Rows beyond the picture are left out; a margin wider than the pen keeps the cut edges off it.
    RowSpans outer = RowSpans::RoundedBox(left - grow, top - grow, right + grow, bottom + grow, rx, ry,
                                          -pen - 1, height_ + pen + 1);
    Surface{pixels_.data(), width_, height_, &changed_}.Shape(outer, pen, SwapRedBlue(foreColor_),
                                                              fillSolid_ ? &fill : nullptr);
}

void Picture::Polygon(const Point* points, int count)
{
    if (!Drawing() || points == nullptr || count < 2) {
        return;
    }
    Surface surface{pixels_.data(), width_, height_, &changed_};
    if (fillSolid_) {
        uint32_t fill = SwapRedBlue(fillColor_);
        auto [low, high] = std::minmax_element(points, points + count,
                                               [](const Point& a, const Point& b) { return a.y < b.y; });
        std::vector<double> crossings;
        for (int y = std::max(low->y, 0); y < std::min(high->y, height_); ++y) {
            crossings.clear();
            for (int i = 0; i < count; ++i) {
                const Point& a = points[i];
                const Point& b = points[(i + 1) % count];
                if ((a.y <= y && y < b.y) || (b.y <= y && y < a.y)) {
                    crossings.push_back(a.x + static_cast<double>(y - a.y) * (b.x - a.x) / (b.y - a.y));
                }
            }
            std::sort(crossings.begin(), crossings.end());
            // Alternate filling: only every other stretch between crossings is inside.
            for (size_t k = 0; k + 1 < crossings.size(); k += 2) {
                surface.Span(y, static_cast<int>(std::ceil(crossings[k])),
                             static_cast<int>(std::ceil(crossings[k + 1])) - 1, fill);
            }
        }
    }
    uint32_t pen = SwapRedBlue(foreColor_);
    for (int i = 0; i < count; ++i) {
        surface.Line(points[i], points[(i + 1) % count], std::max(1, penWidth_), pen);
    }
}

void Picture::Polyline(const Point* points, int count)
{
    if (!Drawing() || points == nullptr) {
        return;
    }
    Surface surface{pixels_.data(), width_, height_, &changed_};
    uint32_t pen = SwapRedBlue(foreColor_);
    for (int i = 0; i + 1 < count; ++i) {
        surface.Line(points[i], points[i + 1], std::max(1, penWidth_), pen);
    }
}

void Picture::TextOutA(int x, int y, std::string_view text)
{
    if (!Drawing()) {
        return;
    }
    DrawLine(x, y, text, Rect{0, 0, width_, height_});
}

void Picture::TextOutA(int x, int y, std::string_view text, int cp932Bytes)
{
    TextOutA(x, y, Cp932::PrefixOfBytes(text, cp932Bytes));
}

void Picture::DrawTextA(std::string_view text, Rect& rect, unsigned flags)
{
    if (!Drawing()) {
        return;
    }
    SizedFont& font = CurrentFont();
    if ((flags & DT_CALCRECT) != 0) {
        int widest = 0;
        int lines = ForEachLine(
            text, [&](std::string_view line) { widest = std::max(widest, LineWidth(font, line)); });
        rect.right = rect.left + widest;
        rect.bottom = rect.top + lines * font.Height();
        return;
    }
    Rect clip{0, 0, width_, height_};
    if ((flags & DT_NOCLIP) == 0) {
        clip = Intersect(clip, rect);
    }
    int top = rect.top;
    ForEachLine(text, [&](std::string_view line) {
        DrawLine(rect.left, top, line, clip);
        top += font.Height();
    });
}

Color Picture::Pixel(int x, int y) const
{
    if (pixels_.empty() || x < 0 || y < 0 || x >= width_ || y >= height_) {
        return NoPixel;
    }
    return SwapRedBlue(pixels_[static_cast<size_t>(y) * width_ + x]);
}

void Picture::SetPixel(int x, int y, Color c)
{
    if (!pixels_.empty() && x >= 0 && y >= 0 && x < width_ && y < height_) {
        pixels_[static_cast<size_t>(y) * width_ + x] = SwapRedBlue(c & 0xFFFFFF);
        Include(changed_, x, y, x + 1, y + 1);
    }
}

SizedFont& Picture::CurrentFont()
{
    return fonts_->Font(fontFace_, FontEngine::PixelSize(fontSize_), bold_);
}

void Picture::DrawLine(int x, int y, std::string_view text, const Rect& clip)
{
    SizedFont& font = CurrentFont();
    Surface surface{pixels_.data(), width_, height_, &changed_};
    uint32_t colour = SwapRedBlue(foreColor_);
    int baseline = y + font.Ascent();
    int pen = x;
    for (size_t pos = 0; pos < text.size();) {
        Utf8::Char c = Utf8::Decode(text, pos);
        pos += static_cast<size_t>(c.length);
        const Glyph& glyph = font.Get(c.code);
        surface.DrawGlyph(glyph, pen + glyph.left, baseline - glyph.top, colour, clip);
        pen += glyph.advance;
    }
    if (underline_ && pen > x) {
        int first = baseline + font.UnderlineOffset();
        Rect line = Intersect({x, first, pen, first + font.UnderlineThickness()}, clip);
        for (int row = line.top; row < line.bottom; ++row) {
            surface.Span(row, line.left, line.right - 1, colour);
        }
    }
}
