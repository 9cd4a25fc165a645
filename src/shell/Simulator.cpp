#include "shell/Simulator.h"

#include "shell/CommandLine.h"
#include "shell/Game.h"

Simulator::Simulator(Game& game, const CommandLine& line, uint64_t seed, std::ostream& report,
                     std::ostream* trace, std::function<void(int state)> observer)
    : game_(game), report_(game, seed, line.games, line.games > 0 ? &report : nullptr)
{
    if (trace != nullptr) {
        trace_ = std::make_unique<PlayTrace>(game, report_, *trace);
        game.onCardCommit = [this](const CardPlay& play, bool after) { trace_->OnCardCommit(play, after); };
    }
    game.onEvent = [this](int32_t eventIndex, const std::string& eventString, int32_t eventTarget,
                          int32_t eventScore) {
        report_.OnEvent(eventIndex);
        if (trace_)
            trace_->OnEvent(eventIndex, eventString, eventTarget, eventScore);
    };
    auto waits = [this, observer = std::move(observer)](int state) {
        report_.OnInputWait(state);
        if (observer)
            observer(state);
    };
    if (line.autoplay) {
        autopilot_ = std::make_unique<Autopilot>(game, line.mode, line.extra, !line.headless);
        autopilot_->Attach(std::move(waits));
    } else {
        game.onInputWait = std::move(waits);
    }
}

Simulator::~Simulator()
{
    game_.onInputWait = nullptr;
    game_.onEvent = nullptr;
    game_.onCardCommit = nullptr;
}
