#include "skin/controls/ScrollGeometry.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace skin::scroll {
namespace {

std::int64_t Clamp64(std::int64_t v, std::int64_t lo, std::int64_t hi) { return std::max(lo, std::min(v, hi)); }

// A range that the arithmetic may divide by: an empty or reversed range stands for "none".
std::int64_t RangeOf(std::int64_t min, std::int64_t max) {
    const std::int64_t r = max - min;
    return r > 0 ? r : kNoRange;
}

// The thumb placed at start (clamped into the track) with length len; an empty thumb
// when the track cannot hold it.
ThumbSpan Place(int length, int arrow, int start, int len) {
    const int track = length - 2 * arrow;
    const int trackStart = Arrows(length, arrow).first;
    if (track <= 0 || len <= 0 || len > track) return {trackStart, trackStart};
    start = int(Clamp64(start, arrow, std::int64_t(arrow) + track - len));
    return {start, start + len};
}

}  // namespace

int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const std::int64_t p = std::int64_t(a) * b;
    const std::int64_t q = (std::llabs(p) + std::llabs(std::int64_t(c)) / 2) / std::llabs(std::int64_t(c));
    const std::int64_t r = ((p < 0) != (c < 0)) ? -q : q;
    if (r > std::numeric_limits<int>::max() || r < std::numeric_limits<int>::min()) return -1;
    return int(r);
}

ArrowSpans Arrows(int length, int arrow) {
    if (length <= 0 || arrow <= 0) return {0, 0};
    if (length < 2 * arrow) return {length / 2, length - length / 2};
    return {arrow, arrow};
}

ThumbSpan ThumbFromScrollInfo(int length, int arrow, int nMin, int nMax, unsigned nPage, int nPos) {
    const std::int64_t range = RangeOf(nMin, nMax);
    const int track = length - 2 * arrow;
    // A position outside the range would put the thumb on an arrow.
    const int pos = int(Clamp64(nPos, nMin, std::max(nMin, nMax)));
    const int delta = int(Clamp64(std::int64_t(pos) - nMin, 0, range));
    const int r = int(std::min<std::int64_t>(range, std::numeric_limits<int>::max()));
    int len, start;
    if (nPage != 0) {
        // A page larger than the range fills the track.
        const int page = int(std::min<std::int64_t>(nPage, std::int64_t(r) + 1));
        len = MulDiv(track, page - 1, r);
        if (len > 7) {
            start = pos == nMin ? arrow : MulDiv(track, delta, r) + arrow;
        } else {
            // The thumb no longer tells the page: spread what the page leaves over the track,
            // so that the last position still reaches the second arrow.
            len = kMinThumb;
            const int scrollable = std::max(1, r - page + 1);
            start = pos == nMin ? arrow : MulDiv(track - kMinThumb, std::min(delta, scrollable), scrollable) + arrow;
        }
    } else {
        len = arrow;
        start = pos == nMin ? arrow : MulDiv(length - 3 * arrow, delta, r) + arrow;
    }
    return Place(length, arrow, start, len);
}

ThumbSpan ThumbFromProperties(int length, int arrow, int min, int max, int position, int pageSize) {
    const std::int64_t range = RangeOf(min, max);
    const int r = int(std::min<std::int64_t>(range, std::numeric_limits<int>::max()));
    const int track = length - 2 * arrow;
    const int pos = int(Clamp64(position, min, std::max(min, max)));
    const int delta = int(Clamp64(std::int64_t(pos) - min, 0, range));
    int len, start;
    if (pageSize != 0) {
        const int page = int(Clamp64(pageSize, 1, std::int64_t(r) + 1));
        len = MulDiv(track, page - 1, r);
        start = pos == min ? arrow : MulDiv(track, delta, r) + arrow;
    } else {
        len = arrow;
        start = pos == min ? arrow : MulDiv(length - 3 * arrow, delta, r) + arrow;
    }
    return Place(length, arrow, start, std::max(len, 1));
}

int HitTest(int a, int length, int arrow, ThumbSpan thumb) {
    const ArrowSpans arrows = Arrows(length, arrow);
    if (a < arrows.first) return kLineUp;
    if (a < thumb.start) return kPageUp;
    if (a < thumb.end) return kThumbTrack;
    if (a < length - arrows.second) return kPageDown;
    return kLineDown;
}

int DragThumbStart(int pressThumbStart, int travel, int length, int arrow, int thumbLength) {
    const std::int64_t lo = arrow;
    const std::int64_t hi = std::max<std::int64_t>(lo, std::int64_t(length) - arrow - thumbLength);
    return int(Clamp64(std::int64_t(pressThumbStart) + travel, lo, hi));
}

int Thickness(int stripHeight, int arrow) { return std::abs(stripHeight - arrow) > 2 ? arrow : stripHeight; }

int TrackedPosition(int offset, int track, int thumbLength, int nMin, int nMax, unsigned nPage) {
    offset = std::max(offset, 0);
    const int span = track - thumbLength;
    std::int64_t pos;
    if (nPage != 0) {
        // No room to move the thumb: nothing to scroll by dragging it.
        if (span <= 0) return nMin;
        if (offset > span) offset = span + 1;
        const std::int64_t page = std::min<std::int64_t>(nPage, std::numeric_limits<int>::max());
        // The positions a page leaves run from nMin to nMax - page + 1: one more step than
        // nMax - nMin - page, or the thumb lags behind the system's own under the pointer.
        const std::int64_t scroll = Clamp64(std::int64_t(nMax) - nMin - page + 1, std::numeric_limits<int>::min(),
                                            std::numeric_limits<int>::max());
        pos = std::int64_t(MulDiv(offset, int(scroll), span)) + nMin;
        if (pos >= std::int64_t(nMax) - page) pos = std::int64_t(nMax) - page + 1;
    } else {
        if (track <= 0) return nMin;
        const std::int64_t range = Clamp64(std::int64_t(nMax) - nMin, 0, std::numeric_limits<int>::max());
        pos = std::int64_t(MulDiv(std::min(offset, std::max(span, 0)), int(range), track)) + nMin;
        pos = std::min<std::int64_t>(pos, nMax);
    }
    return int(Clamp64(pos, nMin, std::max(nMin, nMax)));
}

}  // namespace skin::scroll
