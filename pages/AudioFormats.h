#pragma once
// How the audio decoders store which input formats they take: ffdshow keeps a format and
// its S/PDIF pass-through in one number; AC3Filter keeps its formats as bits of one mask,
// where the PCM part has been written in two ways.

#include "pages/ValueRow.h"

#include <cstdint>
#include <optional>

namespace zelora {

// ffdshow: 0 = not taken, 1 = passed through over S/PDIF only, `decoded` = decoded,
// `passedThrough` = decoded and passed through. Any other number counts as decoded.
struct FormatPair {
    std::int32_t decoded = 0;
    std::int32_t passedThrough = 0;
};
inline constexpr FormatPair kFFDShowAc3Pair{15, 16};
inline constexpr FormatPair kFFDShowDtsPair{17, 16};

std::int32_t FormatPairValue(const FormatPair& pair, bool formatTicked, bool spdifTicked);
// Whether some state of the two boxes writes `stored`.
bool FormatPairWrites(const FormatPair& pair, std::int32_t stored);

struct FormatPairBoxes {
    bool format = false;
    bool spdif = false;
    // The S/PDIF box can be clicked only while its format is ticked and the decoder is
    // installed; it shows the stored state either way.
    bool spdifEnabled = false;
};
FormatPairBoxes ShowFormatPair(const FormatPair& pair, std::int32_t stored,
                               bool decoderInstalled);

// Masks whose boxes may be recognised by either of two parts: a box is ticked by `part`
// (what ticking it writes) or by `ReadPart()`. Which boxes (bit i = boxes[i]) the stored
// number ticks, when it is exactly one such sum; nothing otherwise.
std::optional<std::uint32_t> MatchMaskEitherPart(const MaskBoxes& mask, std::int32_t stored);

// A box ticked sets its `part`; unticked clears both its parts. Bits no box owns are kept,
// and nothing is added, so no bit carries into a neighbouring format's.
std::int32_t ApplyMaskBoxEitherPart(std::int32_t known, const MaskBox& box, bool ticked);

}  // namespace zelora
