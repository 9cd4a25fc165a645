#include "rules/Opponent.h"

#include "rules/Beginner.h"
#include "rules/Evaluator.h"
#include "rules/Lookahead.h"

int32_t Opponent::Choose(int player, Rng& rng) const
{
    const Strength strength = lineup_.seats[player];
    if (strength == Strength::Standard)
        return Evaluator(rules_).Choose(player, rng);
    const uint64_t seed = DecisionSeed(lineup_, rules_.State(), player);
    if (strength == Strength::Weak) {
        Rng own(seed, true);
        return Beginner(rules_).Choose(player, own);
    }
    Lookahead lookahead(rules_.Tables(), rules_.State(), player, seed);
    while (!lookahead.Think(Lookahead::Samples)) {
    }
    return lookahead.Choice();
}

uint64_t Opponent::DecisionSeed(const Lineup& lineup, const MatchState& state, int player)
{
    // An odd multiplier keeps the seeds of different turns and seats apart.
    const uint64_t decision = static_cast<uint64_t>(static_cast<uint32_t>(state.turnCount)) * PlayerCount +
                              static_cast<uint64_t>(player) + 1;
    return lineup.seed + decision * 0xD1B54A32D192ED03ULL;
}
