// LZHUF encoder for the tools: streams that skin::TLZH decodes. Never linked
// into the program, which only unpacks.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace lzhenc {

// The bit stream alone (the unpacked size is not part of it). Empty input
// gives an empty stream.
std::vector<std::uint8_t> Encode(std::span<const std::uint8_t> data);

// A packed block as the skin reader takes it: the size as 32-bit signed
// little-endian, then the stream. Data over 2 GiB cannot be described.
std::vector<std::uint8_t> Pack(std::span<const std::uint8_t> data);

}  // namespace lzhenc
