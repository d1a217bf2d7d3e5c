#include "platform/image/Inflate.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace zelora {
namespace {

constexpr int kMaxBits = 15;        // longest Huffman code
constexpr int kLiteralCodes = 288;  // literal/length alphabet, with the two unused codes
constexpr int kDistanceCodes = 30;

// Base length and extra bits of length codes 257..285, and of distance codes 0..29.
constexpr std::array<std::uint16_t, 29> kLengthBase = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,
                                                       15, 17, 19, 23, 27, 31, 35, 43, 51,  59,
                                                       67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<std::uint8_t, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                       2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<std::uint16_t, kDistanceCodes> kDistanceBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<std::uint8_t, kDistanceCodes> kDistanceExtra = {0, 0, 0, 0, 1, 1, 2,  2,  3,  3,
                                                                     4, 4, 5, 5, 6, 6, 7,  7,  8,  8,
                                                                     9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// The order in which a dynamic block gives the code lengths of its code-length alphabet.
constexpr std::array<std::uint8_t, 19> kLengthOrder = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5,
                                                       11, 4, 12, 3, 13, 2, 14, 1, 15};

constexpr int kFastBits = 9;  // codes this short are found with one table look-up

// A canonical Huffman code as counts of codes per length and symbols in code order, with a
// table of the codes of up to kFastBits bits indexed by the next bits of the stream.
struct Huffman {
    std::array<std::uint16_t, kMaxBits + 1> count{};
    std::array<std::uint16_t, kLiteralCodes> symbol{};
    std::array<std::uint16_t, 1u << kFastBits> fast{};  // symbol << 4 | length; 0: not short

    // False when the lengths ask for more codes than exist (an incomplete code is allowed:
    // its unused codes fail when read).
    bool Build(const std::uint8_t* lengths, int n)
    {
        count.fill(0);
        for (int i = 0; i < n; ++i) ++count[lengths[i]];
        int left = 1;
        for (int len = 1; len <= kMaxBits; ++len) {
            left = left * 2 - count[len];
            if (left < 0) return false;
        }
        std::array<std::uint16_t, kMaxBits + 2> offset{};
        for (int len = 1; len <= kMaxBits; ++len) offset[len + 1] = static_cast<std::uint16_t>(offset[len] + count[len]);
        for (int i = 0; i < n; ++i)
            if (lengths[i] != 0) symbol[offset[lengths[i]]++] = static_cast<std::uint16_t>(i);
        fast.fill(0);
        unsigned code = 0;
        int index = 0;
        for (int len = 1; len <= kFastBits; ++len, code <<= 1) {
            for (int k = 0; k < count[len]; ++k, ++code) {
                unsigned reversed = 0;  // the stream gives a code's first bit first
                for (int b = 0; b < len; ++b) reversed |= ((code >> b) & 1u) << (len - 1 - b);
                for (unsigned fill = reversed; fill < fast.size(); fill += 1u << len)
                    fast[fill] = static_cast<std::uint16_t>(symbol[index] << 4 | len);
                ++index;
            }
        }
        return true;
    }
};

class Decoder {
public:
    Decoder(std::span<const std::uint8_t> in, std::span<std::uint8_t> out) : m_in(in), m_out(out) {}

    bool Run()
    {
        bool last = false;
        while (!last) {
            last = Bits(1) == 1;
            const int type = Bits(2);
            bool good = false;
            if (type == 0) good = Stored();
            else if (type == 1) good = Fixed();
            else if (type == 2) good = Dynamic();
            if (!good || m_broken) return false;
        }
        return m_written == m_out.size();
    }

private:
    // Reads n bits, least significant first; past the end it marks the stream broken.
    int Bits(int n)
    {
        std::uint32_t value = m_bitBuffer;
        while (m_bitCount < n) {
            if (m_at >= m_in.size()) {
                m_broken = true;
                return 0;
            }
            value |= static_cast<std::uint32_t>(m_in[m_at++]) << m_bitCount;
            m_bitCount += 8;
        }
        m_bitBuffer = value >> n;
        m_bitCount -= n;
        return static_cast<int>(value & ((1u << n) - 1));
    }

    // The next symbol of `code`, or -1 for a code the table does not hold or the end of data.
    int Decode(const Huffman& code)
    {
        while (m_bitCount < kFastBits && m_at < m_in.size()) {
            m_bitBuffer |= static_cast<std::uint32_t>(m_in[m_at++]) << m_bitCount;
            m_bitCount += 8;
        }
        if (m_bitCount >= kFastBits) {
            const unsigned entry = code.fast[m_bitBuffer & ((1u << kFastBits) - 1)];
            if (entry != 0) {
                m_bitBuffer >>= entry & 15;
                m_bitCount -= static_cast<int>(entry & 15);
                return static_cast<int>(entry >> 4);
            }
        }
        int value = 0;
        int first = 0;
        int index = 0;
        for (int len = 1; len <= kMaxBits; ++len) {
            value |= Bits(1);
            if (m_broken) return -1;
            const int count = code.count[len];
            if (value - first < count) return code.symbol[index + value - first];
            index += count;
            first = (first + count) << 1;
            value <<= 1;
        }
        return -1;
    }

    bool Put(std::uint8_t byte)
    {
        if (m_written >= m_out.size()) return false;
        m_out[m_written++] = byte;
        return true;
    }

