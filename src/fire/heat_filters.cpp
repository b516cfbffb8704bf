#include "fire/heat_filters.h"

#include <cstring>
#include <iterator>
#include <vector>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define CINDRAL_SSE2 1
#endif

namespace cindral::fire {

void vbClearEdge(int W, int H, std::uint8_t* buffer) {
    if (W < 0 || H < 0) return;
    const std::size_t stride = static_cast<std::size_t>(W) + 1;
    for (int r = 0; r <= H; ++r) {
        buffer[r * stride] = 0;
        buffer[r * stride + static_cast<std::size_t>(W)] = 0;
    }
    std::memset(buffer, 0, stride);
    std::memset(buffer + static_cast<std::size_t>(H) * stride, 0, stride);
}

namespace {

// Column sums of three rows: sums[c] = above[c] + here[c] + below[c], c = 0..W.
void ColumnSums(const std::uint8_t* above, const std::uint8_t* here, const std::uint8_t* below,
                int W, std::uint16_t* sums) {
    int c = 0;
#ifdef CINDRAL_SSE2
    const __m128i zero = _mm_setzero_si128();
    for (; c + 15 <= W; c += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(above + c));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(here + c));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(below + c));
        const __m128i lo =
            _mm_add_epi16(_mm_add_epi16(_mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(b, zero)),
                          _mm_unpacklo_epi8(d, zero));
        const __m128i hi =
            _mm_add_epi16(_mm_add_epi16(_mm_unpackhi_epi8(a, zero), _mm_unpackhi_epi8(b, zero)),
                          _mm_unpackhi_epi8(d, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(sums + c), lo);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(sums + c + 8), hi);
    }
#endif
    for (; c <= W; ++c) {
        sums[c] = static_cast<std::uint16_t>(above[c] + here[c] + below[c]);
    }
}

// row[k] = (sums[k - 1] + sums[k] + sums[k + 1]) / 9 for k = 1..W - 1.
void BlurRow(const std::uint16_t* sums, int W, std::uint8_t* row) {
    int k = 1;
#ifdef CINDRAL_SSE2
    const __m128i nine = _mm_set1_epi16(7282);
    for (; k + 15 <= W - 1; k += 16) {
        const __m128i lo = _mm_mulhi_epu16(
            _mm_add_epi16(
                _mm_add_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(sums + k - 1)),
                              _mm_loadu_si128(reinterpret_cast<const __m128i*>(sums + k))),
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(sums + k + 1))),
            nine);
        const __m128i hi = _mm_mulhi_epu16(
            _mm_add_epi16(
                _mm_add_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(sums + k + 7)),
                              _mm_loadu_si128(reinterpret_cast<const __m128i*>(sums + k + 8))),
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(sums + k + 9))),
            nine);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row + k), _mm_packus_epi16(lo, hi));
    }
#endif
    for (; k <= W - 1; ++k) {
        row[k] = static_cast<std::uint8_t>(
            DivideBy9(static_cast<std::uint16_t>(sums[k - 1] + sums[k] + sums[k + 1])));
    }
}

}  // namespace

void vbBlurImg(int W, int H, std::uint8_t* buffer) {
    if (W < 2 || H < 2) return;
    const std::size_t stride = static_cast<std::size_t>(W) + 1;
    // One row of column sums; the shipped width fits on the stack.
    std::uint16_t local[1024];
    std::vector<std::uint16_t> large;
    std::uint16_t* sums = local;
    if (stride > std::size(local)) {
        large.resize(stride);
        sums = large.data();
    }
    for (int r = 1; r <= H - 1; ++r) {
        std::uint8_t* here = buffer + static_cast<std::size_t>(r) * stride;
        ColumnSums(here - stride, here, here + stride, W, sums);
        BlurRow(sums, W, here);
    }
}

}  // namespace cindral::fire
