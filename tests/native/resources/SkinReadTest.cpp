#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>

#include "AllocationProbe.h"
#include "SkinLikeData.h"
#include "base/System.h"
#include "lzhenc/LzhEncode.h"
#include "skin/resources/SkinRead.h"

namespace {
using Bytes = std::vector<std::uint8_t>;
using skin::TSkinReader;

void PutInt(Bytes& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(std::uint8_t(v >> (8 * i)));
}

// An archive laid out by hand: header, extra block of junk, names text as
// given, sizes, data.
Bytes RawArchive(std::int32_t tag, const std::string& names, const std::vector<std::int32_t>& sizes,
                 const std::string& data, int extra = -1, std::int32_t namesLength = INT32_MIN) {
    if (extra < 0) extra = skin::SkinExtraBlockSize(tag) < 0 ? 0 : skin::SkinExtraBlockSize(tag);
    Bytes out;
    PutInt(out, std::uint32_t(tag));
    PutInt(out, std::uint32_t(namesLength != INT32_MIN ? namesLength : std::int32_t(names.size())));
    PutInt(out, 0xDEADBEEF);
    PutInt(out, 0x01020304);
    out.insert(out.end(), std::size_t(extra), 0xEE);
    out.insert(out.end(), names.begin(), names.end());
    for (auto s : sizes) PutInt(out, std::uint32_t(s));
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

std::string Extract(const TSkinReader& reader, const std::string& name) {
    Bytes out{'?'};
    reader.ExtractFile(name, out);
    return std::string(out.begin(), out.end());
}

// Collects the reader's modal messages.
class Messages {
public:
    Messages() {
        sys::SetMessageObserver([this](const std::string& text, const std::string&, sys::MessageKind) { texts.push_back(text); });
    }
    ~Messages() { sys::SetMessageObserver(nullptr); }
    std::vector<std::string> texts;
};

TEST(SkinRead, ReadsAllFourTagsAndSkipsTheirExtraBlocks) {
    for (std::int32_t tag : {20000, 30000, 40000, 50000}) {
        SCOPED_TRACE(tag);
        Messages messages;
        TSkinReader reader;
        ASSERT_TRUE(reader.LoadArchive(lzhenc::Pack(RawArchive(tag, "Skin.INI\r\nBack Ground.bmp\r\n", {5, 3}, "[a]\r\nBMP"))));
        EXPECT_EQ(reader.Count(), 2);
        EXPECT_EQ(reader.Names(), (std::vector<std::string>{"skin.ini", "back ground.bmp"}));
        EXPECT_EQ(reader.Header()[0], tag);
        EXPECT_EQ(reader.Header()[1], 27);
        EXPECT_EQ(Extract(reader, "skin.ini"), "[a]\r\n");
        EXPECT_EQ(Extract(reader, "Back Ground.BMP"), "BMP");
        EXPECT_TRUE(messages.texts.empty());
    }
}

TEST(SkinRead, UnknownTagShowsTheOlderSkinMessageAndKeepsTheLoadedSkin) {
    Messages messages;
    TSkinReader reader;
    ASSERT_TRUE(reader.LoadArchive(lzhenc::Pack(RawArchive(20000, "a.ini\r\n", {2}, "ok"))));
    EXPECT_FALSE(reader.LoadArchive(lzhenc::Pack(RawArchive(10000, "b.ini\r\n", {2}, "no"))));
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.texts[0], "This is Older Skin File\rPlease update to new version !");
    EXPECT_EQ(reader.LastResult(), TSkinReader::LoadResult::UnknownTag);
    EXPECT_EQ(reader.Tag(), 10000);
    EXPECT_EQ(Extract(reader, "a.ini"), "ok");
    EXPECT_EQ(Extract(reader, "b.ini"), "");

    // The tag decides even when the rest of the header is missing.
    for (std::size_t length : {4u, 8u, 15u}) {
        SCOPED_TRACE(length);
        messages.texts.clear();
        Bytes archive = RawArchive(10000, "", {}, "");
        archive.resize(length);
        EXPECT_FALSE(reader.LoadUnpacked(archive));
        EXPECT_EQ(reader.LastResult(), TSkinReader::LoadResult::UnknownTag);
        EXPECT_EQ(reader.Tag(), 10000);
        EXPECT_EQ(messages.texts.size(), 1u);
        EXPECT_EQ(Extract(reader, "a.ini"), "ok");
    }
}

TEST(SkinRead, LookupsByNameAndByFragment) {
    TSkinReader reader;
    ASSERT_TRUE(reader.LoadArchive(lzhenc::Pack(RawArchive(
        20000, "Title.bmp\r\nSkin.ini\r\nbutton face.bmp\r\ntitle.BMP\r\nempty.bmp\r\n", {2, 4, 3, 5, 0},
        "T1INI!facT2two"))));
    // First of equal names wins.
    EXPECT_EQ(Extract(reader, "TITLE.BMP"), "T1");
    EXPECT_EQ(Extract(reader, "SKIN.INI"), "INI!");
    EXPECT_EQ(Extract(reader, "button face.bmp"), "fac");
    EXPECT_EQ(Extract(reader, "buttonface.bmp"), "");
    EXPECT_EQ(Extract(reader, "empty.bmp"), "");
    EXPECT_EQ(Extract(reader, "missing.bmp"), "");

    Bytes out{'?'};
    std::string found = "unchanged";
    reader.ExtractFirstMatching(".INI", out, found);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(found, "unchanged");
    reader.ExtractFirstMatching(".ini", out, found);
    EXPECT_EQ(std::string(out.begin(), out.end()), "INI!");
    EXPECT_EQ(found, "skin.ini");
    reader.ExtractFirstMatching("face", out, found);
    EXPECT_EQ(std::string(out.begin(), out.end()), "fac");
    EXPECT_EQ(found, "button face.bmp");
    reader.ExtractFirstMatching(".bmp", out, found);
    EXPECT_EQ(found, "title.bmp");
    EXPECT_EQ(std::string(out.begin(), out.end()), "T1");
}

TEST(SkinRead, SplitsNamesLikeAStringList) {
    struct Case {
        const char* name;
        std::string names;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"CR LF", "a\r\nb\r\n", {"a", "b"}},
        {"CR", "a\rb\r", {"a", "b"}},
        {"LF", "a\nb\n", {"a", "b"}},
        {"mixed, no final break", "a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        {"empty line between", "a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"LF CR is two breaks", "a\n\rb", {"a", "", "b"}},
        {"NUL ends the text", std::string("a\r\nb\0c\r\n", 8), {"a", "b"}},
        {"only letters A-Z lowered", "\xC4Z.BMP\r\n", {"\xC4z.bmp"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<std::int32_t> sizes(c.expected.size(), 1);
        TSkinReader reader;
        ASSERT_TRUE(reader.LoadUnpacked(RawArchive(20000, c.names, sizes, std::string(c.expected.size(), 'x'))));
        EXPECT_EQ(reader.Names(), c.expected);
    }
}

TEST(SkinRead, RefusesDamagedArchivesWithoutAMessage) {
    Messages messages;
    struct Case {
        const char* name;
        Bytes archive;
    };
    const Case cases[] = {
        {"shorter than the header", Bytes{0x20, 0x4E, 0, 0, 5, 0, 0}},
        {"shorter than a tag", Bytes{0x20, 0x4E, 0}},
        {"negative size", RawArchive(20000, "a\r\nb\r\n", {3, -1}, "abc")},
        {"sizes past the data", RawArchive(20000, "a\r\nb\r\n", {3, 2}, "abcd")},
        {"sizes overflowing 32 bits", RawArchive(20000, "a\r\nb\r\n", {0x7FFFFFFF, 0x7FFFFFFF}, "abcd")},
        {"names past the end", RawArchive(20000, "a\r\n", {1}, "x", -1, 1000)},
        {"negative names length", RawArchive(20000, "a\r\n", {1}, "x", -1, -5)},
        {"sizes array past the end", RawArchive(20000, "a\r\nb\r\nc\r\n", {}, "")},
        {"extra block cut short", [] {
             Bytes a = RawArchive(30000, "", {}, "");
             a.resize(100);
             return a;
         }()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TSkinReader reader;
        ASSERT_TRUE(reader.LoadUnpacked(RawArchive(20000, "keep\r\n", {1}, "k")));
        EXPECT_FALSE(reader.LoadUnpacked(c.archive));
        EXPECT_FALSE(reader.LoadArchive(lzhenc::Pack(c.archive)));
        EXPECT_EQ(reader.LastResult(), TSkinReader::LoadResult::Damaged);
        EXPECT_EQ(Extract(reader, "keep"), "k");
    }
    EXPECT_TRUE(messages.texts.empty());
    // Sizes that leave data over are fine: the rest is simply not a member.
    TSkinReader reader;
    EXPECT_TRUE(reader.LoadUnpacked(RawArchive(20000, "a\r\n", {1}, "abc")));
    EXPECT_EQ(Extract(reader, "a"), "a");
}

TEST(SkinRead, RefusesImpossibleDeclaredSizesWithoutUnpacking) {
    Bytes target{1, 2, 3};
    Bytes hugeSize;
    PutInt(hugeSize, 0x7FFFFFFF);
    hugeSize.insert(hugeSize.end(), 10, 0x55);
    EXPECT_FALSE(TSkinReader::UnpackStream(hugeSize, target));
    EXPECT_TRUE(target.empty());
    Bytes negative;
    PutInt(negative, 0xFFFFFFF0);
    EXPECT_FALSE(TSkinReader::UnpackStream(negative, target));
    EXPECT_FALSE(TSkinReader::UnpackStream(Bytes{1, 0, 0}, target));
    TSkinReader reader;
    EXPECT_FALSE(reader.LoadArchive(hugeSize));
    EXPECT_FALSE(reader.LoadSkinFile(hugeSize));
    // The limit is generous: a stream of 60-byte matches expands about 48-fold.
    const Bytes runs(100000, 'z');
    const Bytes packed = lzhenc::Pack(runs);
    EXPECT_LT(packed.size() * 40, runs.size());
    EXPECT_TRUE(TSkinReader::UnpackStream(packed, target));
    EXPECT_EQ(target, runs);
}

TEST(SkinRead, NoSkinUnpacksPast64MegabytesHoweverLongItsStream) {
    // Streams long enough that a limit proportional to the input alone would let them
    // declare 2 GB and 64 MB + 1: both are refused before anything of that size exists.
    constexpr std::uint32_t kCap = 64u << 20;
    for (const auto& [declared, streamBytes] : {std::pair<std::uint32_t, std::size_t>{0x7FFFFFFF, 34u << 20},
                                                std::pair<std::uint32_t, std::size_t>{kCap + 1, 1100000}}) {
        SCOPED_TRACE(declared);
        Bytes packed;
        PutInt(packed, declared);
        packed.resize(4 + streamBytes, 0x00);

        Bytes target{1, 2, 3};
        AllocationProbe probe;
        EXPECT_FALSE(TSkinReader::UnpackStream(packed, target));
        EXPECT_TRUE(target.empty());
        TSkinReader reader;
        EXPECT_FALSE(reader.LoadArchive(packed));
        EXPECT_FALSE(reader.LoadSkinFile(packed));
        EXPECT_EQ(reader.LastResult(), TSkinReader::LoadResult::Damaged);
        EXPECT_LT(probe.Largest(), std::size_t(1) << 16) << "nothing of the declared size was allocated";
    }
    // The cap is where the limit ends for long streams, and no lower.
    EXPECT_EQ(TSkinReader::MaxUnpackedSize(std::size_t(1) << 40), kCap);
    EXPECT_EQ(TSkinReader::MaxUnpackedSize(1100000), kCap);
    EXPECT_LT(TSkinReader::MaxUnpackedSize(100000), kCap);
}

TEST(SkinRead, GrowsTheDirectoryPastAThousandMembers) {
    std::string names, data;
    std::vector<std::int32_t> sizes;
    for (int i = 0; i < 1500; ++i) {
        names += "m" + std::to_string(i) + ".bmp\r\n";
        const std::string content = std::to_string(i * 7);
        sizes.push_back(std::int32_t(content.size()));
        data += content;
    }
    TSkinReader reader;
    ASSERT_TRUE(reader.LoadArchive(lzhenc::Pack(RawArchive(20000, names, sizes, data))));
    EXPECT_EQ(reader.Count(), 1500);
    EXPECT_EQ(Extract(reader, "m0.bmp"), "0");
    EXPECT_EQ(Extract(reader, "m1000.bmp"), "7000");
    EXPECT_EQ(Extract(reader, "M1499.BMP"), "10493");
}

TEST(SkinRead, SkinFilesWithAndWithoutAStoredLength) {
    Messages messages;
    const Bytes packed = lzhenc::Pack(RawArchive(40000, "skin.ini\r\n", {3}, "abc"));
    Bytes stored;
    PutInt(stored, std::uint32_t(packed.size()));
    stored.insert(stored.end(), packed.begin(), packed.end());
    for (const Bytes* file : {&packed, static_cast<const Bytes*>(&stored)}) {
        TSkinReader reader;
        ASSERT_TRUE(reader.LoadSkinFile(*file));
        EXPECT_EQ(reader.Tag(), 40000);
        EXPECT_EQ(Extract(reader, "skin.ini"), "abc");
    }
    // A stored length that does not fit is no stored length.
    Bytes wrong = stored;
    wrong[0] ^= 1;
    TSkinReader reader;
    EXPECT_FALSE(reader.LoadSkinFile(wrong));
    // A stored stream with an unknown tag is reported as such.
    const Bytes oldPacked = lzhenc::Pack(RawArchive(123, "a\r\n", {1}, "a"));
    Bytes oldStored;
    PutInt(oldStored, std::uint32_t(oldPacked.size()));
    oldStored.insert(oldStored.end(), oldPacked.begin(), oldPacked.end());
    messages.texts.clear();
    EXPECT_FALSE(reader.LoadSkinFile(oldStored));
    EXPECT_EQ(reader.LastResult(), TSkinReader::LoadResult::UnknownTag);
    EXPECT_EQ(reader.Tag(), 123);
    EXPECT_EQ(messages.texts.size(), 1u);
}

TEST(SkinRead, ASkinSizedArchiveRoundTrips) {
    const Bytes archive = benchdata::SkinLikeArchive();
    TSkinReader reader;
    ASSERT_TRUE(reader.LoadArchive(lzhenc::Pack(archive)));
    ASSERT_EQ(reader.Count(), 40);
    Bytes all, member;
    for (const auto& name : reader.Names()) {
        reader.ExtractFile(name, member);
        all.insert(all.end(), member.begin(), member.end());
    }
    EXPECT_EQ(all, reader.Data());
    EXPECT_TRUE(std::equal(all.begin(), all.end(), archive.end() - std::ptrdiff_t(all.size())));
    std::string found;
    reader.ExtractFirstMatching(".ini", member, found);
    EXPECT_EQ(found, "skin.ini");
    EXPECT_EQ(std::string(member.begin(), member.begin() + 13), "[Personality]");
}
}  // namespace
