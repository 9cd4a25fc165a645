#include "platform/sdl/WindowPresenter.h"

#include "gfx/ChangedArea.h"

#include <algorithm>
#include <cstring>

WindowPresenter::WindowPresenter(SDL_Window* window, int width, int height)
    : window_(window), width_(width), height_(height)
{
}

void WindowPresenter::Show(const uint32_t* pixels, int stride)
{
    Rect area{0, 0, width_, height_};
    if (haveFrame_) {
        area = ChangedArea(shown_.data(), pixels, stride, width_, height_);
        if (Empty(area))
            return;
    } else {
        shown_.resize(static_cast<size_t>(width_) * height_);
        haveFrame_ = true;
    }
    for (int y = area.top; y < area.bottom; ++y) {
        std::memcpy(shown_.data() + static_cast<ptrdiff_t>(y) * width_ + area.left,
                    pixels + static_cast<ptrdiff_t>(y) * stride + area.left,
                    static_cast<size_t>(area.right - area.left) * sizeof(uint32_t));
    }
    Send(area);
}

void WindowPresenter::Redraw()
{
    if (!haveFrame_)
        return;
    surface_ = nullptr;
    Send({0, 0, width_, height_});
}

bool WindowPresenter::ToPicture(int& x, int& y) const
{
    int windowWidth = 0;
    int windowHeight = 0;
    SDL_GetWindowSize(window_, &windowWidth, &windowHeight);
    const Layout layout = LayoutFor(windowWidth, windowHeight);
    if (x < layout.x || y < layout.y)
        return false;
    x = (x - layout.x) / layout.scale;
    y = (y - layout.y) / layout.scale;
    return x < width_ && y < height_;
}

WindowPresenter::Layout WindowPresenter::LayoutFor(int windowWidth, int windowHeight) const
{
    Layout layout;
    layout.scale = std::max(1, std::min(windowWidth / width_, windowHeight / height_));
    layout.x = std::max(0, (windowWidth - width_ * layout.scale) / 2);
    layout.y = std::max(0, (windowHeight - height_ * layout.scale) / 2);
    return layout;
}

void WindowPresenter::Send(Rect area)
{
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (surface == nullptr)
        return;
    const Layout layout = LayoutFor(surface->w, surface->h);
    const bool fresh = surface != surface_ || surface->w != surfaceWidth_ || surface->h != surfaceHeight_;
    if (fresh) {
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
        area = {0, 0, width_, height_};
        surface_ = surface;
        surfaceWidth_ = surface->w;
        surfaceHeight_ = surface->h;
    }
    Copy(surface, layout, area);
    if (fresh) {
        SDL_UpdateWindowSurface(window_);
        return;
    }
    SDL_Rect sent{layout.x + area.left * layout.scale, layout.y + area.top * layout.scale,
                  (area.right - area.left) * layout.scale, (area.bottom - area.top) * layout.scale};
    sent.w = std::min(sent.w, surface->w - sent.x);
    sent.h = std::min(sent.h, surface->h - sent.y);
    if (sent.w > 0 && sent.h > 0)
        SDL_UpdateWindowSurfaceRects(window_, &sent, 1);
}

void WindowPresenter::Copy(SDL_Surface* surface, const Layout& layout, const Rect& area) const
{
    const SDL_PixelFormat& format = *surface->format;
    const int scale = layout.scale;
    if (format.BytesPerPixel != 4 || format.Rmask != 0xFF0000 || format.Gmask != 0xFF00 ||
        format.Bmask != 0xFF) {
        // Any other layout: let SDL convert (and stretch) the block.
        SDL_Surface* frame = SDL_CreateRGBSurfaceWithFormatFrom(
            const_cast<uint32_t*>(shown_.data()), width_, height_, 32, width_ * 4, SDL_PIXELFORMAT_RGB888);
        if (frame == nullptr)
            return;
        SDL_Rect from{area.left, area.top, area.right - area.left, area.bottom - area.top};
        SDL_Rect to{layout.x + from.x * scale, layout.y + from.y * scale, from.w * scale, from.h * scale};
        SDL_BlitScaled(frame, &from, surface, &to);
        SDL_FreeSurface(frame);
        return;
    }
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0)
        return;
    // Opaque wherever the buffer keeps an alpha channel.
    const uint32_t opaque = format.Amask;
    const int left = area.left;
    const int right = std::min(area.right, (surface->w - layout.x) / scale);
    for (int y = area.top; y < area.bottom && right > left; ++y) {
        const int firstRow = layout.y + y * scale;
        if (firstRow + scale > surface->h)
            break;
        const uint32_t* in = shown_.data() + static_cast<ptrdiff_t>(y) * width_;
        auto* out = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels) +
                                                static_cast<ptrdiff_t>(firstRow) * surface->pitch) +
                    layout.x;
        if (scale == 1 && opaque == 0) {
            std::memcpy(out + left, in + left, static_cast<size_t>(right - left) * sizeof(uint32_t));
        } else {
            for (int x = left; x < right; ++x)
                std::fill_n(out + x * scale, scale, in[x] | opaque);
        }
        // The further rows of a scaled picture row are copies of its first.
        const size_t bytes = static_cast<size_t>(right - left) * scale * sizeof(uint32_t);
        for (int k = 1; k < scale; ++k) {
            std::memcpy(reinterpret_cast<uint8_t*>(out + left * scale) +
                            static_cast<ptrdiff_t>(k) * surface->pitch,
                        out + left * scale, bytes);
        }
    }
    if (SDL_MUSTLOCK(surface))
        SDL_UnlockSurface(surface);
}
