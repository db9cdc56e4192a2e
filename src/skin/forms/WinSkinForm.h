// The form skinner: takes over one top-level window (a framework form or a bare dialog),
// answers its non-client messages with the skin's frame, caption and caption buttons,
// gives it a region cut from the frame's key-coloured pixels and keeps its client area
// the size it had. The manager makes one per window through the factory that
// InstallFormSkinning registers; tests attach one directly.
//
// A framework form keeps its window procedure: the skinner replaces the form's
// WindowProc and puts the saved one back. A bare window is subclassed, with the skinner
// found through a window property. Either way nothing the skinner holds outlives the
// window: on WM_NCDESTROY it lets go of everything and reads SkinState 6.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "framework/Controls.h"
#include "framework/Graphics.h"
#include "framework/Menus.h"
#include "raster/Bitmap.h"
#include "skin/core/FormSkinner.h"
#include "skin/forms/CaptionButtons.h"
#include "skin/forms/ChildSkinner.h"
#include "skin/forms/FrameGeometry.h"
#include "skin/forms/MenuBar.h"

namespace skin {

class TDataSkinBorder;

// Private messages a skinned window answers.
inline constexpr UINT SKM_SKINCOLORSCHANGED = 0x3401;
inline constexpr UINT SKM_REPAINTFRAME = 0x3502;
inline constexpr UINT SKM_SYSBUTTONACTION = 0x3514;
inline constexpr UINT SKM_SYSBUTTONVISIBLE = 0x3515;
inline constexpr UINT SKM_MDIREDRAW = 0x3516;
inline constexpr UINT SKM_RESKINSCROLLBAR = 0x3517;
inline constexpr UINT SKM_OPENMENUITEM = 0x3518;
inline constexpr UINT SKM_PAINTFRAMEDC = 0xBC4B;
inline constexpr UINT SKM_FRAMEQUERY = 0xBC4D;
inline constexpr UINT SKM_SKINAPPLIED = 0xBC4E;
inline constexpr LPARAM kSkinMarker = 0x41A2;
// The caption-button hover check: a window timer of the skinned window.
inline constexpr UINT_PTR kHoverTimerId = 0x3514;
inline constexpr UINT kHoverInterval = 250;

// Registers the factory through which the manager makes form skinners.
void InstallFormSkinning();

class TWinSkinForm : public TFormSkinner, public TNCHost, public TSkinnerHost {
    TV_CLASS(TWinSkinForm, TFormSkinner)
    TWinSkinForm(tv::TComponent* owner, HWND window);
    ~TWinSkinForm() override;

    // The manager's operations.
    HWND Handle() const override { return handle_; }
    void AttachForm(TSkinData* data, tv::TWinControl* form) override;
    void AttachWindow(TSkinData* data) override;
    void Unskin() override;
    void DetachOnDestroy() override;
    void SkinChanged() override;
    void ComputeFrameMetrics() override;
    void FreeCaptionButtons() override;
    void ClearRegion() override;
    void UpdateRegion() override;
    void FrameChanged() override;
    void InvalidateWindow() override;
    // A child window made after activation (the manager's hook) is classified alone.
    void AttachChildSkinner(HWND child) override;
    TSkinData* SkinData() const override { return data_; }
    int SkinState() const override { return skinState_; }
    int MDIKind() const override { return mdiKind_; }
    int ShowState() const override { return showState_; }
    void SetShowState(int state) override { showState_ = state; }
    bool SkinFrame() const override { return skinFrame_; }

    // Non-client objects.
    TNCObject* HotObject() const override { return hotObject_; }
    void SetHotObject(TNCObject* object) override { hotObject_ = object; }
    bool DrawnActive() const override { return active_; }
    bool DrawCaptionIcon(HDC dc, const RECT& r) const override;
    const raster::Bitmap& CaptionBackground() const override { return captionBack_; }

