// The arithmetic of a skinned scroll bar: thumb size and place, the parts along the bar,
// drag clamping and the combo list's position from a thumb offset. Checked by what must
// hold for every input (inside the track, ends meeting the arrows, order of the parts),
// and on the awkward inputs a control can hand over.
#include <gtest/gtest.h>

#include "skin/controls/ScrollGeometry.h"

namespace {

using namespace skin::scroll;

constexpr int kArrow = 17;

TEST(ScrollMulDiv, RoundsHalfAwayFromZeroAndRefusesZeroDivisor) {
    EXPECT_EQ(MulDiv(10, 1, 4), 3);    // 2.5
    EXPECT_EQ(MulDiv(-10, 1, 4), -3);  // -2.5
    EXPECT_EQ(MulDiv(10, 1, -4), -3);
    EXPECT_EQ(MulDiv(9, 1, 4), 2);     // 2.25
    EXPECT_EQ(MulDiv(7, 3, 0), -1);
    EXPECT_EQ(MulDiv(2000000000, 2000000000, 2000000000), 2000000000);  // no overflow in between
}

TEST(ScrollThumb, StaysInsideTheTrackAndReachesBothEnds) {
    for (int length : {60, 120, 217, 400}) {
        for (unsigned page : {0u, 1u, 5u, 10u, 50u, 100u}) {
            const int nMin = 0, nMax = 99;
            const int last = page ? nMax - int(page) + 1 : nMax;
            ThumbSpan previous{};
            for (int pos = nMin; pos <= last; ++pos) {
                const ThumbSpan t = ThumbFromScrollInfo(length, kArrow, nMin, nMax, page, pos);
                ASSERT_FALSE(t.Empty()) << length << " " << page << " " << pos;
                EXPECT_GE(t.start, kArrow);
                EXPECT_LE(t.end, length - kArrow);
                if (pos > nMin) {
                    EXPECT_GE(t.start, previous.start) << "the thumb never moves back";
                }
                previous = t;
            }
            EXPECT_EQ(ThumbFromScrollInfo(length, kArrow, nMin, nMax, page, nMin).start, kArrow);
            // The last position puts the thumb against the second arrow (within rounding).
            EXPECT_NEAR(ThumbFromScrollInfo(length, kArrow, nMin, nMax, page, last).end, length - kArrow, 1)
                << length << " " << page;
        }
    }
}

TEST(ScrollThumb, ProportionalToThePageWithAnEightPixelMinimum) {
    const int length = 217, track = length - 2 * kArrow;
    // A page of a tenth of the range: about a tenth of the track.
    const ThumbSpan tenth = ThumbFromScrollInfo(length, kArrow, 0, 1000, 101, 0);
    EXPECT_NEAR(tenth.Length(), track / 10, 1);
    // A page far too small for its range still gets a thumb one can grab.
    for (int pos : {0, 1, 5000, 99990}) {
        const ThumbSpan tiny = ThumbFromScrollInfo(length, kArrow, 0, 100000, 2, pos);
        EXPECT_EQ(tiny.Length(), kMinThumb) << pos;
        EXPECT_LE(tiny.end, length - kArrow);
    }
    // Without a page the thumb is as long as an arrow.
    EXPECT_EQ(ThumbFromScrollInfo(length, kArrow, 0, 50, 0, 20).Length(), kArrow);
}

TEST(ScrollThumb, AwkwardRangesStayInsideTheBar) {
    const int length = 150;
    struct Case {
        int nMin, nMax;
        unsigned page;
        int pos;
    } cases[] = {
        {5, 5, 1, 5},          // no range
        {5, 5, 0, 5},
        {10, 0, 3, 4},         // reversed
        {0, 10, 500, 0},       // page larger than the range
        {0, 10, 0xFFFFFFFF, 3},
        {0, 10, 2, 50},        // position past the end
        {0, 10, 2, -50},       // and before the start
        {-100, -20, 10, -60},  // negative range
    };
    for (const Case& c : cases) {
        const ThumbSpan t = ThumbFromScrollInfo(length, kArrow, c.nMin, c.nMax, c.page, c.pos);
        EXPECT_GE(t.start, kArrow) << c.nMin << ".." << c.nMax << " page " << c.page << " pos " << c.pos;
        EXPECT_LE(t.end, length - kArrow);
        EXPECT_LE(t.start, t.end);
    }
    // A page that covers the whole range fills the track.
    const ThumbSpan full = ThumbFromScrollInfo(length, kArrow, 0, 10, 500, 0);
    EXPECT_EQ(full.start, kArrow);
    EXPECT_EQ(full.end, length - kArrow);
}

TEST(ScrollThumb, NoThumbWhereTheTrackCannotHoldOne) {
    // Track of 5 pixels: shorter than the 8-pixel minimum.
    EXPECT_TRUE(ThumbFromScrollInfo(2 * kArrow + 5, kArrow, 0, 1000, 2, 500).Empty());
    // Bar shorter than its two arrows.
    EXPECT_TRUE(ThumbFromScrollInfo(20, kArrow, 0, 10, 2, 5).Empty());
    EXPECT_TRUE(ThumbFromScrollInfo(0, kArrow, 0, 10, 2, 5).Empty());
    // The control's properties, a zero range among them.
    EXPECT_TRUE(ThumbFromProperties(20, kArrow, 0, 10, 5, 2).Empty());
    const ThumbSpan p = ThumbFromProperties(200, kArrow, 3, 3, 3, 1);
    EXPECT_GE(p.start, kArrow);
    EXPECT_LE(p.end, 200 - kArrow);
}

TEST(ScrollThumb, PropertiesAgreeWithScrollInformation) {
    // Min, Max, Position and PageSize describe the same thumb as the scroll information
    // wherever the minimum size does not apply.
    for (int pos = 0; pos <= 90; pos += 9) {
        const ThumbSpan a = ThumbFromScrollInfo(300, kArrow, 0, 100, 11, pos);
        const ThumbSpan b = ThumbFromProperties(300, kArrow, 0, 100, pos, 11);
        EXPECT_EQ(a.start, b.start) << pos;
        EXPECT_EQ(a.end, b.end) << pos;
    }
}

TEST(ScrollParts, InOrderAlongTheBar) {
    const int length = 200;
    const ThumbSpan thumb{80, 110};
    int last = -2;
    int seen[6] = {};
    const int order[] = {kLineUp, kPageUp, kThumbTrack, kPageDown, kLineDown};
    auto rank = [&](int part) {
        for (int i = 0; i < 5; ++i)
            if (order[i] == part) return i;
        return -1;
    };
    for (int a = 0; a < length; ++a) {
        const int part = HitTest(a, length, kArrow, thumb);
        ASSERT_GE(rank(part), 0) << a;
        EXPECT_GE(rank(part), last) << "parts come in order at " << a;
        last = rank(part);
        ++seen[rank(part)];
    }
    EXPECT_EQ(seen[0], kArrow);
    EXPECT_EQ(seen[1], thumb.start - kArrow);
    EXPECT_EQ(seen[2], thumb.Length());
    EXPECT_EQ(seen[3], length - kArrow - thumb.end);
    EXPECT_EQ(seen[4], kArrow);
}

TEST(ScrollParts, ShortBarHasTwoHalfArrowsAndNoThumb) {
    for (int length : {1, 10, 20, 33}) {
        const ArrowSpans arrows = Arrows(length, kArrow);
        EXPECT_EQ(arrows.first + arrows.second, length) << length;
        EXPECT_LE(arrows.first, arrows.second);
        const ThumbSpan thumb = ThumbFromScrollInfo(length, kArrow, 0, 10, 2, 5);
        for (int a = 0; a < length; ++a) {
            const int part = HitTest(a, length, kArrow, thumb);
            EXPECT_EQ(part, a < arrows.first ? kLineUp : kLineDown) << length << " at " << a;
        }
    }
    EXPECT_EQ(Arrows(34, kArrow).first, kArrow);
    EXPECT_EQ(Arrows(34, kArrow).second, kArrow);
}

TEST(ScrollDrag, FollowsThePointerBetweenTheArrows) {
    const int length = 200, len = 30;
    EXPECT_EQ(DragThumbStart(50, 12, length, kArrow, len), 62);
    EXPECT_EQ(DragThumbStart(50, -12, length, kArrow, len), 38);
    EXPECT_EQ(DragThumbStart(50, -1000, length, kArrow, len), kArrow);
    EXPECT_EQ(DragThumbStart(50, 1000, length, kArrow, len), length - kArrow - len);
    // A thumb longer than the track stays at its start instead of flipping the limits.
    EXPECT_EQ(DragThumbStart(20, 40, 60, kArrow, 50), kArrow);
}

TEST(ScrollThickness, StripHeightUnlessFarFromTheArrowSize) {
    EXPECT_EQ(Thickness(17, 17), 17);
    EXPECT_EQ(Thickness(19, 17), 19);
    EXPECT_EQ(Thickness(15, 17), 15);
    EXPECT_EQ(Thickness(20, 17), 17);
    EXPECT_EQ(Thickness(40, 17), 17);
}

TEST(ComboTracking, PositionFollowsTheOffsetOverTheWholeRange) {
    const int track = 150, len = 30, nMin = 0, nMax = 99;
    const unsigned page = 20;
    EXPECT_EQ(TrackedPosition(-5, track, len, nMin, nMax, page), nMin);
    EXPECT_EQ(TrackedPosition(0, track, len, nMin, nMax, page), nMin);
    // At the end of the track: the last position the page allows.
    EXPECT_EQ(TrackedPosition(track - len, track, len, nMin, nMax, page), nMax - int(page) + 1);
    EXPECT_EQ(TrackedPosition(track + 40, track, len, nMin, nMax, page), nMax - int(page) + 1);
    int previous = nMin;
    for (int offset = 0; offset <= track - len; ++offset) {
        const int pos = TrackedPosition(offset, track, len, nMin, nMax, page);
        EXPECT_GE(pos, previous) << offset;
        EXPECT_LE(pos, nMax - int(page) + 1);
        previous = pos;
    }
    // Three quarters of the way: three quarters of the 80 steps the page leaves (0 .. 80),
    // where the system's own thumb would be.
    EXPECT_EQ(TrackedPosition(90, track, len, nMin, nMax, page), 60);
    // Half way: half the scrollable range (within one step).
    EXPECT_NEAR(TrackedPosition((track - len) / 2, track, len, nMin, nMax, page), (nMax - nMin - int(page)) / 2, 1);
}

TEST(ComboTracking, NoPageAndNoRoomDoNotDivideByZero) {
    // Without a page: up to nMax.
    EXPECT_EQ(TrackedPosition(0, 150, 17, 0, 40, 0), 0);
    EXPECT_LE(TrackedPosition(1000, 150, 17, 0, 40, 0), 40);
    EXPECT_GT(TrackedPosition(1000, 150, 17, 0, 40, 0), 30);
    // A thumb as long as its track, and no track at all.
    EXPECT_EQ(TrackedPosition(10, 30, 30, 5, 50, 10), 5);
    EXPECT_EQ(TrackedPosition(10, 0, 8, 5, 50, 0), 5);
    // A page larger than the range never yields a position outside it.
    const int pos = TrackedPosition(60, 150, 30, 0, 10, 50);
    EXPECT_GE(pos, 0);
    EXPECT_LE(pos, 10);
}

}  // namespace
