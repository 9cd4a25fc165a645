#pragma once

#include "rules/CardFamily.h"
#include "rules/CardRecord.h"
#include "rules/MatchState.h"

#include <array>
#include <string>

// What the rules read of a card instance, worked out once from its definition. The god card's
// colour and a thread card's size (its trap mark) vary between games: those are the state's.
struct CardFacts {
    int32_t definition = 0;
    int32_t colour = 0;
    int32_t resNum = 0;
    int32_t size = 0;
    int32_t agesage = 0;
    CardFamily family = CardFamily::Plain;
    bool response = false;
};

// The card definitions and special texts the rules read: loaded once, shared by every copy of a
// game and never part of its state.
class RuleTables {
public:
    RuleTables() = default;
    RuleTables(const std::array<CardRecord, CardDefCount>& cardDefs,
               const std::array<std::string, SpecialTextCount>& specialTexts);

    const CardRecord& Def(int definition) const { return cardDefs_[definition]; }
    // Card instance 0..CardInstances-1.
    const CardFacts& Facts(int cardNo) const { return facts_[cardNo]; }
    // The response weights of a definition as running sums: a draw is one comparison per text.
    const std::array<int32_t, 5>& RunningWeights(int definition) const { return running_[definition]; }
    const std::string& Special(int index) const { return specialTexts_[index]; }
    // Whether a text the rules chose is empty; a thread's texts are the deal's.
    bool IsEmpty(const TextRef& text, const ThreadDeal& threads) const;
    // The text itself, for what does not belong to a thread (pop-ups); a thread's responses are
    // made by whoever holds the thread files.
    std::string Text(const TextRef& text) const;

private:
    std::array<CardRecord, CardDefCount> cardDefs_{};
    std::array<std::array<int32_t, 5>, CardDefCount> running_{};
    std::array<CardFacts, CardInstances> facts_{};
    std::array<std::string, SpecialTextCount> specialTexts_{};
};
