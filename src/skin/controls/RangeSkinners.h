// Progress bars, track bars and up-down buttons drawn from the skin.
//
// - TSkinProgress paints the whole bar: the trough (frame 1 of "Progress") and over it the
//   filled part (frame 2), or repeated chunks with Style 1; a vertical bar is composed
//   lying and turned, so that it fills from the bottom.
// - TSkinTrackBar lets the control paint itself and answers its custom-draw questions:
//   the groove ("Track", "TRACKVERT") and the thumb are the skin's, the ticks the
//   control's own. A bare track bar asks its parent, so the skinner listens there too.
// - TSkinUpDown paints both arrow buttons from "UpDown.Vert" or "UpDown.Horz" (a plain
//   button without them); clicks, auto-repeat and keys stay the control's.
//
// Every value, range and message stays the stock control's: the skinners only read them.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "framework/Graphics.h"
#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinProgress : public TSkinControl {
    TV_CLASS(TSkinProgress, TSkinControl)
    explicit TSkinProgress(tv::TComponent* owner);
    ~TSkinProgress() override;

    bool BeforeMessage(tv::TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    // The filled length of a bar length long, for the control's range and position now.
    int FilledLength(int length) const;
};

class TSkinTrackBar : public TSkinControl {
    TV_CLASS(TSkinTrackBar, TSkinControl)
    explicit TSkinTrackBar(tv::TComponent* owner);
    ~TSkinTrackBar() override;

    void AttachWindow(HWND window, TSkinData* data, TSkinnerHost* formSkinner, tv::TCanvas* canvas) override;
    void Detach() override;
    bool BeforeMessage(tv::TMessage& m) override;
    void RefreshSkin() override;

    // The answer to one NM_CUSTOMDRAW of the control (drawing the part when it is ours).
    LRESULT CustomDraw(NMCUSTOMDRAW& cd);
    // The frame (from 1) of the thumb strip the control shows now.
    int ThumbFrame() const;

private:
    void DrawThumb(HDC dc);
    void DrawGroove(HDC dc);
    static LRESULT CALLBACK ParentProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR data);
    void ReleaseParent();
    HWND parent_ = nullptr;  // whose notifications we listen to (bare window)
};

class TSkinUpDown : public TSkinControl {
    TV_CLASS(TSkinUpDown, TSkinControl)
    explicit TSkinUpDown(tv::TComponent* owner);
    ~TSkinUpDown() override;

    // An up-down window inside an edit is marked Embedded here: whoever attaches it needs
    // to know no more than the skinner's class name.
    void AttachWindow(HWND window, TSkinData* data, TSkinnerHost* formSkinner, tv::TCanvas* canvas) override;
    bool BeforeMessage(tv::TMessage& m) override;
    void AfterMessage(tv::TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    // The frame (from 1) of the element's strip for a button: direction 0 up, 1 down,
    // 2 left, 3 right; look 1 normal, 2 pressed, 3 disabled, 4 hot.
    static int ButtonFrame(int direction, int look);

    // The up-down sits inside an edit.
    bool Embedded = false;
    // Left and right buttons even without the horizontal style.
    bool Horizontal = false;
    tv::TBitmap Image;

private:
    bool HorizontalNow() const;
    // Which half the pointer is over: 0 first (up or left), 1 second, -1 outside.
    int HalfUnderPointer() const;
    void DrawButton(HDC dc, const RECT& b, int direction, int look);
    int lastHalf_ = -1;
};

}  // namespace skin
