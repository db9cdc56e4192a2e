// Where the pieces of a skinned scroll bar lie along its axis: arrows, track, thumb, and
// what a point or a drag means there. Pure arithmetic, no window system: the overlays and
// the combo list's own tracking ask here, and paint elsewhere.
//
// All positions count from the bar's start (its left or top edge). Every input may come
// from a control in any state (no range, a page larger than the range, a bar shorter than
// its two arrows): the answers stay inside the bar and never divide by zero.
#pragma once

#include <cstdint>

namespace skin::scroll {

// Part codes: the platform's scroll request codes.
inline constexpr int kNone = -1;
inline constexpr int kLineUp = 0;      // first arrow
inline constexpr int kLineDown = 1;    // second arrow
inline constexpr int kPageUp = 2;      // track before the thumb
inline constexpr int kPageDown = 3;    // track after the thumb
inline constexpr int kThumbTrack = 5;  // the thumb

// The shortest thumb a scroll bar control gets.
inline constexpr int kMinThumb = 8;
// Range that stands for "no range" (minimum equal to maximum).
inline constexpr int kNoRange = 9999999;

// a * b / c rounded half away from zero, in 64 bits; c == 0 answers -1 (as the system's).
int MulDiv(int a, int b, int c);

struct ThumbSpan {
    int start = 0;
    int end = 0;
    int Length() const { return end - start; }
    bool Empty() const { return end <= start; }
};

// Length of each arrow: arrow, or half the bar when the bar is shorter than two arrows
// (the first arrow gets the smaller half).
struct ArrowSpans {
    int first = 0;   // [0, first)
    int second = 0;  // [length - second, length)
};
ArrowSpans Arrows(int length, int arrow);

// The thumb of a scroll bar control from its scroll information (range, page, position).
// A bar whose track cannot hold the thumb gets an empty thumb at the track's start.
ThumbSpan ThumbFromScrollInfo(int length, int arrow, int nMin, int nMax, unsigned nPage, int nPos);
// The same from the framework control's Min, Max, Position and PageSize.
ThumbSpan ThumbFromProperties(int length, int arrow, int min, int max, int position, int pageSize);

// The part under a point at a along the axis.
int HitTest(int a, int length, int arrow, ThumbSpan thumb);

// Thumb start while dragging: the start at the press moved by the pointer's travel, kept
// between the arrows.
int DragThumbStart(int pressThumbStart, int travel, int length, int arrow, int thumbLength);

// Thickness of the drawn bar: the glyph strip's height, or the arrow size when the two
// differ by more than 2 pixels.
int Thickness(int stripHeight, int arrow);

// The combo list's own thumb tracking: the scroll position for a thumb offset from the
// track's start (track = bar length without both arrows, thumbLength the thumb's length).
int TrackedPosition(int offset, int track, int thumbLength, int nMin, int nMax, unsigned nPage);

}  // namespace skin::scroll
