// Containers and bars: panels take the skin's face colour, group boxes a thin rounded frame
// with their caption cut into it, status bars are drawn whole from "StatusBarEdges" with
// their panels and size grip, bare containers answer erasing with the skin face, sizers are
// filled with it, and other component sets' check and radio controls take the skin's glyphs
// through their own glyph properties.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/Graphics.h"
#include "skin/controls/SkinControl.h"

namespace skin {

// Lifecycle state of a box let go by Detach.
inline constexpr int kBoxDetached = 2;

// Panels and the like: recoloured only, the window method is left alone. A caption drawn
// in a system text colour takes the skin's text colour too, so that it reads on a dark face.
class TSkinBox : public TSkinControl {
    TV_CLASS(TSkinBox, TSkinControl)
    explicit TSkinBox(tv::TComponent* owner);
    ~TSkinBox() override;

    void AttachControl(TSkinnerHost* formSkinner, TSkinData* data, bool recolor, tv::TCanvas* canvas) override;
    void Detach() override;
    void RefreshSkin() override;
    void AfterMessage(tv::TMessage&) override {}
    int State() const override;
    // The control's window now: a panel made anew keeps its skinner.
    HWND SkinnedWindow() const override;

private:
    void TakeSkinTextColour();
    bool detached_ = false;
    bool fontRecoloured_ = false;
    tv::TColor savedFontColor_ = 0;
    bool savedParentFont_ = false;
    // Window-coloured children (edits, lists) that took the box's font: they keep their
    // own text colour while the box has the skin's.
    std::vector<tv::WeakPtr<tv::TControl>> pinnedFonts_;
};

// Bare container windows (dialogs inside dialogs, tool bars): erased with the skin face,
// their static children painted on it.
class TSkinBoxH : public TSkinControl {
    TV_CLASS(TSkinBoxH, TSkinControl)
    using TSkinControl::TSkinControl;
    bool BeforeMessage(tv::TMessage& m) override;
};

// Splitters and size boxes: the skin face over the whole window after each paint.
class TSkinSizer : public TSkinControl {
    TV_CLASS(TSkinSizer, TSkinControl)
    using TSkinControl::TSkinControl;
    void DrawSkin(HDC dc, const RECT& rect) override;
};

// Group boxes: face, rounded frame in the skin's shadow colour, caption on the frame line.
// A framework control (Variant 1) is painted whole, its windowless children on top.
class TSkinGroupBox : public TSkinControl {
    TV_CLASS(TSkinGroupBox, TSkinControl)
    explicit TSkinGroupBox(tv::TComponent* owner);
    ~TSkinGroupBox() override;

    void AttachControl(TSkinnerHost* formSkinner, TSkinData* data, bool recolor, tv::TCanvas* canvas) override;
    bool BeforeMessage(tv::TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    tv::TBitmap Image;
};

// Status bars, drawn whole: each panel's frame of "StatusBarEdges" by its bevel (or bevels
// in the system's colours without the element), the texts in the element's text colour, the
// size grip of "ExtraImages". Messages, hit tests and the grip's sizing stay the bar's own.
class TSkinStatusBar : public TSkinControl {
    TV_CLASS(TSkinStatusBar, TSkinControl)
    explicit TSkinStatusBar(tv::TComponent* owner);
    ~TSkinStatusBar() override;

    bool BeforeMessage(tv::TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    tv::TBitmap Image;
};

// Check and radio controls of other component sets that take replaceable glyph strips.
// Kind 1: check box glyphs in "CustomGlyphs"; 2: radio glyphs there; 3: the "Glyph" of the
// control's "Properties".
class TSkinObjImage : public TSkinControl {
    TV_CLASS(TSkinObjImage, TSkinControl)
    explicit TSkinObjImage(tv::TComponent* owner);
    ~TSkinObjImage() override;

    void AttachControl(TSkinnerHost* formSkinner, TSkinData* data, bool recolor, tv::TCanvas* canvas) override;
    void Detach() override;
    void RefreshSkin() override;
    void SetVariant(int kind) override { Kind = kind; }

    int Kind = 0;

private:
    void InjectGlyphs();
};

void RegisterBoxSkinners();

}  // namespace skin
