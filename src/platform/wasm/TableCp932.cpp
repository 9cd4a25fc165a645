#include "platform/Cp932Codec.h"
#include "platform/wasm/Cp932Data.h"

#include <algorithm>
#include <memory>

namespace Cp932Codec {

const DecodeTable& Decoding()
{
    static const std::unique_ptr<DecodeTable> table = [] {
        auto made = std::make_unique<DecodeTable>();
        for (int b = 0; b < 256; ++b) {
            made->single[b] = Cp932Data::Single[b];
            made->lead[b] = Cp932Data::LeadRow[b] != 0;
            if (made->lead[b]) {
                const uint16_t* row = Cp932Data::Pairs[Cp932Data::LeadRow[b] - 1];
                std::copy(row, row + 256, made->pair[b].begin());
            } else {
                made->pair[b].fill(NoChar);
            }
        }
        return made;
    }();
    return *table;
}

uint16_t Encode(char32_t code)
{
    return code < 0x10000 ? Cp932Data::Encoded[code] : NoChar;
}

} // namespace Cp932Codec
