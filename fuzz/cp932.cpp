// The CP932 conversions: any bytes decode to UTF-8 that encodes and decodes back to itself, and any
// bytes taken as UTF-8 measure and cut the way they encode.
#include "text/Cp932.h"

#include "FuzzCheck.h"
#include "text/Utf8.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::string text = Cp932::ToUtf8(bytes);
    FUZZ_CHECK(Utf8::IsValid(text));
    const std::string encoded = Cp932::FromUtf8(text);
    FUZZ_CHECK(encoded.size() <= bytes.size());
    FUZZ_CHECK(Cp932::ToUtf8(encoded) == text);
    FUZZ_CHECK(Cp932::ByteLength(text) == static_cast<int>(encoded.size()));

    // The same bytes read as UTF-8, broken or not.
    const int length = Cp932::ByteLength(bytes);
    FUZZ_CHECK(length == static_cast<int>(Cp932::FromUtf8(bytes).size()));
    const int limit = size > 0 ? data[0] : 0;
    const std::string_view prefix = Cp932::PrefixOfBytes(bytes, limit);
    FUZZ_CHECK(bytes.starts_with(prefix));
    FUZZ_CHECK(Cp932::ByteLength(prefix) <= limit);
    FUZZ_CHECK(length > limit || prefix.size() == bytes.size());
    return 0;
}
