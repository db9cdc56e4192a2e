// Little-endian integers in byte spans: the one place our file formats (BMP, packed skins,
// skin archives) are read and written. Every read says which span it reads and is checked
// against its end, so a damaged size or offset can never lead a reader past its input.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace base::le {

using Bytes = std::span<const std::uint8_t>;

// Bytes [offset, offset + length), or nothing when they are not all inside bytes.
constexpr std::optional<Bytes> BytesAt(Bytes bytes, std::uint64_t offset, std::uint64_t length) {
    if (offset > bytes.size() || length > bytes.size() - offset) return std::nullopt;
    return bytes.subspan(std::size_t(offset), std::size_t(length));
}

// Exactly two or four bytes, for loops over a span already checked as a whole.
constexpr std::uint16_t Load16(std::span<const std::uint8_t, 2> b) { return std::uint16_t(b[0] | b[1] << 8); }
constexpr std::uint32_t Load32(std::span<const std::uint8_t, 4> b) {
    return std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 | std::uint32_t(b[3]) << 24;
}

constexpr std::optional<std::uint16_t> U16At(Bytes bytes, std::uint64_t offset) {
    const auto b = BytesAt(bytes, offset, 2);
    if (!b) return std::nullopt;
    return Load16(b->first<2>());
}
constexpr std::optional<std::uint32_t> U32At(Bytes bytes, std::uint64_t offset) {
    const auto b = BytesAt(bytes, offset, 4);
    if (!b) return std::nullopt;
    return Load32(b->first<4>());
}
constexpr std::optional<std::int32_t> I32At(Bytes bytes, std::uint64_t offset) {
    const auto v = U32At(bytes, offset);
    if (!v) return std::nullopt;
    return std::int32_t(*v);
}

inline void Append16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}
inline void Append32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Append16(out, std::uint16_t(v));
    Append16(out, std::uint16_t(v >> 16));
}
// Overwrites bytes already there; false (nothing written) when they are not.
inline bool Store16(std::span<std::uint8_t> bytes, std::uint64_t offset, std::uint16_t v) {
    if (offset > bytes.size() || bytes.size() - offset < 2) return false;
    bytes[std::size_t(offset)] = std::uint8_t(v);
    bytes[std::size_t(offset) + 1] = std::uint8_t(v >> 8);
    return true;
}
inline bool Store32(std::span<std::uint8_t> bytes, std::uint64_t offset, std::uint32_t v) {
    if (offset > bytes.size() || bytes.size() - offset < 4) return false;
    return Store16(bytes, offset, std::uint16_t(v)) && Store16(bytes, offset + 2, std::uint16_t(v >> 16));
}

}  // namespace base::le
