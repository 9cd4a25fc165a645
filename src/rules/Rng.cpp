#include "rules/Rng.h"

#include <bit>
#include <cmath>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define RNG_WIDE_LANES 1
#endif

namespace {

constexpr int MaxRows = 16;
constexpr int MaxColumns = 32;

#ifdef RNG_WIDE_LANES

#define WIDE __attribute__((target("avx512f,avx512dq,avx512vl")))

bool HasWideLanes()
{
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq") &&
           __builtin_cpu_supports("avx512vl");
}

// Rng::Top24 in eight lanes.
WIDE __m512i Top24(__m512i z)
{
    z = _mm512_xor_si512(z, _mm512_srli_epi64(z, 30));
    z = _mm512_mullo_epi64(z, _mm512_set1_epi64(static_cast<long long>(0xBF58476D1CE4E5B9ULL)));
    z = _mm512_xor_si512(z, _mm512_srli_epi64(z, 27));
    z = _mm512_mullo_epi64(z, _mm512_set1_epi64(static_cast<long long>(0x94D049BB133111EBULL)));
    return _mm512_srli_epi64(z, 40);
}

// step * (first + stride * lane) in each of the eight lanes: how far each lane's state lies ahead.
WIDE __m512i Ahead(uint64_t step, int first, int stride)
{
    const __m512i lanes = _mm512_set_epi64(7, 6, 5, 4, 3, 2, 1, 0);
    const __m512i draws =
        _mm512_add_epi64(_mm512_set1_epi64(first), _mm512_mullo_epi64(lanes, _mm512_set1_epi64(stride)));
    return _mm512_mullo_epi64(draws, _mm512_set1_epi64(static_cast<long long>(step)));
}

// Eight draws of Below(n), 1 <= n <= 256, at the states state + ahead.
WIDE __m256i Below(uint64_t state, __m512i ahead, int n)
{
    const __m512i draws = Top24(_mm512_add_epi64(_mm512_set1_epi64(static_cast<long long>(state)), ahead));
    // A 24-bit draw times n < 2^9 stays within 32 bits.
    const __m512i scaled = _mm512_srli_epi64(_mm512_mul_epu32(draws, _mm512_set1_epi64(n)), 24);
    return _mm512_cvtepi64_epi32(scaled);
}

WIDE Rng::Cell DrawUntilSetWide(uint64_t& state, uint64_t step, std::span<const uint32_t> rows, int columns)
{
    alignas(64) std::array<uint32_t, MaxRows> table{};
    std::copy(rows.begin(), rows.end(), table.begin());
    const __m512i bits = _mm512_load_si512(table.data());
    const int rowCount = static_cast<int>(rows.size());
    const __m256i one = _mm256_set1_epi32(1);
    const __m512i rowAhead = Ahead(step, 1, 2);
    const __m512i columnAhead = Ahead(step, 2, 2);
    for (;;) {
        const __m256i row = Below(state, rowAhead, rowCount);
        const __m256i column = Below(state, columnAhead, columns);
        const __m256i rowBits =
            _mm512_castsi512_si256(_mm512_permutexvar_epi32(_mm512_castsi256_si512(row), bits));
        const unsigned hits = _mm256_test_epi32_mask(_mm256_srlv_epi32(rowBits, column), one);
        if (hits != 0) {
            const int lane = std::countr_zero(hits);
            alignas(32) std::array<int32_t, 8> rowOf{};
            alignas(32) std::array<int32_t, 8> columnOf{};
            _mm256_store_si256(reinterpret_cast<__m256i*>(rowOf.data()), row);
            _mm256_store_si256(reinterpret_cast<__m256i*>(columnOf.data()), column);
            state += step * static_cast<uint64_t>(2 * lane + 2);
            return {rowOf[lane], columnOf[lane]};
        }
        state += step * 16;
    }
}

WIDE std::array<uint8_t, 8> EightBelowWide(uint64_t& state, uint64_t step, int n)
{
    std::array<uint8_t, 8> out{};
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out.data()),
                     _mm256_cvtepi32_epi8(Below(state, Ahead(step, 1, 1), n)));
    state += step * 8;
    return out;
}

#undef WIDE

#endif

} // namespace

int Rng::Rounded(int64_t k, int n)
{
    // Multiplying in double keeps u * n below n even where a float product would round up to it.
    const float u = static_cast<float>(k) * (1.0f / 16777216.0f);
    return static_cast<int>(std::floor(static_cast<double>(u) * n));
}

Rng::Cell Rng::DrawUntilSet(std::span<const uint32_t> rows, int columns, Lanes lanes)
{
    if (rows.size() > MaxRows || columns < 1 || columns > MaxColumns)
        return {-1, -1};
    uint32_t rowsSet = 0;
    for (size_t row = 0; row < rows.size(); ++row)
        rowsSet |= static_cast<uint32_t>(rows[row] != 0) << row;
    if (rowsSet == 0)
        return {-1, -1};
#ifdef RNG_WIDE_LANES
    if (lanes == Lanes::Widest && HasWideLanes())
        return DrawUntilSetWide(state_, Step, rows, columns);
#else
    (void)lanes;
#endif
    // The rows are looked at sixteen cells at a time, a cell's column only where its row has a set
    // bit; then just the draws up to the first set cell are taken.
    const int rowCount = static_cast<int>(rows.size());
    constexpr int Batch = 16;
    std::array<uint8_t, Batch> rowOf{};
    for (;;) {
        uint32_t candidates = 0;
        for (int i = 0; i < Batch; ++i) {
            rowOf[i] = static_cast<uint8_t>(PeekBelow(2 * i + 1, rowCount));
            candidates |= ((rowsSet >> rowOf[i]) & 1U) << i;
        }
        for (; candidates != 0; candidates &= candidates - 1) {
            const int i = std::countr_zero(candidates);
            const int column = PeekBelow(2 * i + 2, columns);
            if (((rows[rowOf[i]] >> column) & 1U) != 0) {
                Skip(2 * i + 2);
                return {rowOf[i], column};
            }
        }
        Skip(2 * Batch);
    }
}

std::array<uint8_t, 8> Rng::EightBelow(int n, Lanes lanes)
{
#ifdef RNG_WIDE_LANES
    if (lanes == Lanes::Widest && n >= 1 && n <= 256 && HasWideLanes())
        return EightBelowWide(state_, Step, n);
#else
    (void)lanes;
#endif
    std::array<uint8_t, 8> out{};
    for (int i = 0; i < 8; ++i)
        out[i] = static_cast<uint8_t>(PeekBelow(i + 1, n));
    Skip(8);
    return out;
}
