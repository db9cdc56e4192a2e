// Writes skin archives as the skin reader takes them (tools only).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace lzhenc {

struct ArchiveMember {
    std::string name;  // stored as given; the reader lower-cases
    std::vector<std::uint8_t> data;
};

// The unpacked archive: header, zeroed extra block, names one per CR LF line,
// sizes, data. Throws std::invalid_argument for an unknown tag, a name with a
// line break or NUL, or an empty name (the reader would see no line for it).
std::vector<std::uint8_t> BuildArchive(std::int32_t tag, std::span<const ArchiveMember> members);

}  // namespace lzhenc
