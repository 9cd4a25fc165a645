#pragma once

#include "rules/CardFamily.h"
#include "rules/Happening.h"
#include "rules/MatchState.h"
#include "rules/RuleTables.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// The rules of the game as functions on a MatchState: dealing, the turn order of both modes, what
// may be played where, playing and discarding, and the end. Each happening goes to the watcher at
// the moment it happens and, if asked, into a list; nothing here waits, draws or reads a clock.
class Rules {
public:
    Rules(const RuleTables& tables, MatchState& state) : t_(tables), s_(state) {}

    void Watch(Watcher* watcher) { watcher_ = watcher; }
    void Record(std::vector<Happening>* happenings) { record_ = happenings; }
    // The local date of the responses posted from now on (minutes since 1970 of the local calendar).
    void PostDate(int32_t date) { date_ = date; }

    const RuleTables& Tables() const { return t_; }
    MatchState& State() { return s_; }
    const MatchState& State() const { return s_; }

    // A card instance: its definition, colour and figures. A thread card's size is its trap mark.
    // cardNo is 0..CardInstances-1.
    int32_t CardDef(int cardNo) const { return t_.Facts(cardNo).definition; }
    int32_t CardColour(int cardNo) const
    {
        return cardNo == VariableGodCard ? s_.cards.godColour : t_.Facts(cardNo).colour;
    }
    int32_t CardResNum(int cardNo) const { return t_.Facts(cardNo).resNum; }
    int32_t CardSize(int cardNo) const
    {
        return cardNo < ThreadCardCount ? s_.cards.crashMark[cardNo] : t_.Facts(cardNo).size;
    }
    int32_t CardAgesage(int cardNo) const { return t_.Facts(cardNo).agesage; }
    // A fresh weighted draw of the card's response text; None when every weight is 0.
    TextRef CardResText(int cardNo);
    int32_t CardMax() const { return (s_.GameMode & ModeExtra) != 0 ? 328 : 204; }
    bool CardsOut() const { return s_.cards.drawCount == CardMax(); }
    int32_t RestCards() const { return CardMax() - s_.cards.drawCount; }
    int32_t MyCardLast(int player) const { return CardMax() / 4 - s_.players[player].myCardCount; }

    // Setting up: the players' names, colours and IDs; the empty board and the first player; the
    // deal of the cards for the threads dealt meanwhile; a deck shown; the hands and the openers.
    void CharacterInit(int32_t nameIndex, int32_t colour);
    void BeginDeal();
    void DealCards(const ThreadDeal& threads);
    void ShowDeck(int column);
    // The deck in the order the preview shows it: sorted, one special card hidden (-1).
    std::vector<int32_t> DeckPreview(int column) const;
    void DealHands();
    // The player who opens the thread of each of the four first plays, in order.
    std::array<int, 4> OpeningOrder() const;
    void OpenThread(int player, int32_t date);
    void DrawOpening(int player);
    // The next card for a player; -1 once every card of the game is drawn, NO_CARD from an
    // exhausted deck.
    int32_t NextCard(int player);

    // The turn order: the next player to move (bans and waits run down on the way).
    int32_t NextMover();
    int32_t CurrentPlayer() const;
    // What the player may play where; with nothing playable, the card at the cursor is thrown away.
    void CardEnableCheck(int player);
    // The check at the start of a turn, which announces a hand with nothing playable.
    void BeginTurn(int player);
    bool IsEnableCard(int cardNo, int position) const;
    // The play at the player's cursors, or nothing when the cursor is on an empty slot or a card that
    // may not go there.
    std::optional<CardPlay> PlayAtCursor(int player) const;
    // The card takes effect (nothing happens for a discard); the player then draws in its place.
    void Resolve(const CardPlay& play);
    void Replenish(const CardPlay& play);
    // The end: every live thread is finished in turn and the bans are lifted.
    void FinishBoard();
    void LiftBans();

