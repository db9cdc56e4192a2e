#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "LzhBaseline.h"
#include "LzhStreams.h"
#include "SkinLikeData.h"
#include "lzhenc/LzhEncode.h"
#include "skin/resources/lzh.h"

namespace {
using Bytes = std::vector<std::uint8_t>;

Bytes Of(const std::string& s) { return Bytes(s.begin(), s.end()); }

struct Decoded {
    Bytes out;
    std::size_t position;
};

Decoded Fast(const Bytes& input, std::int32_t size, std::size_t start = 0) {
    Decoded d;
    skin::TLZH lzh;
    lzh.Input = input;
    lzh.InputPosition = start;
    lzh.Output = &d.out;
    lzh.Unpack(size);
    d.position = lzh.InputPosition;
    return d;
}

// The codec driven through its own stream callbacks, one byte per call.
Decoded ThroughCallbacks(const Bytes& input, std::int32_t size) {
    Decoded d;
    skin::TLZH lzh;
    lzh.Input = input;
    lzh.Output = &d.out;
    lzh.Unpack(
        size,
        [&](std::uint8_t* b, std::uint16_t n, std::uint16_t& a) {
            EXPECT_EQ(n, 1);
            lzh.ReadInput(b, n, a);
        },
        [&](std::uint8_t* b, std::uint16_t n, std::uint16_t& a) {
            EXPECT_EQ(n, 1);
            lzh.WriteOutput(b, n, a);
        });
    d.position = lzh.InputPosition;
    return d;
}

Decoded Baseline(const Bytes& input, std::int32_t size) {
    baseline::MemoryStream in, out;
    in.bytes = input;
    baseline::Lzh lzh;
    lzh.input = &in;
    lzh.output = &out;
    lzh.Unpack(size);
    return {out.bytes, in.position};
}

// All three decoders must agree on the bytes and on how far they read.
Bytes DecodeAgreeing(const Bytes& input, std::int32_t size) {
    const Decoded fast = Fast(input, size);
    const Decoded slow = ThroughCallbacks(input, size);
    const Decoded base = Baseline(input, size);
    EXPECT_EQ(fast.out, base.out);
    EXPECT_EQ(slow.out, base.out);
    EXPECT_EQ(fast.position, base.position);
    EXPECT_EQ(slow.position, base.position);
    return fast.out;
}

TEST(Lzh, RoundTripsThroughTheEncoder) {
    Bytes repetitive;
    for (int i = 0; i < 20000; ++i) repetitive.push_back(std::uint8_t("abcabcabd"[i % 9]));
    Bytes big;  // 2 MB: skin-like archives, runs and noise
    while (big.size() < 2 * 1024 * 1024) {
        const auto part = big.size() % 3 == 0 ? benchdata::SkinLikeArchive() : benchdata::RandomBytes(70000, std::uint32_t(big.size()));
        big.insert(big.end(), part.begin(), part.end());
        big.insert(big.end(), 5000, 0);
    }
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"empty", {}},
        {"one byte", Of("a")},
        {"tiny", Of("abc")},
        {"spaces", Bytes(200, ' ')},
        {"random", benchdata::RandomBytes(100000, 1)},
        {"repetitive", repetitive},
        {"zeros", Bytes(100000, 0)},
        {"skin-like", benchdata::SkinLikeArchive()},
        {"2 MB", big},
    };
    for (const auto& [name, data] : cases) {
        SCOPED_TRACE(name);
        const Bytes stream = lzhenc::Encode(data);
        EXPECT_EQ(DecodeAgreeing(stream, std::int32_t(data.size())), data);
        // The encoder packs: redundant input must shrink a lot, random not grow much.
        const std::string n = name;
        if (n == "spaces" || n == "repetitive" || n == "zeros" || n == "skin-like") {
            EXPECT_LT(stream.size(), data.size() / 2);
        }
    }
    const Bytes random = benchdata::RandomBytes(100000, 1);
    EXPECT_LT(lzhenc::Encode(random).size(), random.size() * 9 / 8 + 64);
}

TEST(Lzh, SizeZeroOrNegativeReadsAndWritesNothing) {
    const Bytes input = lzhenc::Encode(Of("hello hello hello"));
    for (std::int32_t size : {0, -1, INT32_MIN}) {
        Bytes out = Of("kept");
        skin::TLZH lzh;
        lzh.Input = input;
        lzh.InputPosition = 1;
        lzh.Output = &out;
        lzh.Unpack(size);
        EXPECT_EQ(out, Of("kept"));
        EXPECT_EQ(lzh.InputPosition, 1u);
        int calls = 0;
        lzh.Unpack(
            size, [&](std::uint8_t*, std::uint16_t, std::uint16_t& a) { ++calls, a = 0; },
            [&](std::uint8_t*, std::uint16_t, std::uint16_t& a) { ++calls, a = 0; });
        EXPECT_EQ(calls, 0);
    }
}

TEST(Lzh, AppendsToOutputAndReadsFromInputPosition) {
    const Bytes data = Of("the quick brown fox, the quick brown fox");
    Bytes input = Of("junk");
    const Bytes stream = lzhenc::Encode(data);
    input.insert(input.end(), stream.begin(), stream.end());
    Bytes out = Of(">>");
    skin::TLZH lzh;
    lzh.Input = input;
    lzh.InputPosition = 4;
    lzh.Output = &out;
    lzh.Unpack(std::int32_t(data.size()));
    EXPECT_EQ(std::string(out.begin(), out.end()), ">>" + std::string(data.begin(), data.end()));
    EXPECT_LE(lzh.InputPosition, input.size());
}

