#pragma once

// GameMode bits.
constexpr int ModeDeck = 1;
constexpr int ModeHarsh = 2;
constexpr int ModeExtra = 64;

// Marks an empty hand slot; sorts after every card.
constexpr int NO_CARD = 2147483647;

// Board positions, hand slots and players of every game.
constexpr int BoardPositions = 12;
constexpr int HandSlots = 10;
constexpr int PlayerCount = 4;
// Card instances: 45 thread cards, then 48 rainbow, 144 coloured and 9 special cards.
constexpr int CardInstances = 246;
constexpr int ThreadCardCount = 45;
constexpr int PileSize = 328;
constexpr int ThreadFileCount = 200;
