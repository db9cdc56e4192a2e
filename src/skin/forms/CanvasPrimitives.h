// The drawing primitives on framework canvases and controls: thin forms of the DC ones.
#pragma once

#include "framework/Controls.h"
#include "framework/Graphics.h"
#include "skin/forms/DrawPrimitives.h"

namespace skin {

inline void DrawElementImage(tv::TCanvas& canvas, const RECT& rect, const Bitmap& strip, bool vertical, bool tile,
                             bool transparent, int count, int frame, const Margins& margins) {
    DrawElementImage(canvas.Handle(), rect, strip, vertical, tile, transparent, count, frame, margins);
}
inline void DrawElementBar(tv::TCanvas& canvas, const RECT& rect, const Bitmap& strip, bool vertical,
                           bool transparent, int count, int frame, const Margins& margins) {
    DrawElementBar(canvas.Handle(), rect, strip, vertical, transparent, count, frame, margins);
}
inline void DrawStripImage(tv::TCanvas& canvas, const RECT& rect, const Bitmap& strip, bool transparent, int count,
                           int frame) {
    DrawStripImage(canvas.Handle(), rect, strip, transparent, count, frame);
}
inline void DrawStripImageCentered(tv::TCanvas& canvas, const RECT& rect, const Bitmap& strip, bool transparent,
                                   int count, int frame) {
    DrawStripImageCentered(canvas.Handle(), rect, strip, transparent, count, frame);
}
inline void StretchStripBar(tv::TCanvas& canvas, const RECT& rect, const Bitmap& strip, bool vertical, int count,
                            int frame, int leftWidth, int rightWidth) {
    StretchStripBar(canvas.Handle(), rect, strip, vertical, count, frame, leftWidth, rightWidth);
}
inline void DrawTransparent(tv::TCanvas& canvas, const RECT& rect, const Bitmap& bitmap, Colour key = KeyColour) {
    DrawTransparent(canvas.Handle(), rect, bitmap, key);
}
inline void TileImage(tv::TCanvas& canvas, const RECT& target, const Bitmap& bitmap, const RECT& source) {
    TileImage(canvas.Handle(), target, bitmap, source);
}

// A framework control, windowed or not: its Left/Top place it in the parent.
inline void PaintParentBackground(tv::TControl& control, HDC dc) {
    if (tv::TWinControl* parent = control.Parent())
        detail::PaintParentAt(parent->Handle(), dc, control.Left(), control.Top(), control.ClientRect());
}

}  // namespace skin
