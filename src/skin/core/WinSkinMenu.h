// The popup menu skinner: one per popup menu window ("#32768") that the manager sees
// being made. It paints the window's frame and background from the skin's MenuBackground
// and keeps that image, so that owner-drawn items can take their background from it and
// match the window they sit in. The items themselves are not drawn here.
#pragma once

#include <windows.h>

#include "framework/Controls.h"
#include "raster/Bitmap.h"

namespace skin {

class TSkinData;

// The popup window's frame: owner-drawn items lie this far inside its background.
inline constexpr int kPopupFrame = 3;

class TWinSkinPopMenu {
public:
    TWinSkinPopMenu() = default;
    ~TWinSkinPopMenu();
    TWinSkinPopMenu(const TWinSkinPopMenu&) = delete;
    TWinSkinPopMenu& operator=(const TWinSkinPopMenu&) = delete;

    // While *skinning is false the window behaves as unskinned (the manager's Enabled).
    void Attach(HWND window, TSkinData* data, HMENU menu, const bool* skinning);
    // Gives the window its own procedure back; the procedure stays known so that the
    // message being handled can still be passed on.
    void Detach();
    bool Attached() const { return attached_; }

    HWND Window() const { return window_; }
    TSkinData* SkinData() const { return data_; }
    HMENU MenuHandle() const { return menu_; }
    void SetMenuHandle(HMENU menu) { menu_ = menu; }
    // The window's background as last painted, the size of the whole window.
    const raster::Bitmap& Background() const { return background_; }

private:
    static LRESULT CALLBACK PopupWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void HandleMessage(tv::TMessage& m);
    void CallOld(tv::TMessage& m);
    bool CanPaint() const;
    void EraseBackground(tv::TMessage& m);
    void PaintPopupFrame(tv::TMessage& m);
    void PrintPopup(tv::TMessage& m);
    bool RenderBackground(const RECT& r);

    HWND window_ = nullptr;
    TSkinData* data_ = nullptr;
    HMENU menu_ = nullptr;
    WNDPROC oldWndProc_ = nullptr;
    bool attached_ = false;
    const bool* skinning_ = nullptr;
    raster::Bitmap background_;
};

}  // namespace skin
