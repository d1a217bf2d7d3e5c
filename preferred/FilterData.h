#pragma once
// Reads a filter's "FilterData", the binary registration the DirectShow filter mapper
// writes beside its FriendlyName: a header, the pins, and media types that name their
// GUIDs by offsets into the blob. Nothing in it is trusted: every count and offset is
// checked against the blob's length, and any that overruns it makes the whole blob unknown.

#include "preferred/MediaFormats.h"

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace zelora {

struct PinMediaType {
    Guid major;
    Guid sub;
    friend bool operator==(const PinMediaType&, const PinMediaType&) = default;
};

// Larger than any registration seen (a decoder taking a few hundred subtypes needs some
// 10 KB); a bigger value is read as unknown rather than walked.
inline constexpr std::size_t kMaxFilterDataBytes = 32 * 1024;

// The media types of the filter's input pins, in the blob's order; nothing when the blob
// is not a well-formed version 1 or 2 registration.
std::optional<std::vector<PinMediaType>> ReadInputPinTypes(std::span<const unsigned char> blob);
// The same into `types`, whose room a walk over many blobs keeps from one to the next: false,
// and `types` to be ignored, when the blob is not well formed.
bool ReadInputPinTypes(std::span<const unsigned char> blob, std::vector<PinMediaType>& types);

}  // namespace zelora