TEST(Lzh, MatchesReachIntoTheInitialWindow) {
    // The window starts as 4036 spaces; the rest is zero until written.
    EXPECT_EQ(DecodeAgreeing(StreamBuilder().Match(10, 100).Literal('x').Bytes(), 11), Of(std::string(10, ' ') + "x"));
    EXPECT_EQ(DecodeAgreeing(StreamBuilder().Match(5, 4095).Bytes(), 5), Bytes(5, 0));
    // Across the end of the ring: slots 4094, 4095 (zero), then 0..3 (spaces).
    EXPECT_EQ(DecodeAgreeing(StreamBuilder().Literal('a').Match(6, 4038).Bytes(), 7),
              (Bytes{'a', 0, 0, ' ', ' ', ' ', ' '}));
    // Part initial window, part output: 'a' 'b' then 4 bytes from 3 back.
    EXPECT_EQ(DecodeAgreeing(StreamBuilder().Literal('a').Literal('b').Match(4, 2).Bytes(), 6), Of("ab ab "));
    // The encoder uses the initial spaces as well: 60 spaces are one match.
    const Bytes spaces(60, ' ');
    EXPECT_LE(lzhenc::Encode(spaces).size(), 4u);
}

TEST(Lzh, OverlappingMatchRepeatsAndAMatchPastTheSizeIsWrittenWhole) {
    EXPECT_EQ(DecodeAgreeing(StreamBuilder().Literal('a').Literal('b').Match(7, 1).Bytes(), 9), Of("ababababa"));
    const Bytes stream = StreamBuilder().Literal('q').Match(60, 0).Bytes();
    const Bytes out = DecodeAgreeing(stream, 10);
    EXPECT_EQ(out, Bytes(61, 'q'));
}

TEST(Lzh, ShortInputYieldsTheRequestedLengthFromZeroBits) {
    const Bytes data = benchdata::RandomBytes(300, 5);
    Bytes stream = lzhenc::Encode(data);
    const Bytes half(stream.begin(), stream.begin() + std::ptrdiff_t(stream.size() / 2));
    const Bytes out = DecodeAgreeing(half, 1000);
    ASSERT_GE(out.size(), 1000u);
    EXPECT_LE(out.size(), 1000u + 59);
    // What the kept half encodes comes out unchanged.
    EXPECT_TRUE(std::equal(out.begin(), out.begin() + 50, data.begin()));
    EXPECT_EQ(Fast(half, 1000).position, half.size());
    // Nothing at all to read: still the requested length.
    EXPECT_GE(DecodeAgreeing({}, 500).size(), 500u);
}

TEST(Lzh, StopsReadingWhereTheByteReaderWouldHave) {
    // Trailing bytes after a stream stay unread; arbitrary bytes decode alike
    // in the buffered and the byte-at-a-time decoders.
    Bytes input = lzhenc::Encode(benchdata::SkinLikeArchive());
    const std::size_t streamSize = input.size();
    input.resize(streamSize + 100, 0xAB);
    const Decoded d = Fast(input, std::int32_t(benchdata::SkinLikeArchive().size()));
    EXPECT_GE(d.position, streamSize - 2);
    EXPECT_LE(d.position, streamSize + 2);
    EXPECT_EQ(d.position, Baseline(input, std::int32_t(benchdata::SkinLikeArchive().size())).position);
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        const Bytes junk = benchdata::RandomBytes(seed * 37 % 300, seed);
        DecodeAgreeing(junk, std::int32_t(seed * 311 % 5000));
    }
}

TEST(Lzh, RebuildsTheTreeWhenTheRootReaches0x8000) {
    // 40000 literals with skewed counts: the tree is rebuilt after the first
    // 32768 - 314 of them and must go on coding the same symbols.
    StreamBuilder builder;
    Bytes expected;
    std::uint32_t state = 99;
    for (int i = 0; i < 40000; ++i) {
        state = state * 1103515245 + 12345;
        const std::uint8_t b = (state >> 16) % 4 == 0 ? std::uint8_t(state >> 24) : std::uint8_t('a' + (state >> 20) % 3);
        builder.Literal(b);
        expected.push_back(b);
    }
    const Bytes stream = builder.Bytes();
    EXPECT_EQ(Baseline(stream, 40000).out, expected);
    EXPECT_EQ(DecodeAgreeing(stream, 40000), expected);
}

TEST(Lzh, StreamCallbacksFollowTheStreams) {
    const Bytes input = Of("xyz");
    skin::TLZH lzh;
    lzh.Input = input;
    lzh.InputPosition = 2;
    std::uint8_t buffer[8] = {};
    std::uint16_t actual = 99;
    lzh.ReadInput(buffer, 5, actual);
    EXPECT_EQ(actual, 1);
    EXPECT_EQ(buffer[0], 'z');
    lzh.ReadInput(buffer, 1, actual);
    EXPECT_EQ(actual, 0);
    EXPECT_EQ(lzh.InputPosition, 3u);
    Bytes out;
    lzh.Output = &out;
    std::uint8_t two[2] = {'o', 'k'};
    lzh.WriteOutput(two, 2, actual);
    EXPECT_EQ(actual, 2);
    EXPECT_EQ(out, Of("ok"));
}
}  // namespace