    // Frame.
    const FrameMetrics& Metrics() const { return metrics_; }
    int BorderKind() const { return borderKind_; }
    bool Subclassed() const { return subclassed_; }
    bool Activated() const { return activated_; }
    bool HasRegion() const { return hasRegion_; }
    // How often the region was made: only a new size (or a new skin) makes it again.
    int RegionBuilds() const { return regionBuilds_; }
    // The layout for the window's present size.
    FrameLayout CurrentLayout() const;
    // A screen point in window coordinates.
    POINT ScreenToFrame(POINT screen) const override;
    // What WM_NCHITTEST answers at a screen point.
    int HitTest(POINT screen) const;
    // Paints the whole non-client area on dc (the window DC when null); failures leave it unpainted.
    void PaintFrame(HDC dc = nullptr);
    // Where the caption text went at the last paint (window coordinates).
    const RECT& CaptionTextRect() const { return captionTextRect_; }
    // The skinned menu bar, null for a window without a menu.
    TWinSkinMenu* MenuBarSkin() const { return menuBar_.get(); }

    // MDI (MDISkinning.cpp). The MDI client of a frame, null for other windows.
    HWND MDIClient() const { return mdiClient_; }
    // The frame's active child, and whether it is maximized.
    HWND ActiveMDIChild(bool* maximized = nullptr) const;
    // The frame's menu bar takes the items of menu (WM_MDISETMENU, the last child gone).
    void ReloadMenuBar(HMENU menu);

    // Control skinners of this window. The list does not own them: a framework control's
    // skinner is freed with its control, a bare window's with this form skinner, and
    // every one of them when the window is unskinned.
    bool RegisterSkinner(TChildSkinner* skinner) override;
    void UnregisterSkinner(TChildSkinner* skinner) override;
    TChildSkinner* FindSkinner(HWND window) const override;
    bool IsSkinnedControl(tv::TControl* control) const override;
    int SkinnerCount() const override { return int(skinners_.size()); }
    TChildSkinner* Skinners(int index) const override { return skinners_.at(std::size_t(index)); }
    // Detaches and frees every listed skinner (unskinning).
    void FreeSkinners();
    void FreeDeadSkinners() override;
    tv::TCanvas& ScratchCanvas() override { return *scratchCanvas_; }
    tv::TWinControl* Form() const override { return form_.Get(); }
    tv::TComponent* HostComponent() override { return this; }

    // Caption buttons.
    const std::vector<std::unique_ptr<TWinSysButton>>& CaptionButtons() const { return buttons_; }
    bool IsSysButtonVisible(int index);
    void LayoutSysButtons(const FrameLayout& f);
    // The first shown button that reacts to the mouse at p (window coordinates), or null.
    TWinSysButton* SysButtonAt(POINT p) const;
    void SysButtonAction(int x, int y);
    void DoMaximize();
    void DoMinimize();
    void DoRestore();

protected:
    void Notification(tv::TComponent* component, tv::TOperation operation) override;

private:
    // Attachment (WinSkinForm.cpp).
    void TakeOver(TSkinData* data);
    void ReadWindowFacts();
    void Subclass();
    void RemoveSubclass();
    void Activate();
    void AdjustWindowSize(bool keepClient);
    void LetGo();
    void StopTimer();
    void SyncTimer();
    static LRESULT CALLBACK SkinWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

    // Messages (FrameMessages.cpp).
    void FormWindowMethod(tv::TMessage& m);
    void HandleMessage(tv::TMessage& m);
    bool HandleStage1(tv::TMessage& m);
    bool HandleStage2(tv::TMessage& m);
    void HandleStage3(tv::TMessage& m);
    void CallOld(tv::TMessage& m);
    void OnSize(tv::TMessage& m);
    void OnNcCalcSize(tv::TMessage& m);
    void OnNcActivate(tv::TMessage& m);
    void OnGetMinMaxInfo(tv::TMessage& m);
    void OnSetText(tv::TMessage& m);
    bool OnNcMouse(tv::TMessage& m);
    void OnHoverTimer();
    void ReskinScrollBar(HWND child);
    void ReadShowState();
    // Holds the mouse until the right button is released; false when it never was.
    bool WaitForRightButtonUp(POINT& screen);
    // The skinned system menu (SystemMenu.cpp): the window's system menu as a popup drawn
    // by the skin. A second opening within the double-click time closes the window instead.
    void ShowSystemMenu(POINT screen);
    void BuildSystemMenu();
    bool IsSystemMenu(HMENU menu) const;

