// Image and colour routines applied to skin bitmaps after loading: grey-scaling, key-colour
// replacement, mirror/flip/quarter turns, colour mixing and two-colour gradients painted
// band by band through a small cache of computed gradients.
//
// Colours are 32-bit: red in bits 0-7, green 8-15, blue 16-23; a negative value (0x800000nn)
// names system colour nn. The cache is unit-level state for the GUI thread only.
#pragma once

#include <cstdint>
#include <vector>

#include "raster/Bitmap.h"
#include "raster/Geometry.h"
#include "skin/resources/WinSkinIni.h"  // EAssertionFailed

namespace skin {

using raster::Bitmap;
using Colour = std::uint32_t;
inline constexpr Colour KeyColour = raster::kKeyColor;

// A negative colour resolved through the system's current colours; others unchanged.
Colour ResolveColour(Colour colour);

void Grayscale(Bitmap& bitmap);                        // switches to 24 bits; grey = (r + g + b) div 3
void ReplaceKeyColour(Bitmap& bitmap, Colour colour);  // switches to 24 bits; exact magenta only
void MirrorHorizontal(Bitmap& bitmap);
void FlipVertical(Bitmap& bitmap);
void RotateLeft(Bitmap& bitmap);   // 90 degrees counter-clockwise
void RotateRight(Bitmap& bitmap);  // 90 degrees clockwise

// Weights below 100 are percent of colour1, 100 and above thousandths (150 = 15 %).
Colour MixColours(Colour colour1, Colour colour2, std::int32_t weight);

// Gradient cache of 16 slots reused in turn. count < 1 raises EAssertionFailed.
inline constexpr int kGradientSlots = 16;
int FindGradient(int count, Colour colour1, Colour colour2);  // slot or -1
int MakeGradient(int count, Colour colour1, Colour colour2);  // fills the next slot
int GetGradient(int count, Colour colour1, Colour colour2);   // Find, else Make
// The entries of a slot (one colour per pixel step); empty for a slot never made.
const std::vector<Colour>& GradientEntries(int slot);
// Empties every slot and restarts at slot 0 (tests).
void ResetGradientCache();

// The bands of a gradient over rect that lie inside clip: band i of count starts at
// start + i; first > last when none is visible.
struct GradientBands {
    int start = 0, count = 0, first = 0, last = -1;
};
GradientBands VisibleGradientBands(raster::Rect rect, raster::Rect clip, bool vertical);

// Paints rect from colour1 to colour2, top to bottom when vertical, else left to right.
// Only the bands inside the bitmap are painted; the gradient always spans the whole rect.
// The device-context form is a drawing primitive (skin/forms/DrawPrimitives.h).
void FillGradient(Bitmap& bitmap, raster::Rect rect, Colour colour1, Colour colour2, bool vertical);

// 0..255 saturation of a bright colour; 200 when red, green and blue are all below 160.
std::int32_t SaturationLevel(Colour colour);

}  // namespace skin
