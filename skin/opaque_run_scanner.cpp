#include "skin/opaque_run_scanner.h"

#include <windows.h>

#include <cstring>

#if defined(__i386__) || defined(__x86_64__)
#include <emmintrin.h>
#define VESPERIN_HAVE_SSE2_CODE 1
#endif

namespace {

// The run bookkeeping every method shares: a transparent pixel ends the open run, an opaque
// one opens a run when none is open.
__attribute__((always_inline)) inline void transparentAt(int x, std::vector<int> &runs,
                                                         int &runStart)
{
    if (runStart >= 0) {
        runs.push_back(runStart);
        runs.push_back(x);
        runStart = -1;
    }
}

__attribute__((always_inline)) inline void opaqueAt(int x, int &runStart)
{
    if (runStart < 0)
        runStart = x;
}

// Nonzero when any byte of the word is zero (the classic test: only a zero byte borrows into
// its own top bit without having it set).
template <typename Word> inline Word hasZeroByte(Word value)
{
    const Word ones = static_cast<Word>(~Word(0)) / 0xFF;
    return (value - ones) & ~value & (ones << 7);
}

} // namespace

OpaqueRunScanner::OpaqueRunScanner(std::uint8_t blue, std::uint8_t green, std::uint8_t red)
    : m_blue(blue), m_green(green), m_red(red), m_fastest(Fastest())
{
    for (size_t i = 0; i < sizeof m_pattern; i += 3) {
        m_pattern[i] = blue;
        m_pattern[i + 1] = green;
        m_pattern[i + 2] = red;
    }
}

bool OpaqueRunScanner::Available(Method method)
{
    switch (method) {
    case Method::Pixels:
    case Method::Words:
        return true;
    case Method::Sse2:
#if defined(__x86_64__)
        return true;
#elif defined(VESPERIN_HAVE_SSE2_CODE)
        // Processors before the Pentium 4 and the Athlon 64 lack it, and Windows XP runs on them.
        return IsProcessorFeaturePresent(PF_XMMI64_INSTRUCTIONS_AVAILABLE) != 0;
#else
        return false;
#endif
    }
    return false;
}

OpaqueRunScanner::Method OpaqueRunScanner::Fastest()
{
    return Available(Method::Sse2) ? Method::Sse2 : Method::Words;
}

void OpaqueRunScanner::Scan(const std::uint8_t *row, int width, std::vector<int> &runs) const
{
    // The processor was asked once, when the scanner was made.
    scanBy(m_fastest, row, width, runs);
}

void OpaqueRunScanner::ScanWith(Method method, const std::uint8_t *row, int width,
                                std::vector<int> &runs) const
{
    scanBy(Available(method) ? method : Method::Words, row, width, runs);
}

void OpaqueRunScanner::scanBy(Method method, const std::uint8_t *row, int width,
                              std::vector<int> &runs) const
{
    if (width <= 0)
        return;
    int runStart = -1;
    switch (method) {
    case Method::Pixels:
        scanPixels(row, 0, width, runs, runStart);
        break;
    case Method::Words:
        scanWords(row, width, runs);
        break;
    case Method::Sse2:
        scanSse2(row, width, runs);
        break;
    }
}

void OpaqueRunScanner::pixelByPixel(const std::uint8_t *row, int from, int to,
                                    std::vector<int> &runs, int &runStart) const
{
    for (int x = from; x < to; ++x) {
        if (transparent(row + 3 * x))
            transparentAt(x, runs, runStart);
        else
            opaqueAt(x, runStart);
    }
}

void OpaqueRunScanner::scanPixels(const std::uint8_t *row, int from, int width,
                                  std::vector<int> &runs, int &runStart) const
{
    pixelByPixel(row, from, width, runs, runStart);
    transparentAt(width, runs, runStart);
}

void OpaqueRunScanner::scanWords(const std::uint8_t *row, int width, std::vector<int> &runs) const
{
    // A group is as many pixels as a word has bytes: three words, the key's pattern in the same
    // three words. Equal words are transparent pixels; words without a single equal byte are
    // opaque pixels.
    using Word = std::uintptr_t;
    constexpr int group = sizeof(Word);
    Word key[3];
    std::memcpy(key, m_pattern, sizeof key);
    int runStart = -1;
    int x = 0;
    for (; x + group <= width; x += group) {
        Word words[3];
        std::memcpy(words, row + 3 * x, sizeof words);
        const Word d0 = words[0] ^ key[0], d1 = words[1] ^ key[1], d2 = words[2] ^ key[2];
        if ((d0 | d1 | d2) == 0) {
            transparentAt(x, runs, runStart);
        } else if ((hasZeroByte(d0) | hasZeroByte(d1) | hasZeroByte(d2)) == 0) {
            opaqueAt(x, runStart);
        } else {
            pixelByPixel(row, x, x + group, runs, runStart);
        }
    }
    scanPixels(row, x, width, runs, runStart);
}

#if defined(VESPERIN_HAVE_SSE2_CODE)
__attribute__((target("sse2"))) void OpaqueRunScanner::scanSse2(const std::uint8_t *row, int width,
                                                                std::vector<int> &runs) const
{
    // 16 pixels are 48 bytes, three registers. The byte-equal masks give a 48-bit mask; a pixel
    // is transparent when its three bits are set, which leaves its first bit set in "all".
    constexpr std::uint64_t firstBits = 0x249249249249ull; // bits 0, 3, ... 45
    constexpr std::uint64_t everyBit = 0xFFFFFFFFFFFFull;
    const __m128i key0 = _mm_loadu_si128(reinterpret_cast<const __m128i *>(m_pattern));
    const __m128i key1 = _mm_loadu_si128(reinterpret_cast<const __m128i *>(m_pattern + 16));
    const __m128i key2 = _mm_loadu_si128(reinterpret_cast<const __m128i *>(m_pattern + 32));
    int runStart = -1;
    int x = 0;
    for (; x + 16 <= width; x += 16) {
        const auto *bytes = reinterpret_cast<const __m128i *>(row + 3 * x);
        const std::uint64_t equal =
            static_cast<std::uint64_t>(
                _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(bytes), key0))) |
            static_cast<std::uint64_t>(
                _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(bytes + 1), key1)))
                << 16 |
            static_cast<std::uint64_t>(
                _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(bytes + 2), key2)))
                << 32;
        if (equal == everyBit) {
            transparentAt(x, runs, runStart);
            continue;
        }
        const std::uint64_t transparentPixels = equal & (equal >> 1) & (equal >> 2) & firstBits;
        if (transparentPixels == 0) {
            opaqueAt(x, runStart);
            continue;
        }
        // An edge of the outline: from one change to the next, a bit scan at a time.
        const std::uint64_t opaquePixels = ~transparentPixels & firstBits;
        for (int i = 0; i < 16;) {
            const std::uint64_t ahead =
                (runStart >= 0 ? transparentPixels : opaquePixels) >> (3 * i);
            if (ahead == 0)
                break; // the rest of the group is as the pixel before
            i += __builtin_ctzll(ahead) / 3;
            if (runStart >= 0)
                transparentAt(x + i, runs, runStart);
            else
                opaqueAt(x + i, runStart);
        }
    }
    scanPixels(row, x, width, runs, runStart);
}
#else
void OpaqueRunScanner::scanSse2(const std::uint8_t *row, int width, std::vector<int> &runs) const
{
    scanWords(row, width, runs);
}
#endif
