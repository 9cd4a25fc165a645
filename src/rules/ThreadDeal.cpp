#include "rules/ThreadDeal.h"

#include "rules/Rng.h"

#include <algorithm>
#include <utility>

ThreadOrder ShuffleThreadFiles(Rng& rng)
{
    ThreadOrder order{};
    for (int i = 0; i < ThreadFileCount; ++i)
        order[i] = static_cast<int16_t>(i);
    for (int i = 0; i < ThreadFileCount; ++i)
        std::swap(order[i], order[rng.Below(ThreadFileCount)]);
    return order;
}

ThreadDeal DealThreads(Rng& rng, const ThreadLibrary& library)
{
    const ThreadOrder order = ShuffleThreadFiles(rng);
    return DealThreads(rng, order, library);
}

ThreadDeal DealThreads(Rng& rng, const ThreadOrder& order, const ThreadLibrary& library)
{
    ThreadDeal deal;
    deal.file.fill(-1);
    for (auto& responses : deal.pool)
        responses.fill(-1);

    const int poolMax = static_cast<int>(library.poolEmpty.size()) - 1;
    int n = 0;
    for (int i = 0; i < ThreadFileCount && n < ThreadCardCount; ++i) {
        const int file = order[i];
        const int pieces = library.pieces[file];
        if (pieces <= 0)
            continue;
        deal.file[n] = static_cast<int16_t>(file);
        const int own = std::min(pieces - 3, 19);
        uint32_t empty = own >= 0 ? library.ownEmpty[file] & ((1u << (own + 1)) - 1) : 0;
        for (int k = std::max(own + 1, 0); k <= 19; ++k) {
            const int pick = rng.Below(poolMax + 1);
            deal.pool[n][k] = static_cast<int16_t>(pick);
            if (pick < 0 || pick > poolMax || library.poolEmpty[pick])
                empty |= 1u << k;
        }
        deal.emptyMask[n] = empty;
        ++n;
    }
    deal.dealt = n;
    if (n > 0) {
        for (int w = n; w < ThreadCardCount; ++w) {
            deal.file[w] = deal.file[w % n];
            deal.pool[w] = deal.pool[w % n];
            deal.emptyMask[w] = deal.emptyMask[w % n];
        }
    }
    return deal;
}
