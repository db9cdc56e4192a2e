// Media players: the player's own painting is covered by an overlay panel of the same
// bounds that draws the visible buttons from the skin's "Buttons" element, with the
// program's glyph bitmaps (EN_MPPLAY, DI_MPPLAY, CL_MPPLAY, ...; clOlive left out) on
// them. Presses on the overlay are handed to the player, so its clicks stay its own.
#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "framework/ExtCtrls.h"
#include "framework/Graphics.h"
#include "framework/MediaPlayer.h"
#include "skin/controls/SkinControl.h"

namespace skin {

// The overlay. It reads the player's "VisibleButtons", "EnabledButtons" and
// "ColoredButtons" sets by name whenever it paints or is pressed.
class TWMediaPlayer : public tv::TPanel {
    TV_CLASS(TWMediaPlayer, tv::TPanel)
    explicit TWMediaPlayer(tv::TComponent* owner);
    ~TWMediaPlayer() override;

    // Binds the overlay to its player and the skin it draws with.
    void Bind(tv::TControl* player, TSkinData* data);
    tv::TControl* Player() const { return player_.Get(); }

    // The per-kind flags, the visible count and one button's width, as the last reading left them.
    void ReadPlayer();
    bool ButtonVisible(int kind) const { return visible_[std::size_t(kind)]; }
    bool ButtonEnabled(int kind) const { return enabled_[std::size_t(kind)]; }
    bool ButtonColored(int kind) const { return colored_[std::size_t(kind)]; }
    int VisibleCount() const { return visibleCount_; }
    int ButtonWidth() const { return buttonWidth_; }
    // The kind of the visible button under a client point, or -1.
    int ButtonAt(POINT p) const;
    // The kind a press went down on while the left button is held, or -1.
    int PressedButton() const { return pressed_ ? pressedKind_ : -1; }
    // The glyph of a state ("EN", "DI", "CL") and kind, or null when the program lacks it.
    const tv::TBitmap* Glyph(int state, int kind) const;
    // The glyphs from module's bitmap resources (the program's when made); a missing or
    // damaged one leaves its buttons without a glyph.
    void LoadGlyphs(HINSTANCE module);

protected:
    void Paint() override;
    void HandleMessage(tv::TMessage& m) override;

private:
    void Compose(HDC dc, int w, int h);
    void DrawButton(HDC dc, const RECT& r, int kind);
    void Pressed(tv::TMessage& m);
    void Released(tv::TMessage& m);
    bool PlayerEnabled() const;

    tv::WeakPtr<tv::TControl> player_;
    TSkinData* data_ = nullptr;
    std::array<bool, tv::kMediaButtonCount> visible_{}, enabled_{}, colored_{};
    int visibleCount_ = 0;
    int buttonWidth_ = 0;
    bool pressed_ = false;
    int pressedKind_ = -1;
    // [state][kind]; null where the resource is missing.
    std::array<std::array<std::unique_ptr<tv::TBitmap>, tv::kMediaButtonCount>, 3> glyphs_;
    tv::TBitmap image_;
};

class TSkinMP : public TSkinControl {
    TV_CLASS(TSkinMP, TSkinControl)
    explicit TSkinMP(tv::TComponent* owner);
    ~TSkinMP() override;

    void AttachControl(TSkinnerHost* formSkinner, TSkinData* data, bool recolor, tv::TCanvas* canvas) override;
    void Detach() override;
    void AfterMessage(tv::TMessage& m) override;
    void RefreshSkin() override;

    // The overlay while attached, else null.
    TWMediaPlayer* Overlay() const { return overlay_.Get(); }

private:
    // Places the overlay over the player, directly above it.
    void FollowPlayer();
    void ReleaseOverlay();
    tv::WeakPtr<TWMediaPlayer> overlay_;
};

void RegisterMediaPlayerSkinners();

}  // namespace skin
