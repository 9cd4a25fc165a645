#pragma once

#include "rules/CardRecord.h"

// What a card does when it is played, beyond adding its responses. Several definitions share a
// family (four second-post cards, two of each of the festival, calm-down, sage and thousand-race
// cards, the admin and the god); the rules, the card faces and the computer player all speak of
// families, and only here are they tied to definition indices.
enum class CardFamily {
    Plain,
    SecondPost,
    Festival,
    CalmDown,
    GoodThread,
    BadThread,
    Sage,
    Present,
    ThousandRace,
    RoundNumber,
    Descent,
    TrueStopper,
    AccessBan,
    CapacityUp,
    CapacityDown,
    Delete,
    Abone,
    Troll,
    Thread,
};

constexpr CardFamily FamilyOf(int cardIndex)
{
    switch (cardIndex) {
    case SecondPostCard:
    case SecondPostCard + 1:
    case SecondPostCard + 6:
    case SecondPostCard + 7:
        return CardFamily::SecondPost;
    case FestivalCard:
    case FestivalCard + 10:
        return CardFamily::Festival;
    case CalmDownCard:
    case CalmDownCard + 1:
        return CardFamily::CalmDown;
    case GoodThreadCard:
        return CardFamily::GoodThread;
    case BadThreadCard:
        return CardFamily::BadThread;
    case SageCard:
    case SureSageCard:
        return CardFamily::Sage;
    case PresentCard:
        return CardFamily::Present;
    case ThousandRaceCard:
    case ThousandRaceCard + 1:
        return CardFamily::ThousandRace;
    case RoundNumberCard:
        return CardFamily::RoundNumber;
    case AdminCard:
    case GodCard:
        return CardFamily::Descent;
    case TrueStopperCard:
        return CardFamily::TrueStopper;
    case AccessBanCard:
        return CardFamily::AccessBan;
    case CapacityUpCard:
        return CardFamily::CapacityUp;
    case CapacityDownCard:
        return CardFamily::CapacityDown;
    case DeleteCard:
        return CardFamily::Delete;
    case AboneCard:
        return CardFamily::Abone;
    case TrollCard:
        return CardFamily::Troll;
    case ThreadCard:
        return CardFamily::Thread;
    default:
        return CardFamily::Plain;
    }
}

// Response cards add responses to a thread of their colour; the rest are specials and the thread card.
constexpr bool IsResponseCard(int cardIndex)
{
    return cardIndex < AdminCard;
}
