#include "gfx/Picture.h"
#include "platform/FileSystem.h"
#include "platform/PngWriter.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

// The web build has no libpng: its screenshots are PNG files whose image data is stored, not
// compressed. Any PNG reader reads them as the desktop program's.
namespace {

uint32_t Crc(std::string_view bytes)
{
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> made;
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            made[n] = c;
        }
        return made;
    }();
    uint32_t c = 0xFFFFFFFFu;
    for (char b : bytes)
        c = table[(c ^ static_cast<uint8_t>(b)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void PutBigEndian(std::string& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>(value >> shift);
}

void PutChunk(std::string& out, std::string_view type, std::string_view data)
{
    PutBigEndian(out, static_cast<uint32_t>(data.size()));
    const std::string typed = std::string(type) + std::string(data);
    out += typed;
    PutBigEndian(out, Crc(typed));
}

// A zlib stream of stored blocks, each at most 65535 bytes.
std::string Stored(std::string_view raw)
{
    std::string out = "\x78\x01";
    size_t pos = 0;
    do {
        const size_t length = std::min<size_t>(raw.size() - pos, 0xFFFF);
        const bool last = pos + length == raw.size();
        out += static_cast<char>(last ? 1 : 0);
        out += static_cast<char>(length & 0xFF);
        out += static_cast<char>(length >> 8);
        out += static_cast<char>(~length & 0xFF);
        out += static_cast<char>((~length >> 8) & 0xFF);
        out.append(raw.substr(pos, length));
        pos += length;
    } while (pos < raw.size());
    uint32_t a = 1;
    uint32_t b = 0;
    for (char c : raw) {
        a = (a + static_cast<uint8_t>(c)) % 65521;
        b = (b + a) % 65521;
    }
    PutBigEndian(out, b << 16 | a);
    return out;
}

} // namespace

bool WritePng(const Picture& picture, const std::string& path)
{
    return WritePng(picture, path, picture.Width(), picture.Height());
}

bool WritePng(const Picture& picture, const std::string& path, int width, int height)
{
    if (!picture.Drawing() || width <= 0 || height <= 0 || width > picture.Width() ||
        height > picture.Height())
        return false;
    std::string raw;
    raw.reserve(static_cast<size_t>(height) * (width * 3 + 1));
    for (int y = 0; y < height; ++y) {
        // Filter type 0: the row as it is.
        raw += '\0';
        const uint32_t* in = picture.Data() + static_cast<ptrdiff_t>(y) * picture.Width();
        for (int x = 0; x < width; ++x) {
            raw += static_cast<char>(in[x] >> 16);
            raw += static_cast<char>(in[x] >> 8);
            raw += static_cast<char>(in[x]);
        }
    }
    std::string header;
    PutBigEndian(header, static_cast<uint32_t>(width));
    PutBigEndian(header, static_cast<uint32_t>(height));
    // 8 bits a channel, RGB, deflate, adaptive filtering, no interlace.
    header += std::string("\x08\x02\x00\x00\x00", 5);
    std::string png = "\x89PNG\r\n\x1A\n";
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", Stored(raw));
    PutChunk(png, "IEND", "");
    return FileSystem::WriteFile(path, png);
}
