#include "fastsort.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <utility>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace stuledger {

namespace {

// One 16-bit key per record, chosen so that "j belongs before i" is always keys[j] < keys[i].
// A sex compares by its UTF-16 code, unsigned; flipping the top bit keeps that order in a
// signed number. Descending orders take the complement, which turns the order round.
std::int16_t sortKey(const StudentRecord& r, SortKey key, SortOrder order)
{
    std::int16_t k = key == SortKey::Age
                         ? r.Age.value()
                         : static_cast<std::int16_t>(r.Sex.value()[0].unicode() ^ 0x8000u);
    return order == SortOrder::Ascending ? k : static_cast<std::int16_t>(~k);
}

// The first position in [from, to) whose key is below bound, or to when there is none. This
// is the inner loop of the exchange sort between two exchanges, eight keys to a compare.
int firstBelow(const std::int16_t* keys, int from, int to, std::int16_t bound)
{
    int j = from;
    // Runs of exchanges one after another are common in reversed lists: look next door first.
    for (const int near = std::min(from + 4, to); j < near; ++j)
        if (keys[j] < bound)
            return j;
#if defined(__SSE2__)
    const __m128i b = _mm_set1_epi16(bound);
    auto block = [&](int at) {
        return _mm_cmplt_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(keys + at)), b);
    };
    for (; j + 32 <= to; j += 32) {
        const __m128i any = _mm_or_si128(_mm_or_si128(block(j), block(j + 8)),
                                         _mm_or_si128(block(j + 16), block(j + 24)));
        if (_mm_movemask_epi8(any) != 0)
            break;
    }
    for (; j + 8 <= to; j += 8) {
        if (const int mask = _mm_movemask_epi8(block(j)); mask != 0)
            return j + std::countr_zero(unsigned(mask)) / 2;
    }
#endif
    for (; j < to; ++j)
        if (keys[j] < bound)
            return j;
    return to;
}

} // namespace

void FastExchangeSort(rt::Array<StudentRecord>& students, SortKey key, SortOrder order)
{
    if (!students.exists())
        return;
    const int lower = students.LBound().value();
    const int n = students.UBound().value() - lower + 1;

    // The procedure runs on the keys and the records' places; the records move once at the end.
    const auto size = static_cast<std::size_t>(n);
    std::vector<std::int16_t> keys(size);
    std::vector<int> place(size);
    for (int k = 0; k < n; ++k) {
        keys[std::size_t(k)] = sortKey(students(lower + k), key, order);
        place[std::size_t(k)] = k;
    }
    for (int i = 0; i < n - 1; ++i) {
        // Comparing record i with j = i + 1 .. n; each exchange brings a new record to i.
        for (int j = firstBelow(keys.data(), i + 1, n, keys[std::size_t(i)]); j < n;
             j = firstBelow(keys.data(), j + 1, n, keys[std::size_t(i)])) {
            std::swap(keys[std::size_t(i)], keys[std::size_t(j)]);
            std::swap(place[std::size_t(i)], place[std::size_t(j)]);
        }
    }

    std::vector<StudentRecord> sorted;
    sorted.reserve(size);
    for (int k = 0; k < n; ++k)
        sorted.push_back(std::move(students(lower + place[std::size_t(k)])));
    for (int k = 0; k < n; ++k)
        students(lower + k) = std::move(sorted[std::size_t(k)]);
}

} // namespace stuledger
