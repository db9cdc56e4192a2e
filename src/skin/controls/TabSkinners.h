// Tab controls, page controls, their sheets and header bars drawn from the skin's "Tabs",
// "Tab.Pane", "Buttons" and "Headerbar" elements. The controls keep their own logic
// (selection, scrolling, column sizing); the skinners answer WM_PAINT themselves.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/Graphics.h"
#include "skin/controls/SkinControl.h"

namespace skin {

// Sent to the form skinner's window before a page is closed from its tab's close box:
// wParam the tab control's window, lParam the tab index; 0 lets the page go.
inline constexpr UINT SKM_CLOSETAB = 0x3507;

// Tabs on any side of a tab or page control, with the pane around the display area.
class TSkinTab : public TSkinControl {
    TV_CLASS(TSkinTab, TSkinControl)
    explicit TSkinTab(tv::TComponent* owner);
    ~TSkinTab() override;

    void AttachControl(TSkinnerHost* formSkinner, TSkinData* data, bool recolor, tv::TCanvas* canvas) override;
    void AttachWindow(HWND window, TSkinData* data, TSkinnerHost* formSkinner, tv::TCanvas* canvas) override;
    void Detach() override;
    void RefreshSkin() override;
    bool BeforeMessage(tv::TMessage& m) override;
    void AfterMessage(tv::TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    // 0 top, 1 bottom, 2 left, 3 right, from the window's style.
    static int SideOfStyle(LONG style);

    std::vector<RECT> CloseRects;  // one per tab, in the control's client coordinates
    int Side = 0;
    tv::TBitmap TabImage;   // the "Tabs" strip turned for Side
    tv::TBitmap PaneImage;  // the pane border turned for Side
    tv::TBitmap Strip;      // the tab strip being drawn
    TChildSkinner* UpDown = nullptr;  // the skinner of the scroll arrows, owned by the control
    bool CloseButtons = false;

private:
    void PrepareImages();
    // Skins the control's scroll arrows when it has them; whether they show.
    bool SkinScrollArrows();
    void DrawPane(HDC dc, const RECT& display);
};

// Page controls whose tabs are buttons (top side only).
class TSkinTabBtn : public TSkinControl {
    TV_CLASS(TSkinTabBtn, TSkinControl)
    explicit TSkinTabBtn(tv::TComponent* owner);
    bool BeforeMessage(tv::TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;
};

// The sheets of a page control: the skin's face and the sheet's windowless children.
class TSkinTabSheet : public TSkinControl {
    TV_CLASS(TSkinTabSheet, TSkinControl)
    explicit TSkinTabSheet(tv::TComponent* owner);
    bool BeforeMessage(tv::TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;
};

// Header bars (of their own, or a list view's): items from "Headerbar", the one under
// the pointer in its hot frame.
class TSkinHeader : public TSkinControl {
    TV_CLASS(TSkinHeader, TSkinControl)
    explicit TSkinHeader(tv::TComponent* owner);
    ~TSkinHeader() override;

    void AttachControl(TSkinnerHost* formSkinner, TSkinData* data, bool recolor, tv::TCanvas* canvas) override;
    void AttachWindow(HWND window, TSkinData* data, TSkinnerHost* formSkinner, tv::TCanvas* canvas) override;
    bool BeforeMessage(tv::TMessage& m) override;
    void AfterMessage(tv::TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    std::vector<RECT> ItemRects;  // the items as last drawn, inset by 3 at the sides
    int HotItem = -1;
};

// Makes the skinners above known to the classification by their class names.
void RegisterTabSkinners();

}  // namespace skin
