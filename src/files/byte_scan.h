// The glorie scanner's byte search over its input: the next byte at which a run inside a tag or
// a text stops (markup, line breaks, '&'), and the next byte that is no blank or line break.
// With SSE2, 64 bytes are classified at once and the answers for them come from two bit masks
// (most questions fall in the 64 bytes of the question before); without it, byte loops.
#pragma once

#include <array>
#include <cstdint>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace vondrel::glorie {

constexpr bool IsStop(char c) { return c == '<' || c == '>' || c == '\r' || c == '\n' || c == '&'; }
constexpr bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

constexpr std::array<unsigned char, 256> MakeByteKinds() {
    std::array<unsigned char, 256> kinds{};
    for (int c = 0; c < 256; ++c) {
        kinds[static_cast<std::size_t>(c)] = static_cast<unsigned char>((IsStop(static_cast<char>(c)) ? 1 : 0) |
                                                                        (IsSpace(static_cast<char>(c)) ? 2 : 0));
    }
    return kinds;
}
constexpr std::array<unsigned char, 256> kByteKinds = MakeByteKinds();  // bit 0: a stop; bit 1: white space
inline bool StopAt(const char* p) { return (kByteKinds[static_cast<unsigned char>(*p)] & 1u) != 0; }
inline bool SpaceAt(const char* p) { return (kByteKinds[static_cast<unsigned char>(*p)] & 2u) != 0; }

// Byte loops, for what is read byte by byte anyway (and for any build).
inline const char* NextStopByBytes(const char* p, const char* end) {
    while (end - p >= 4) {
        if (StopAt(p)) return p;
        if (StopAt(p + 1)) return p + 1;
        if (StopAt(p + 2)) return p + 2;
        if (StopAt(p + 3)) return p + 3;
        p += 4;
    }
    while (p < end && !StopAt(p)) ++p;
    return p;
}

inline const char* NextNonSpaceByBytes(const char* p, const char* end) {
    while (p < end && SpaceAt(p)) ++p;
    return p;
}

#if defined(__SSE2__) && !defined(VONDREL_SCALAR_SCAN)

// Keep one on the stack while reading forward: each answer in the 64 bytes classified last
// costs a shift and a bit search.
class ByteScan {
public:
    ByteScan(const char* begin, const char* end) : end(end) { Load(begin); }

    const char* NextStop(const char* p) { return Next<true>(p); }
    const char* NextNonSpace(const char* p) { return Next<false>(p); }

private:
    static constexpr std::size_t kWidth = 64;

    template <bool stop>
    const char* Next(const char* p) {
        while (true) {
            const std::size_t offset = static_cast<std::size_t>(p - base);  // wraps for a place before the window
            if (offset < kWidth) {
                const std::uint64_t bits = (stop ? stops : others) >> offset;
                if (bits != 0) return p + __builtin_ctzll(bits);
                p = base + kWidth;
            }
            if (p >= end) return end;
            Load(p);
        }
    }

    // Classifies the 64 bytes from `from` (those up to the end only, near it).
    void Load(const char* from) {
        base = from;
        stops = others = 0;
        if (end - from < static_cast<std::ptrdiff_t>(kWidth)) {
            for (std::size_t i = 0; from + i < end; ++i) {
                stops |= static_cast<std::uint64_t>(StopAt(from + i)) << i;
                others |= static_cast<std::uint64_t>(!SpaceAt(from + i)) << i;
            }
            return;
        }
        std::uint64_t spaces = 0;
        for (int part = 0; part < 4; ++part) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 16 * part));
            const __m128i lineBreak = _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\r')), _mm_cmpeq_epi8(v, _mm_set1_epi8('\n')));
            // '<' and '>' differ in one bit only.
            const __m128i markup = _mm_cmpeq_epi8(_mm_or_si128(v, _mm_set1_epi8(2)), _mm_set1_epi8('>'));
            const __m128i stop = _mm_or_si128(_mm_or_si128(markup, _mm_cmpeq_epi8(v, _mm_set1_epi8('&'))), lineBreak);
            const __m128i blank = _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8(' ')), _mm_cmpeq_epi8(v, _mm_set1_epi8('\t')));
            stops |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(stop))) << (16 * part);
            spaces |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(blank, lineBreak)))) << (16 * part);
        }
        others = ~spaces;
    }

    const char* const end;
    const char* base = nullptr;  // the bytes the masks describe start here
    std::uint64_t stops = 0;     // bit i: base[i] is a stop
    std::uint64_t others = 0;    // bit i: base[i] is no white space
};

#else

class ByteScan {
public:
    ByteScan(const char*, const char* end) : end(end) {}
    const char* NextStop(const char* p) const { return NextStopByBytes(p, end); }
    const char* NextNonSpace(const char* p) const { return NextNonSpaceByBytes(p, end); }

private:
    const char* const end;
};

#endif

}  // namespace vondrel::glorie