    // MDI (MDISkinning.cpp).
    void FindMDIClient();
    void SubclassMDIClient();
    void RestoreMDIClient();
    static LRESULT CALLBACK MDIClientProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMDIClientMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT CallMDIClientOld(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) const;
    void OnMDIChildSysCommand(WPARAM command);
    void SkinMDIChildren();
    // A child's maximized state from its window (the placement lags behind during a change).
    void SyncMDIChildState();
    HWND mdiClient_ = nullptr;
    WNDPROC mdiClientOldProc_ = nullptr;
    LONG mdiClientScrollStyle_ = 0;  // WS_HSCROLL/WS_VSCROLL of the client at takeover
    bool menuUpdateSaved_ = true;

    // Painting (FramePainter.cpp).
    void ComposeFrame(HDC target);
    void PaintBorder(const TDataSkinBorder* side, bool vertical, const RECT& r);
    void PaintCaptionText(HDC dc, const RECT& r);
    void PaintSysButtons(HDC dc);
    std::wstring WindowText() const;

    ButtonFacts Facts() const;

    HWND handle_ = nullptr;
    TSkinData* data_ = nullptr;
    tv::WeakPtr<tv::TWinControl> form_;
    const void* formIdentity_ = nullptr;  // only compared: tells the form's end apart in Notification
    tv::TWndMethod oldWindowMethod_;
    tv::TWndMethod ownWindowMethod_;
    WNDPROC oldWndProc_ = nullptr;
    bool unicodeWindow_ = true;
    bool subclassed_ = false;
    bool activated_ = false;
    bool timerOn_ = false;
    bool skinFrame_ = false;
    bool active_ = true;
    bool sizeable_ = false;
    bool childWindow_ = false;
    bool dialogForm_ = false;
    bool rightToLeft_ = false;
    bool hasRegion_ = false;
    bool keepSysMenuStyle_ = false;
    bool maxBox_ = false, minBox_ = false, helpBox_ = false, sysMenu_ = false;
    int skinState_ = kSkinAttached;
    int mdiKind_ = kMdiNone;
    int showState_ = kShowNormal;
    int borderKind_ = kBorderSingle;
    LONG style_ = 0;
    FrameMetrics metrics_;
    RECT systemFrame_{};  // the stock frame's extra width and height
    RECT clientRect_{};
    RECT captionTextRect_{};
    SIZE regionSize_{};
    int regionBuilds_ = 0;
    HMENU systemMenu_ = nullptr;  // the window's, borrowed
    std::unique_ptr<tv::TPopupMenu> systemMenuPopup_;
    std::unique_ptr<TWinSkinMenu> menuBar_;
    int menuRemovedHeight_ = 0;  // the client area the system's menu bar gave up
    // Menu bar (MenuBarMessages.cpp).
    void TakeMenuBar();
    void GiveMenuBarBack();
    bool OnMenuMessage(tv::TMessage& m);
    bool OnKeyMenu(tv::TMessage& m);
    bool OnMenuItemMouse(tv::TMessage& m, POINT p);
    DWORD lastMenuTick_ = 0;
    bool menuTickSet_ = false;
    tv::TColor savedColor_ = 0;
    tv::OwnedFont captionFont_;
    raster::Bitmap frameImage_;   // the composed frame, reused while the size stays
    raster::Bitmap captionBack_;  // the caption rows before the buttons were drawn
    std::vector<std::unique_ptr<TWinSysButton>> buttons_;
    TNCObject* hotObject_ = nullptr;
    TWinSysButton* pressedButton_ = nullptr;  // where the left button went down, until it comes up
    std::vector<TChildSkinner*> skinners_;
    std::unique_ptr<tv::TCanvas> scratchCanvas_;
};

}  // namespace skin
