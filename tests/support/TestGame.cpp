#include "support/TestGame.h"

#include "gfx/FontEngine.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

FontEngine& SharedFonts()
{
    static std::unique_ptr<FontEngine> fonts = FontEngine::Create();
    return *fonts;
}

TestGame::TestGame(bool draw, uint64_t seed, std::string appPath)
    : game(platform, draw ? &SharedFonts() : nullptr, seed, true, std::move(appPath))
{
}

void TestGame::LoadFixtureData()
{
    static const int kResNums[4] = {1, 10, 50, 100};
    for (int i = 0; i < CardDefCount; ++i) {
        CardRecord& r = game.cardDefs[i];
        r = CardRecord{};
        r.cardIndex = i;
        r.resNum = i < AdminCard ? kResNums[i % 4] : 0;
        r.Size = i < AdminCard ? 1 + (i % 4) * 10 : (i == AdminCard || i == GodCard ? 2 : 0);
        r.CardText = "card " + std::to_string(i);
        r.ResText[0] = "res of card " + std::to_string(i);
        r.resWeight[0] = 1;
    }
    for (int i = 0; i < SpecialTextCount; ++i)
        game.specialTexts[i] = "special " + std::to_string(i);
    for (int i = 0; i < 20; ++i)
        game.PublicRes[i] = "pool " + std::to_string(i);
    game.PublicResMax = 19;
    for (int t = 0; t < 45; ++t) {
        ThreadText& text = game.ThreadTexts[t];
        text.Title = "thread " + std::to_string(t);
        text.PosterName = "poster " + std::to_string(t);
        text.Body = "body " + std::to_string(t);
        for (int k = 0; k < 20; ++k)
            text.Responses[k] = "thread " + std::to_string(t) + " res " + std::to_string(k);
    }
    const char* names[8] = {"名無しさん",   "たかし",       "通りすがり", "マルチ",
                            "（・A・）ｱｿｳ", "（*ﾟДﾟ）さん", "シャア専用", "御老公"};
    for (int i = 0; i < 8; ++i)
        game.PlayerNames[i] = names[i];
}

std::string MakeTempDir()
{
    std::string pattern = "/tmp/pakaponta-test-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a temporary folder");
    return pattern + "/";
}