    void AddWaitCount(int player, int32_t cost);
    void MoveCurrentCard(int player, int step);
    void MoveCurrentThread(int player, int step);
    void SortHand(int player);
    // The points; scoreMode 0 thread points, 1 response points, 2 other points.
    void AddScore(int player, int32_t points, int32_t scoreMode);
    // A finished thread of the player's, for the result table's counts.
    void AddThread(int player, int32_t resNum);
    void SetRank();
    static int32_t GetThreadPoint(int32_t resNum);
    // A poster's ID: eight characters drawn from the random source.
    std::array<char, 8> MakeId();

    // The board, by position.
    ThreadState& ThreadAt(int position) { return s_.board.threads[s_.board.order[position]]; }
    const ThreadState& ThreadAt(int position) const { return s_.board.threads[s_.board.order[position]]; }
    void BoardInit();
    void AddPosts(int slot, int32_t count, int8_t name, const std::array<char, 8>* id, int32_t agesage,
                  uint8_t kind, TextRef text, bool priority, int32_t gotMode);
    void SetAbone(int slot);
    void PayCard(int position, int cardNo, int player);

private:
    friend struct ThreadCtrlProbe;
    // The card instance whose colour is the god card's of the game.
    static constexpr int VariableGodCard = 238;

    struct Payment;

    void Happen(Happening::Kind kind, int32_t eventIndex = 0, TextRef text = {}, int32_t target = 0,
                int32_t score = 0);
    TextRef FillerText(const ThreadState& thread, int32_t gotMode);
    // What the open board positions allow, a bit for each position, read once for a whole hand.
    struct Openings {
        uint32_t open = 0;
        // Threads that take cards at all.
        uint32_t live = 0;
        // No admin or god on the board.
        uint32_t unmarked = 0;
        // The admin's or the god's own thread.
        uint32_t blessed = 0;
        // Three rainbow cards of the owner's.
        uint32_t jien3 = 0;
        // Owned by another than the player to move.
        uint32_t othersOwn = 0;
        bool anyThread = false;
        bool threadCards = false;
        std::array<int32_t, BoardPositions> colour{};
        std::array<int32_t, BoardPositions> agesage{};
        // The positions of each card colour, and those that take a card of age (0) and of sage (1):
        // the masks most cards need, made once for the ten cards of a hand.
        std::array<uint32_t, 5> colourAt{};
        std::array<uint32_t, 2> sageOk{};
    };
    Openings Survey() const;
    // Whether a thread card of the colour may open a thread while no admin or god is on the board.
    bool ThreadCardAllowed(int32_t colour) const;
    // The positions a card may go to, a bit for each.
    uint32_t PositionsFor(int cardNo, const Openings& o) const;
    int32_t NextMaatariMover();
    int32_t NextHarshMover();
    void CountDownWaits();

    void SetGotFlags(int slot, int32_t value);
    void ClearGotFlags();
    void StartFesta(int slot);
    void EndFesta(int32_t color);
    void MoveUp(int from, int to);
    void MoveDown(int from, int to);
    void NewThread(int player, int cardNo, int32_t color, int32_t browserCrash);
    void RemoveThread(int position);
    void FinishThread(int position);
    void SortThreads();

    void PaySecondPost(Payment& play);
    void PayFestival(Payment& play);
    void PayCalmDown(Payment& play);
    void PayJudge(Payment& play, bool good);
    void PaySage(Payment& play);
    void PayPresent(Payment& play);
    void PayThousandRace(Payment& play);
    void PayDescent(Payment& play);
    void PayTrueStopper(Payment& play);
    void PayAccessBan(Payment& play);
    void PayCapacityUp(Payment& play);
    void PayCapacityDown(Payment& play);
    void PayDelete(Payment& play);
    void PayAbone(Payment& play);
    void PayTroll(Payment& play);
    void PayThreadCard(Payment& play);
    void Settle(Payment& play, CardFamily family);
    void PayMilestone(ThreadState& thread, int position, int player);
    void TrollRaid(int cardNo);

    const RuleTables& t_;
    MatchState& s_;
    Watcher* watcher_ = nullptr;
    std::vector<Happening>* record_ = nullptr;
    int32_t date_ = 0;
};
