// Check boxes and radio buttons drawn from the skin: the state glyph is cut from the check
// or radio strip of the skin's "Buttons" element, the caption drawn beside it.
//
// A framework control is painted whole by the skinner (Variant 1). A bare window keeps its
// own painting and the skinner only lays the glyph over it after each paint (Variant 0).
// Clicks, keys and the check state stay the control's own: the skinner only repaints when
// they change what the control shows.
#pragma once

#include <windows.h>

#include "framework/Graphics.h"
#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinCheckBox : public TSkinControl {
    TV_CLASS(TSkinCheckBox, TSkinControl)
    explicit TSkinCheckBox(tv::TComponent* owner);
    ~TSkinCheckBox() override;

    void AttachControl(TSkinnerHost* formSkinner, TSkinData* data, bool recolor, tv::TCanvas* canvas) override;
    bool BeforeMessage(tv::TMessage& m) override;
    void AfterMessage(tv::TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    // The frame (from 1) of the check strip for the control's state now; 0 without a strip.
    int GlyphFrame();

    // wParam + 1 of the last BM_SETCHECK seen (1 unchecked, 2 checked, 3 grayed); 0 none.
    int LastCheckState = 0;
    bool Transparent = false;
    tv::TBitmap Image;  // the whole control, composed off-screen
};

class TSkinRadioButton : public TSkinControl {
    TV_CLASS(TSkinRadioButton, TSkinControl)
    explicit TSkinRadioButton(tv::TComponent* owner);
    ~TSkinRadioButton() override;

    void AttachControl(TSkinnerHost* formSkinner, TSkinData* data, bool recolor, tv::TCanvas* canvas) override;
    bool BeforeMessage(tv::TMessage& m) override;
    void AfterMessage(tv::TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    // The frame (from 1) of the radio strip for the control's state now; 0 without a strip.
    int GlyphFrame();

    bool Transparent = false;
    tv::TBitmap Image;
};

}  // namespace skin
