// Buttons with glyphs: the owner-drawn TBitBtn (a push button window) and the
// windowless TSpeedButton. Both lay out a glyph and a caption the same way.
#pragma once

#include <memory>

#include "framework/Controls.h"
#include "framework/Graphics.h"
#include "framework/StdCtrls.h"

namespace tv {

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
const TEnumInfo& ButtonLayoutType();

enum class TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
const TEnumInfo& BitBtnKindType();

// Which image of a glyph strip a button shows.
enum class TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

// Where glyph and caption go inside bounds. margin -1 centres the pair; spacing -1
// spreads the free room evenly (between the margins and the pair, or after the margin).
struct TButtonGlyphLayout {
    RECT glyph{};
    RECT text{};
};
TButtonGlyphLayout CalcButtonLayout(const RECT& bounds, SIZE glyph, SIZE text, TButtonLayout layout, int margin,
                                    int spacing);

// A glyph strip of NumGlyphs images side by side (up, disabled, clicked, down); the
// bottom-left pixel is the transparent colour. Shared by both button kinds.
class TButtonGlyph {
public:
    TBitmap& Bitmap() { return glyph_; }
    const TBitmap& Bitmap() const { return glyph_; }
    int NumGlyphs() const { return numGlyphs_; }
    // 1..4; other counts are refused.
    bool SetNumGlyphs(int n);
    // Size of one image; zero when there is no glyph.
    SIZE ImageSize() const;
    // Draws the image for state at (x, y); a disabled button without a disabled image
    // gets an embossed grey copy of the up image.
    void Draw(HDC dc, int x, int y, TButtonState state) const;
    // Glyph and caption of a button in bounds (caption in font, greyed when disabled).
    void DrawButtonContent(TCanvas& canvas, const RECT& bounds, const std::string& caption, const TFont& font,
                           TButtonLayout layout, int margin, int spacing, TButtonState state, bool rightToLeft) const;

private:
    TBitmap glyph_;
    int numGlyphs_ = 1;
};

// A push button drawn by its owner: glyph and caption by Layout, Margin and Spacing.
class TBitBtn : public TButton {
    TV_CLASS(TBitBtn, TButton)
    explicit TBitBtn(TComponent* owner);
    ~TBitBtn() override;

    // A kind other than bkCustom puts its own picture here (as long as no glyph of
    // the author's came with the description), so whoever draws the button finds it.
    TBitmap& Glyph() { return glyph_->Bitmap(); }
    TBitmap* GlyphPtr() { return &glyph_->Bitmap(); }
    void SetGlyph(const TBitmap& bitmap);
    int NumGlyphs() const { return glyph_->NumGlyphs(); }
    void SetNumGlyphs(int n);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout v);
    int Margin() const { return margin_; }
    void SetMargin(int v);
    int Spacing() const { return spacing_; }
    void SetSpacing(int v);
    TBitBtnKind Kind() const { return kind_; }
    void SetKind(TBitBtnKind v);

    void Click() override;
    void Loaded() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleMessage(TMessage& m) override;

private:
    void DrawItem(const DRAWITEMSTRUCT& item);
    std::unique_ptr<TButtonGlyph> glyph_;
    // The glyph is the kind's own picture: not stored, since the kind brings it back.
    bool glyphFromKind_ = false;
    TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
    TBitBtnKind kind_ = TBitBtnKind::bkCustom;
    bool defaultLook_ = false;  // drawn with the default button's dark frame
};

// A windowless button; in a group (GroupIndex != 0) one of them stays down.
class TSpeedButton : public TGraphicControl {
    TV_CLASS(TSpeedButton, TGraphicControl)
    explicit TSpeedButton(TComponent* owner);
    ~TSpeedButton() override;

    bool Flat() const { return flat_; }
    void SetFlat(bool v);
    bool Down() const { return down_; }
    void SetDown(bool v);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int v);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool v);
    TBitmap& Glyph() { return glyph_->Bitmap(); }
    TBitmap* GlyphPtr() { return &glyph_->Bitmap(); }
    void SetGlyph(const TBitmap& bitmap);
    int NumGlyphs() const { return glyph_->NumGlyphs(); }
    void SetNumGlyphs(int n);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout v);
    int Margin() const { return margin_; }
    void SetMargin(int v);
    int Spacing() const { return spacing_; }
    void SetSpacing(int v);
    // The pointer is over the button (a flat button shows its edge then).
    bool MouseInControl() const { return mouseInControl_; }

    void Loaded() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;

protected:
    void Paint() override;
    void HandleMessage(TMessage& m) override;

private:
    // Puts the other buttons of the group up (and shares AllowAllUp with them).
    void UpdateExclusive();
    void ForEachInGroup(const std::function<void(TSpeedButton&)>& fn);
    std::unique_ptr<TButtonGlyph> glyph_;
    bool flat_ = false;
    bool down_ = false;
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
    bool dragging_ = false;     // the left button went down on us and is not up yet
    bool pressedLook_ = false;  // drawn pushed in while dragging over us
    bool mouseInControl_ = false;
};

}  // namespace tv
