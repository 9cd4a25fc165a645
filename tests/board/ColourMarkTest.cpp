#include "board/BoardGame.h"
#include "players/PlayerCtrl.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <gtest/gtest.h>

namespace {

using Matrix = std::array<std::array<double, 3>, 3>;

// Colour-blind sight at full severity (Machado, Oliveira and Fernandes 2009), on sRGB values.
constexpr std::array<std::pair<const char*, Matrix>, 3> Sights = {{
    {"protanopia",
     {{{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}}}},
    {"deuteranopia",
     {{{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}}}},
    {"tritanopia",
     {{{1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602}, {0.004733, 0.691367, 0.303900}}}},
}};

// The lightness of a pixel (0x00BBGGRR) as that sight sees it, 0..1.
double Seen(Color c, const Matrix& m)
{
    const std::array<double, 3> rgb = {(c & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0,
                                       ((c >> 16) & 0xFF) / 255.0};
    double light = 0;
    const std::array<double, 3> weight = {0.2126, 0.7152, 0.0722};
    for (int row = 0; row < 3; ++row) {
        double v = 0;
        for (int k = 0; k < 3; ++k)
            v += m[row][k] * rgb[k];
        light += weight[row] * std::clamp(v, 0.0, 1.0);
    }
    return light;
}

// Four threads, one of each colour, each opened by another player, painted with or without marks.
struct Board {
    explicit Board(bool marks)
    {
        for (int player = 0; player < 4; ++player) {
            b.game.playerCtrl->Player(player).color = player;
            b.Open(player, player + 1);
        }
        b.game.colourMarks = marks;
        b.game.PictureMain.Clear();
        b.board.Paint(b.game.PictureMain, 0);
    }
    // The pixels of a row's mark box (left edge dx from the row's start), as a sight sees them.
    std::vector<double> Box(int row, int dx, const Matrix& sight) const
    {
        std::vector<double> seen;
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x)
                seen.push_back(Seen(b.game.PictureMain.Pixel(69 + dx + x, 2 + 16 * row + 3 + y), sight));
        return seen;
    }
    BoardGame b{true};
};

constexpr int ThreadMarkX = 83;
constexpr int PlayerMarkX = 348;

TEST(ColourMark, EveryPairOfThreadColoursAndOfPlayersStaysApartToEverySight)
{
    const Board marked(true);
    for (const auto& [name, sight] : Sights) {
        for (const int dx : {ThreadMarkX, PlayerMarkX}) {
            for (int a = 0; a < 4; ++a) {
                for (int c = a + 1; c < 4; ++c) {
                    const std::vector<double> one = marked.Box(a, dx, sight);
                    const std::vector<double> other = marked.Box(c, dx, sight);
                    int apart = 0;
                    for (size_t i = 0; i < one.size(); ++i)
                        apart += std::abs(one[i] - other[i]) > 0.5 ? 1 : 0;
                    EXPECT_GE(apart, 8) << name << ": rows " << a << " and " << c << " at " << dx;
                }
            }
        }
    }
}

TEST(ColourMark, WithoutThemTheBoardIsAsBefore)
{
    const Board plain(false);
    const Board marked(true);
    int differing = 0;
    const Picture& before = plain.b.game.PictureMain;
    const Picture& after = marked.b.game.PictureMain;
    for (int y = 0; y < 2 + 16 * 4; ++y)
        for (int x = 0; x < before.Width(); ++x)
            differing += before.Pixel(x, y) != after.Pixel(x, y) ? 1 : 0;
    EXPECT_GT(differing, 0);
    // Only the mark boxes change.
    for (int row = 0; row < 4; ++row) {
        for (const int dx : {ThreadMarkX, PlayerMarkX}) {
            for (int y = 0; y < 12; ++y)
                for (int x = 0; x < 12; ++x) {
                    const int px = 69 + dx - 1 + x;
                    const int py = 2 + 16 * row + 2 + y;
                    differing -= before.Pixel(px, py) != after.Pixel(px, py) ? 1 : 0;
                }
        }
    }
    EXPECT_EQ(differing, 0);
}

} // namespace