    // `length` bytes from `distance` back, checked by the caller. A nearer start repeats
    // what it copies: each piece copied doubles the next one's source (runs of one colour,
    // the skin's common case, take a handful of copies).
    void CopyBack(std::size_t distance, std::size_t length)
    {
        std::uint8_t* to = m_out.data() + m_written;
        const std::uint8_t* from = to - distance;
        m_written += length;
        while (length > 0) {
            const std::size_t piece = std::min(length, static_cast<std::size_t>(to - from));
            std::memcpy(to, from, piece);
            to += piece;
            length -= piece;
        }
    }

    bool Stored()
    {
        m_at -= static_cast<std::size_t>(m_bitCount / 8);  // whole bytes read ahead go back
        m_bitBuffer = 0;  // and the rest of the byte is skipped
        m_bitCount = 0;
        if (m_at + 4 > m_in.size()) return false;
        const unsigned length = m_in[m_at] | m_in[m_at + 1] << 8;
        const unsigned check = m_in[m_at + 2] | m_in[m_at + 3] << 8;
        m_at += 4;
        if ((length ^ 0xFFFFu) != check || m_at + length > m_in.size()) return false;
        for (unsigned i = 0; i < length; ++i)
            if (!Put(m_in[m_at + i])) return false;
        m_at += length;
        return true;
    }

    bool Codes(const Huffman& literals, const Huffman& distances)
    {
        for (;;) {
            const int symbol = Decode(literals);
            if (symbol < 0) return false;
            if (symbol < 256) {
                if (!Put(static_cast<std::uint8_t>(symbol))) return false;
                continue;
            }
            if (symbol == 256) return true;
            const int lengthCode = symbol - 257;
            if (lengthCode >= static_cast<int>(kLengthBase.size())) return false;
            const std::size_t length = kLengthBase[lengthCode] + static_cast<std::size_t>(Bits(kLengthExtra[lengthCode]));
            const int distanceCode = Decode(distances);
            if (distanceCode < 0 || distanceCode >= kDistanceCodes) return false;
            const std::size_t distance =
                kDistanceBase[distanceCode] + static_cast<std::size_t>(Bits(kDistanceExtra[distanceCode]));
            if (m_broken || distance > m_written || length > m_out.size() - m_written) return false;
            CopyBack(distance, length);
        }
    }

    bool Fixed()
    {
        if (!m_fixedBuilt) {
            std::array<std::uint8_t, kLiteralCodes> lengths{};
            for (int i = 0; i < kLiteralCodes; ++i) lengths[i] = i < 144 ? 8 : i < 256 ? 9 : i < 280 ? 7 : 8;
            m_fixedLiterals.Build(lengths.data(), kLiteralCodes);
            lengths.fill(5);
            m_fixedDistances.Build(lengths.data(), kDistanceCodes);
            m_fixedBuilt = true;
        }
        return Codes(m_fixedLiterals, m_fixedDistances);
    }

    bool Dynamic()
    {
        const int literalCount = Bits(5) + 257;
        const int distanceCount = Bits(5) + 1;
        const int lengthCodeCount = Bits(4) + 4;
        if (m_broken || literalCount > 286 || distanceCount > kDistanceCodes) return false;
        std::array<std::uint8_t, 19> lengthLengths{};
        for (int i = 0; i < lengthCodeCount; ++i) lengthLengths[kLengthOrder[i]] = static_cast<std::uint8_t>(Bits(3));
        Huffman lengthCode;
        if (m_broken || !lengthCode.Build(lengthLengths.data(), 19)) return false;

        std::array<std::uint8_t, 286 + kDistanceCodes> lengths{};
        const int total = literalCount + distanceCount;
        for (int i = 0; i < total;) {
            const int symbol = Decode(lengthCode);
            if (symbol < 0) return false;
            if (symbol < 16) {
                lengths[i++] = static_cast<std::uint8_t>(symbol);
                continue;
            }
            std::uint8_t value = 0;
            int repeat = 0;
            if (symbol == 16) {
                if (i == 0) return false;  // nothing to repeat
                value = lengths[i - 1];
                repeat = 3 + Bits(2);
            } else if (symbol == 17) {
                repeat = 3 + Bits(3);
            } else {
                repeat = 11 + Bits(7);
            }
            if (m_broken || i + repeat > total) return false;
            while (repeat-- > 0) lengths[i++] = value;
        }
        if (lengths[256] == 0) return false;  // a block must be able to end
        Huffman literals;
        Huffman distances;
        if (!literals.Build(lengths.data(), literalCount)) return false;
        if (!distances.Build(lengths.data() + literalCount, distanceCount)) return false;
        return Codes(literals, distances);
    }

    std::span<const std::uint8_t> m_in;
    std::span<std::uint8_t> m_out;
    std::size_t m_written = 0;
    std::size_t m_at = 0;
    std::uint32_t m_bitBuffer = 0;
    int m_bitCount = 0;
    bool m_broken = false;
    bool m_fixedBuilt = false;
    Huffman m_fixedLiterals;
    Huffman m_fixedDistances;
};

}  // namespace

bool InflateInto(std::span<const std::uint8_t> data, std::span<std::uint8_t> out) { return Decoder(data, out).Run(); }

std::optional<std::vector<std::uint8_t>> Inflate(std::span<const std::uint8_t> data, std::size_t size)
{
    std::vector<std::uint8_t> out(size);
    if (!InflateInto(data, out)) return std::nullopt;
    return out;
}

}  // namespace zelora
