#pragma once
// Raw deflate data (RFC 1951, no zlib or gzip wrapper) decoded into exactly the number of
// bytes the caller expects. Strict: a stream that is malformed, ends early, refers back
// before its start, or gives more or fewer bytes than expected gives nothing.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zelora {

std::optional<std::vector<std::uint8_t>> Inflate(std::span<const std::uint8_t> data, std::size_t size);

// The same into `out`, which the stream must fill exactly; false otherwise (`out` then holds
// whatever was decoded).
bool InflateInto(std::span<const std::uint8_t> data, std::span<std::uint8_t> out);

}  // namespace zelora
