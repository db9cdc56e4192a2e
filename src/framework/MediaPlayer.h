// The media player's button bar: nine push buttons left to right (play, pause, stop, next,
// previous, step, back, record, eject) that report which one was clicked. There is no
// playback behind it: a program that wants sound or video does that in OnClick.
#pragma once

#include <windows.h>

#include "framework/Controls.h"

namespace tv {

enum class TMPBtnType { btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject };
using TButtonSet = TSet<TMPBtnType>;
const TEnumInfo& MPBtnType();
inline constexpr int kMediaButtonCount = 9;
// Sent through the player's WindowProc after one of its button sets changed, so that
// whoever draws the bar in its stead (a skin) learns of it.
inline constexpr UINT CM_BUTTONSCHANGED = CM_BASE + 0x40;

using TMPBtnClickEvent = TEvent<void(TObject* Sender, TMPBtnType Button)>;

// Where the visible buttons of a bar width wide sit: each takes width div count, left to
// right; the pixels left over at the right belong to none. A shared edge belongs to the
// button on its left (edges count as inside). The player and a skin's overlay of it both
// place buttons with this, so a press lands on the same button in both.
struct TMediaButtonLayout {
    int width = 0;         // of the bar
    int visibleCount = 0;  // buttons shown
    int ButtonWidth() const { return visibleCount > 0 ? width / visibleCount : 0; }
    // Left edge of the index-th visible button (from 0).
    int ButtonLeft(int index) const { return index * ButtonWidth(); }
    // Index of the visible button at x (from 0), or -1 left of the first, past the last,
    // or when none is visible or the buttons have no width.
    int IndexAt(int x) const;
};

class TMediaPlayer : public TCustomControl {
    TV_CLASS(TMediaPlayer, TCustomControl)
    explicit TMediaPlayer(TComponent* owner);
    ~TMediaPlayer() override;

    TButtonSet VisibleButtons() const { return visible_; }
    void SetVisibleButtons(TButtonSet v);
    TButtonSet EnabledButtons() const { return enabled_; }
    void SetEnabledButtons(TButtonSet v);
    TButtonSet ColoredButtons() const { return colored_; }
    void SetColoredButtons(TButtonSet v);

    TMediaButtonLayout Layout() const;
    // The kind of the index-th visible button; false when there is no such button.
    bool VisibleButtonAt(int index, TMPBtnType& kind) const;
    // The visible button under a client point; false over no button.
    bool ButtonAtPos(POINT p, TMPBtnType& kind) const;
    // Client rectangle of a visible button; empty for a hidden one.
    RECT ButtonRect(TMPBtnType kind) const;

    // A visible, enabled button was pressed and released over itself.
    TMPBtnClickEvent OnClick;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void HandleMessage(TMessage& m) override;
    // Clicks are the buttons' own (OnClick above), not the control's.
    bool ClicksOnMouseUp() const override { return false; }

private:
    void ButtonsChanged();
    TButtonSet visible_;
    TButtonSet enabled_;
    TButtonSet colored_;
    int pressedButton_ = -1;  // the button kind a left press went down on, -1 none
};

// The glyph of one button kind drawn with GDI into box (its colour by state).
void DrawMediaGlyph(HDC dc, const RECT& box, TMPBtnType kind, bool enabled, bool colored);

}  // namespace tv
