#pragma once

#include "board/Res.h"
#include "gfx/Geometry.h"
#include "rules/Lineup.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

class Game;
class Picture;

// The screens outside play: the title with its menu, the name and colour selection, the game start,
// and after a game the winner's ending, the result table and the closing text.
class Opening {
public:
    explicit Opening(Game& game);

    void ClassInit(Picture* mainPic, Picture* temppic);
    void GotoOpening();
    void PaintOpening();
    void MoveOpening(int keys);
    void PaintSelect();
    void MoveSelect(int keys);
    // The opponents' strength for the games to come, shown at once.
    void ChooseOpponents(Strength opponents);
    // A daily deal is played against standard opponents whatever was chosen: nothing to choose there.
    bool OpponentsFixed() const;
    // Where the selection screen shows each strength: the area a click picks it in.
    static Rect OpponentsBox(Strength opponents);
    void PaintOpenCard();
    // A kept game, dealt as the state says, taken up where it waited: at its deck preview (the rest
    // of the game then runs inside this call) or at the player's turn.
    void ResumeDeckShow(int32_t name, int32_t colour);
    void ResumePlayerTurn(int32_t name, int32_t colour);
    void PaintEnding();
    void PaintEndText();

    int32_t selectedName() const { return selectedName_; }
    int32_t selectedColor() const { return selectedColor_; }
    int32_t extraCount() const { return extraCount_; }
    const std::array<int32_t, 55>& endingSchedule() const { return endingSchedule_; }

private:
    void StartGame();
    // From the dealt cards on: the hands, the first threads, and the turns up to the player's.
    void PlayDealt();
    // One response list of the staff roll: number responses posted, the last with the text.
    std::array<ResEntry, 8> StaffEntries(int32_t number, const std::string& text, const std::string& date);
    void PlayEnding();
    void PaintEndingStep(int step);
    void PlayCurtain();
    void DrawTextAt(const std::string& text, int x, int y);
    static Color FadeGrey(int n);
    static Color RiseGrey(int f);

    Game& game_;
    Picture* main_ = nullptr;
    Picture* temp_ = nullptr;
    int32_t selectedName_ = 0;
    int32_t selectedColor_ = 0;
    bool openingShown_ = false;
    int32_t extraCount_ = 0;
    std::array<std::string, 14> endingTexts_;
    std::array<std::unique_ptr<Res>, 10> staffRoll_;
    std::array<int32_t, 10> endingCards_ = {0, 45, 81, 65, 90, 75, 88, 85, 72, 61};
    std::array<int32_t, 55> endingSchedule_{};
};
