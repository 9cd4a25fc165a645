#pragma once

#include "rules/RuleConstants.h"

#include <array>
#include <cstdint>
#include <vector>

class Rng;

// What the rules need to know of the thread files and the shared response pool to deal a game's
// threads: which files can be read, how many pieces each has, and which texts are empty (an empty
// response is replaced by another draw, so emptiness changes the random sequence).
struct ThreadLibrary {
    // Pieces of each file (title, body, responses...), 0 for a file that cannot be read.
    std::array<int16_t, ThreadFileCount> pieces{};
    // Bit k: the file's own response k is empty.
    std::array<uint32_t, ThreadFileCount> ownEmpty{};
    // Bit i: the pool's response i is empty; the pool's size is the vector's.
    std::vector<bool> poolEmpty;
};

// The 45 threads of one game: which file each comes from and where each of its 20 responses does.
struct ThreadDeal {
    // -1: no file was dealt to this thread and it keeps the texts it had.
    std::array<int16_t, ThreadCardCount> file{};
    // -1: the file's own response; otherwise an index into the response pool.
    std::array<std::array<int16_t, 20>, ThreadCardCount> pool{};
    // Bit k: response k of the thread is empty.
    std::array<uint32_t, ThreadCardCount> emptyMask{};
    // How many threads came from a file of their own; the rest repeat them in order.
    int32_t dealt = 0;

    bool operator==(const ThreadDeal&) const = default;
};

// The order the thread files are tried in for one game: every file, shuffled.
using ThreadOrder = std::array<int16_t, ThreadFileCount>;
ThreadOrder ShuffleThreadFiles(Rng& rng);

// Draws the game's threads from the library in a random order, topping up files with fewer than
// 20 responses from the pool; with fewer readable files than threads, the dealt ones repeat.
ThreadDeal DealThreads(Rng& rng, const ThreadLibrary& library);
// The same in an order already drawn: only the files up to the last one dealt are looked at, so a
// library need only know those.
ThreadDeal DealThreads(Rng& rng, const ThreadOrder& order, const ThreadLibrary& library);
