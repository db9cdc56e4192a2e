// Push buttons drawn from the skin's "Buttons" element: a strip of five frames (normal,
// pressed, disabled, hot, focused or default) nine-sliced over the button, the caption on
// top. The skinners replace the button's painting completely, keep their own hot and
// pressed state and produce the click themselves: a press the button's own procedure never
// sees cannot click a second time.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Graphics.h"
#include "skin/controls/SkinControl.h"

namespace skin {

class TDataSkinButton;

// Frames of the "Buttons" strip.
enum : int { kLookNormal = 1, kLookPressed = 2, kLookDisabled = 3, kLookHot = 4, kLookFocused = 5 };

// A plain push button (framework button or bare "Button" window).
class TSkinButton : public TSkinControl {
    TV_CLASS(TSkinButton, TSkinControl)
    explicit TSkinButton(tv::TComponent* owner);
    ~TSkinButton() override;

    void AttachControl(TSkinnerHost* formSkinner, TSkinData* data, bool recolor, tv::TCanvas* canvas) override;
    bool BeforeMessage(tv::TMessage& m) override;
    void AfterMessage(tv::TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    // The frame of the strip the button shows now.
    virtual int LookIndex() const;

    tv::TBitmap Image;  // the whole button, composed off-screen
    bool Transparent = false;

protected:
    const TDataSkinButton* Element() const;
    // Focus, enabled state, Default and the caption, read anew.
    void ReadState();
    bool IsDefault() const;
    // Sizes Image to rect and paints the background and the element frame of look.
    void ComposeBackground(const RECT& rect, int look);
    // The caption colour for look: the skin's text colours, the control's font otherwise.
    COLORREF TextColor(int look, COLORREF fontColor) const;
    // The control's font (framework) or the window's (bare), and the colour it asks for.
    HFONT CaptionFont(COLORREF& color) const;
    // Draws the caption centred in rect; answers where it went.
    RECT DrawCenteredCaption(HDC dc, const RECT& rect);
    void DrawFocusIfWanted(HDC dc, RECT textRect) const;
    void Click();
};

// A button with a glyph (Glyph, or Images with ImageIndex) beside, above or below its caption.
class TSkinBitButton : public TSkinButton {
    TV_CLASS(TSkinBitButton, TSkinButton)
    using TSkinButton::TSkinButton;
    void DrawSkin(HDC dc, const RECT& rect) override;
    int LookIndex() const override;
    void SetGraphicProperty(const std::string& name) override { GraphicProperty = name; }

    // A published graphic property that replaces Glyph ("PngImage"); empty for Glyph.
    std::string GraphicProperty;
};

// A button that opens a drop-down menu: caption left of a downward arrow.
class TSkinMenuButton : public TSkinButton {
    TV_CLASS(TSkinMenuButton, TSkinButton)
    using TSkinButton::TSkinButton;
    void DrawSkin(HDC dc, const RECT& rect) override;
    int LookIndex() const override;
};

// A windowless tool button, painted by its parent with the DC in wParam.
class TSkinSpeedButton : public TSkinBitButton {
    TV_CLASS(TSkinSpeedButton, TSkinBitButton)
    explicit TSkinSpeedButton(tv::TComponent* owner);
    ~TSkinSpeedButton() override;

    // The speed button's own attach operation: no window handle is used.
    void AttachGraphic(TSkinnerHost* formSkinner, TSkinData* data, tv::TCanvas* canvas);
    void AttachSpecial(tv::TControl* control, TSkinData* data, TSkinnerHost* formSkinner,
                       tv::TCanvas* canvas) override;
    bool BeforeMessage(tv::TMessage& m) override;
    void AfterMessage(tv::TMessage& m) override;
    // With a DC: draws on it; without: has the parent repaint the button.
    void PaintWindow(HDC dc) override;
    int LookIndex() const override;

    bool Painting = false;

private:
    void DrawButton(HDC dc, const RECT& rect);
};

}  // namespace skin
