#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <vector>

#include "base/LittleEndian.h"

namespace le = base::le;
using Bytes = std::vector<std::uint8_t>;

TEST(LittleEndian, ReadsLeastSignificantByteFirst) {
    const Bytes b = {0x20, 0x4E, 0x00, 0x00, 0xF0, 0xFF, 0xFF, 0xFF, 0x34, 0x12};
    EXPECT_EQ(le::U32At(b, 0), 20000u);
    EXPECT_EQ(le::I32At(b, 0), 20000);
    EXPECT_EQ(le::I32At(b, 4), -16) << "signed fields keep their sign";
    EXPECT_EQ(le::U32At(b, 4), 0xFFFFFFF0u);
    EXPECT_EQ(le::U16At(b, 8), 0x1234u);
    EXPECT_EQ(le::U16At(b, 1), 0x004Eu) << "no alignment is assumed";
    static_assert(le::Load32(std::span<const std::uint8_t, 4>(std::array<std::uint8_t, 4>{1, 2, 3, 4})) == 0x04030201u);
}

TEST(LittleEndian, NothingIsReadPastTheEnd) {
    const Bytes b = {1, 2, 3, 4, 5};
    EXPECT_TRUE(le::U32At(b, 1).has_value()) << "the last four bytes";
    EXPECT_FALSE(le::U32At(b, 2));
    EXPECT_FALSE(le::U16At(b, 4));
    EXPECT_FALSE(le::I32At(b, 5));
    EXPECT_FALSE(le::U32At(Bytes{}, 0));
    // Offsets a damaged header can produce must not wrap around to a valid range.
    const std::uint64_t huge = std::numeric_limits<std::uint64_t>::max();
    EXPECT_FALSE(le::U32At(b, huge));
    EXPECT_FALSE(le::U16At(b, huge - 1));
    EXPECT_FALSE(le::BytesAt(b, 2, huge));
    EXPECT_FALSE(le::BytesAt(b, huge, 2));

    const auto all = le::BytesAt(b, 0, 5);
    ASSERT_TRUE(all);
    EXPECT_EQ(all->size(), 5u);
    const auto none = le::BytesAt(b, 5, 0);
    ASSERT_TRUE(none) << "an empty range at the very end is inside";
    EXPECT_TRUE(none->empty());
    EXPECT_FALSE(le::BytesAt(b, 6, 0));
    const auto middle = le::BytesAt(b, 1, 3);
    ASSERT_TRUE(middle);
    EXPECT_EQ(Bytes(middle->begin(), middle->end()), (Bytes{2, 3, 4}));
}

TEST(LittleEndian, WritesReadBackAndStoresStayInside) {
    Bytes out;
    le::Append32(out, 0x7FFFFFFF);
    le::Append16(out, 0xBEEF);
    le::Append32(out, std::uint32_t(-2));
    EXPECT_EQ(out, (Bytes{0xFF, 0xFF, 0xFF, 0x7F, 0xEF, 0xBE, 0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(le::I32At(out, 6), -2);

    Bytes file(6, 0xAA);
    EXPECT_TRUE(le::Store32(file, 2, 0x01020304));
    EXPECT_EQ(file, (Bytes{0xAA, 0xAA, 0x04, 0x03, 0x02, 0x01}));
    EXPECT_TRUE(le::Store16(file, 0, 54));
    EXPECT_EQ(le::U16At(file, 0), 54u);
    const Bytes before = file;
    EXPECT_FALSE(le::Store32(file, 3, 0xFFFFFFFF)) << "one byte short";
    EXPECT_FALSE(le::Store16(file, 5, 0xFFFF));
    EXPECT_FALSE(le::Store16(file, std::numeric_limits<std::uint64_t>::max(), 1));
    EXPECT_EQ(file, before) << "a store that does not fit writes nothing at all";
}
