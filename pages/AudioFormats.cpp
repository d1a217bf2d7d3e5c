#include "pages/AudioFormats.h"

#include <cassert>

namespace zelora {
namespace {

constexpr std::int32_t kNotTaken = 0;
constexpr std::int32_t kPassedThroughOnly = 1;

// Depth-first over the boxes: each unticked, ticked by its part, or ticked by its read
// part. Five boxes at most, so 3^5 sums.
bool MatchFrom(std::span<const MaskBox> boxes, std::size_t i, std::int64_t sum,
               std::int64_t stored, std::uint32_t& ticked)
{
    if (i == boxes.size()) return sum == stored;
    if (MatchFrom(boxes, i + 1, sum, stored, ticked)) return true;
    const MaskBox& box = boxes[i];
    ticked |= 1u << i;
    if (MatchFrom(boxes, i + 1, sum + box.part, stored, ticked)) return true;
    if (box.ReadPart() != box.part &&
        MatchFrom(boxes, i + 1, sum + box.ReadPart(), stored, ticked)) {
        return true;
    }
    ticked &= ~(1u << i);
    return false;
}

}  // namespace

std::int32_t FormatPairValue(const FormatPair& pair, bool formatTicked, bool spdifTicked)
{
    if (formatTicked) return spdifTicked ? pair.passedThrough : pair.decoded;
    return spdifTicked ? kPassedThroughOnly : kNotTaken;
}

bool FormatPairWrites(const FormatPair& pair, std::int32_t stored)
{
    for (const bool format : {false, true})
        for (const bool spdif : {false, true})
            if (FormatPairValue(pair, format, spdif) == stored) return true;
    return false;
}

FormatPairBoxes ShowFormatPair(const FormatPair& pair, std::int32_t stored,
                               bool decoderInstalled)
{
    FormatPairBoxes boxes;
    boxes.format = stored != kNotTaken && stored != kPassedThroughOnly;
    boxes.spdif = boxes.format ? stored != pair.decoded : stored == kPassedThroughOnly;
    boxes.spdifEnabled = decoderInstalled && boxes.format;
    return boxes;
}

std::optional<std::uint32_t> MatchMaskEitherPart(const MaskBoxes& mask, std::int32_t stored)
{
    assert(mask.boxes.size() < 16);
    std::uint32_t ticked = 0;
    if (MatchFrom(mask.boxes, 0, 0, stored, ticked)) return ticked;
    return std::nullopt;
}

std::int32_t ApplyMaskBoxEitherPart(std::int32_t known, const MaskBox& box, bool ticked)
{
    return ticked ? (known | box.part) : (known & ~(box.part | box.ReadPart()));
}

}  // namespace zelora
