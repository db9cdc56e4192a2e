// Skin archive reader.
//
// A packed skin is a 32-bit little-endian unpacked size followed by an LZHUF
// stream. Unpacked, the archive is (32-bit little-endian integers):
//   format tag (20000, 30000, 40000, 50000), names length NL, two unused ints,
//   an extra block skipped by tag (0, 256, 80, 48 bytes),
//   NL bytes of names, one per line,
//   one signed size per name, then the member data concatenated in name order.
// Everything in it is untrusted: a names text or sizes reaching past the end,
// a negative size, a declared size no stream of that length could expand to or
// one past 64 MB refuse the archive without reading or allocating past what is there.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace skin {

class TSkinReader {
public:
    enum class LoadResult { Loaded, Damaged, UnknownTag };

    TSkinReader() = default;
    virtual ~TSkinReader() = default;

    // Unpacks and indexes a packed skin. False for an unknown format tag (after
    // telling the user the skin is too old) or a damaged archive (silently).
    bool LoadArchive(std::span<const std::uint8_t> packed);
    // A skin file: either a packed skin, or a packed skin behind its stored
    // 32-bit length (the container's stream layout). Both are tried.
    bool LoadSkinFile(std::span<const std::uint8_t> file);
    // Indexes an archive that is already unpacked.
    bool LoadUnpacked(std::span<const std::uint8_t> archive);

    // The LZH step alone: replaces target with the unpacked bytes. False, with
    // target empty, when the packed skin is shorter than its size field or
    // declares a negative or impossible size.
    static bool UnpackStream(std::span<const std::uint8_t> packed, std::vector<std::uint8_t>& target);

    // The member named `name`, letters compared without regard to ASCII case;
    // target is left empty when there is none.
    void ExtractFile(const std::string& name, std::vector<std::uint8_t>& target) const;
    // The first member whose (lower-case) name contains `fragment` exactly as
    // passed; foundName keeps its value when there is none.
    void ExtractFirstMatching(const std::string& fragment, std::vector<std::uint8_t>& target,
                              std::string& foundName) const;

    int Count() const { return int(names_.size()); }
    const std::vector<std::string>& Names() const { return names_; }
    const std::vector<std::int32_t>& Sizes() const { return sizes_; }
    const std::vector<std::uint8_t>& Data() const { return data_; }
    // The first 16 bytes of the last archive read: tag, names length, two unused.
    const std::array<std::int32_t, 4>& Header() const { return header_; }
    std::int32_t Tag() const { return header_[0]; }
    LoadResult LastResult() const { return lastResult_; }

    // No skin unpacks to more than this; a larger declared size is refused before
    // anything is allocated for it.
    static constexpr std::int64_t kMaxUnpackedSize = std::int64_t(64) << 20;
    // Sizes larger than this for a stream of `streamBytes` bytes are refused: no
    // LZHUF symbol yields more than 6 bytes per bit of input, and never more than
    // kMaxUnpackedSize.
    static std::int64_t MaxUnpackedSize(std::size_t streamBytes);

private:
    // With owned (whose bytes archive views), the member data keeps owned's buffer.
    LoadResult Index(std::span<const std::uint8_t> archive, std::vector<std::uint8_t>* owned = nullptr);
    LoadResult LoadPacked(std::span<const std::uint8_t> packed);
    static void ShowOlderSkinMessage();

    std::vector<std::string> names_;
    std::vector<std::int32_t> sizes_;
    std::vector<std::uint8_t> data_;
    std::array<std::int32_t, 4> header_{};
    LoadResult lastResult_ = LoadResult::Damaged;
};

// Bytes a format tag puts between the header and the names text, or -1.
int SkinExtraBlockSize(std::int32_t tag);

}  // namespace skin
