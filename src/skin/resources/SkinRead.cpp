#include "skin/resources/SkinRead.h"

#include <algorithm>

#include "base/Ascii.h"
#include "base/LittleEndian.h"
#include "base/System.h"
#include "skin/resources/lzh.h"

namespace skin {
namespace {
// Lines as a string list takes a text: CR, LF or CR LF end a line, NUL ends
// the text, and a break at the very end adds no empty line.
std::vector<std::string> SplitLines(std::span<const std::uint8_t> text) {
    std::vector<std::string> lines;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && text[i] != 0) {
        const std::size_t start = i;
        while (i < n && text[i] != 0 && text[i] != '\r' && text[i] != '\n') ++i;
        lines.emplace_back(reinterpret_cast<const char*>(text.data()) + start, i - start);
        if (i < n && text[i] == '\r') ++i;
        if (i < n && text[i] == '\n') ++i;
    }
    return lines;
}
}  // namespace

int SkinExtraBlockSize(std::int32_t tag) {
    switch (tag) {
        case 20000: return 0;
        case 30000: return 256;
        case 40000: return 80;
        case 50000: return 48;
        default: return -1;
    }
}

std::int64_t TSkinReader::MaxUnpackedSize(std::size_t streamBytes) {
    // A literal costs at least one bit, a match of 60 bytes at least ten, so
    // a well-formed stream expands at most 48-fold; allow a margin on top.
    // Past a few megabytes of input that bound allows gigabytes, so no skin may
    // exceed kMaxUnpackedSize however long its stream.
    const std::int64_t proportional = std::int64_t(std::min<std::size_t>(streamBytes, kMaxUnpackedSize)) * 64 + 4096;
    return std::min(proportional, kMaxUnpackedSize);
}

bool TSkinReader::UnpackStream(std::span<const std::uint8_t> packed, std::vector<std::uint8_t>& target) {
    target.clear();
    if (packed.size() < 4) return false;
    const std::int32_t size = *base::le::I32At(packed, 0);
    if (size < 0 || size > MaxUnpackedSize(packed.size() - 4)) return false;
    TLZH lzh;
    lzh.Input = packed;
    lzh.InputPosition = 4;
    lzh.Output = &target;
    lzh.Unpack(size);
    return true;
}

TSkinReader::LoadResult TSkinReader::Index(std::span<const std::uint8_t> archive, std::vector<std::uint8_t>* owned) {
    // The tag alone decides whether the skin is of an older format, however
    // short the rest; a header cut short is damaged.
    if (archive.size() < 4) return LoadResult::Damaged;
    std::uint8_t header[16] = {};
    std::copy_n(archive.begin(), std::min<std::size_t>(archive.size(), 16), header);
    for (int i = 0; i < 4; ++i) header_[std::size_t(i)] = *base::le::I32At(header, 4 * std::uint64_t(i));
    const int extra = SkinExtraBlockSize(header_[0]);
    if (extra < 0) return LoadResult::UnknownTag;
    if (archive.size() < 16) return LoadResult::Damaged;

    std::size_t pos = 16 + std::size_t(extra);
    const std::int32_t namesLength = header_[1];
    if (namesLength < 0 || pos > archive.size() || std::size_t(namesLength) > archive.size() - pos)
        return LoadResult::Damaged;
    std::vector<std::string> names = SplitLines(archive.subspan(pos, std::size_t(namesLength)));
    for (auto& name : names) name = base::AsciiLower(name);
    pos += std::size_t(namesLength);

    const std::size_t count = names.size();
    if (count > (archive.size() - pos) / 4) return LoadResult::Damaged;
    std::vector<std::int32_t> sizes(count);
    std::int64_t total = 0;
    for (std::size_t i = 0; i < count; ++i) {
        sizes[i] = *base::le::I32At(archive, pos + 4 * i);
        if (sizes[i] < 0) return LoadResult::Damaged;
        total += sizes[i];
    }
    pos += 4 * count;
    if (total > std::int64_t(archive.size() - pos)) return LoadResult::Damaged;

    names_ = std::move(names);
    sizes_ = std::move(sizes);
    if (owned) {  // archive is owned's bytes: keep the buffer instead of copying it
        owned->erase(owned->begin(), owned->begin() + std::ptrdiff_t(pos));
        data_ = std::move(*owned);
    } else {
        data_.assign(archive.begin() + std::ptrdiff_t(pos), archive.end());
    }
    return LoadResult::Loaded;
}

TSkinReader::LoadResult TSkinReader::LoadPacked(std::span<const std::uint8_t> packed) {
    std::vector<std::uint8_t> archive;
    if (!UnpackStream(packed, archive)) return LoadResult::Damaged;
    return Index(archive, &archive);
}

void TSkinReader::ShowOlderSkinMessage() {
    sys::ShowModalMessage("This is Older Skin File\rPlease update to new version !", "",
                          sys::MessageKind::Information);
}

bool TSkinReader::LoadArchive(std::span<const std::uint8_t> packed) {
    lastResult_ = LoadPacked(packed);
    if (lastResult_ == LoadResult::UnknownTag) ShowOlderSkinMessage();
    return lastResult_ == LoadResult::Loaded;
}

bool TSkinReader::LoadUnpacked(std::span<const std::uint8_t> archive) {
    lastResult_ = Index(archive);
    if (lastResult_ == LoadResult::UnknownTag) ShowOlderSkinMessage();
    return lastResult_ == LoadResult::Loaded;
}

bool TSkinReader::LoadSkinFile(std::span<const std::uint8_t> file) {
    // A stored length that matches the file exactly marks the stream layout;
    // should the same bytes also read as a bare packed skin, whichever layout
    // yields an archive wins, the stored one first.
    LoadResult stored = LoadResult::Damaged;
    if (file.size() >= 8 && *base::le::I32At(file, 0) == std::int64_t(file.size()) - 4) {
        stored = LoadPacked(file.subspan(4));
        if (stored == LoadResult::Loaded) {
            lastResult_ = stored;
            return true;
        }
    }
    const std::array<std::int32_t, 4> storedHeader = header_;
    lastResult_ = LoadPacked(file);
    if (lastResult_ != LoadResult::Loaded && stored == LoadResult::UnknownTag) {
        lastResult_ = stored;
        header_ = storedHeader;
    }
    if (lastResult_ == LoadResult::UnknownTag) ShowOlderSkinMessage();
    return lastResult_ == LoadResult::Loaded;
}

void TSkinReader::ExtractFile(const std::string& name, std::vector<std::uint8_t>& target) const {
    target.clear();
    const std::string wanted = base::AsciiLower(name);
    std::size_t offset = 0;
    for (std::size_t i = 0; i < names_.size(); ++i) {
        const std::size_t size = std::size_t(sizes_[i]);
        if (names_[i] == wanted) {
            target.assign(data_.begin() + std::ptrdiff_t(offset), data_.begin() + std::ptrdiff_t(offset + size));
            return;
        }
        offset += size;
    }
}

void TSkinReader::ExtractFirstMatching(const std::string& fragment, std::vector<std::uint8_t>& target,
                                       std::string& foundName) const {
    target.clear();
    std::size_t offset = 0;
    for (std::size_t i = 0; i < names_.size(); ++i) {
        const std::size_t size = std::size_t(sizes_[i]);
        if (names_[i].find(fragment) != std::string::npos) {
            target.assign(data_.begin() + std::ptrdiff_t(offset), data_.begin() + std::ptrdiff_t(offset + size));
            foundName = names_[i];
            return;
        }
        offset += size;
    }
}

}  // namespace skin
