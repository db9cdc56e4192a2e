#include "SkinArchive.h"

#include <stdexcept>

#include "base/LittleEndian.h"
#include "skin/resources/SkinRead.h"

namespace lzhenc {
namespace {
void PutInt(std::vector<std::uint8_t>& out, std::uint32_t v) { base::le::Append32(out, v); }
}  // namespace

std::vector<std::uint8_t> BuildArchive(std::int32_t tag, std::span<const ArchiveMember> members) {
    const int extra = skin::SkinExtraBlockSize(tag);
    if (extra < 0) throw std::invalid_argument("unknown format tag " + std::to_string(tag));
    std::string names;
    std::size_t total = 0;
    for (const auto& m : members) {
        if (m.name.empty()) throw std::invalid_argument("empty member name");
        if (m.name.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
            throw std::invalid_argument("member name with a line break or NUL: " + m.name);
        names += m.name;
        names += "\r\n";
        total += m.data.size();
    }
    if (names.size() > 0x7FFFFFFF || total > 0x7FFFFFFF) throw std::invalid_argument("archive too large");

    std::vector<std::uint8_t> out;
    out.reserve(16 + extra + names.size() + 4 * members.size() + total);
    PutInt(out, std::uint32_t(tag));
    PutInt(out, std::uint32_t(names.size()));
    PutInt(out, 0);
    PutInt(out, 0);
    out.resize(out.size() + extra, 0);
    out.insert(out.end(), names.begin(), names.end());
    for (const auto& m : members) PutInt(out, std::uint32_t(m.data.size()));
    for (const auto& m : members) out.insert(out.end(), m.data.begin(), m.data.end());
    return out;
}

}  // namespace lzhenc
