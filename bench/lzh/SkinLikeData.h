// Inputs shaped like a packed skin's archive, for the benchmark and the tests.
#pragma once

#include <cstdint>
#include <vector>

namespace benchdata {

// About 240 KB: an INI description and a few dozen 24-bit BMPs of the kind
// skins hold (flat faces, gradients, bevels, magenta key areas, a little noise),
// laid out as a tag-20000 archive.
std::vector<std::uint8_t> SkinLikeArchive();

// Bytes from a fixed-seed generator.
std::vector<std::uint8_t> RandomBytes(std::size_t count, std::uint32_t seed);

}  // namespace benchdata
