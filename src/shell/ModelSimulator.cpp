#include "shell/ModelSimulator.h"

#include "rules/Rules.h"
#include "shell/StateTrace.h"

#include <algorithm>
#include <array>
#include <span>

namespace {

// The lists of the title's staff roll, by the number of responses each shows.
constexpr std::array<int32_t, 10> StaffRollNumbers = {1, 2, 100, 140, 460, 540, 780, 940, 980, 1000};

} // namespace

ModelSimulator::ModelSimulator(const RuleTables& tables, const ThreadLibrary& library, uint64_t seed,
                               const std::array<std::optional<Strength>, PlayerCount>& seats)
    : tables_(tables), library_(library), seats_(seats), seed_(seed)
{
    // A seed given to the program is never reseeded from the clock: the model's source is as fixed.
    state_.rng = Rng(seed, true);
    Rules rules(tables_, state_);
    rules.CharacterInit(0, 0);
    // The title's staff roll is posted once, before the first game, as a thread's responses would be:
    // an ID and an (empty) filler text for each response below the newest, an ID for the newest. The
    // roll's texts are never empty, so the newest draws no filler.
    for (const int32_t number : StaffRollNumbers) {
        for (int i = std::min(number, 8) - 1; i >= 1; --i) {
            rules.MakeId();
            state_.rng.Below(20);
        }
        rules.MakeId();
    }
}

void ModelSimulator::Happened(const Happening& happening)
{
    happenings_.push_back(happening);
}

void ModelSimulator::OnCommit(const CardPlay& play, bool after)
{
    if (trace_ == nullptr)
        return;
    if (!after) {
        before_ = state_.board;
        firstOfCard_ = happenings_.size();
        return;
    }
    const std::span<const Happening> ofCard(happenings_.data() + firstOfCard_,
                                            happenings_.size() - firstOfCard_);
    *trace_ << StateTrace::CardLine(games_ + 1, play, before_, Rules(tables_, state_), ofCard) << '\n';
}

std::string ModelSimulator::PlayGame(int mode, int32_t date, std::ostream* trace)
{
    trace_ = trace;
    happenings_.clear();
    const Playout::CommitHook onCommit = [this](const CardPlay& play, bool after) { OnCommit(play, after); };
    // As the selection screen deals a free game for the command line's seats.
    Lineup lineup = Lineup::Opponents(Strength::Standard, Lineup::SeedFor(state_.rng));
    for (int seat = 0; seat < PlayerCount; ++seat)
        lineup.seats[seat] = seats_[seat].value_or(Strength::Standard);
    const Playout playout(tables_, library_, lineup);
    playout.Deal(state_, mode, date, this, onCommit);
    playout.Finish(state_, date, this, onCommit);
    trace_ = nullptr;
    ++games_;
    return StateTrace::GameLine(games_, seed_, state_, happenings_);
}
