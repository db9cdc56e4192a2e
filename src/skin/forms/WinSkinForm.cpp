#include "skin/forms/WinSkinForm.h"

#include <algorithm>

#include "base/CallbackGuard.h"
#include "skin/core/WinSkinData.h"
#include "skin/core/WinSkinDlg.h"
#include "skin/forms/ControlClassification.h"
#include "skin/forms/LabelColours.h"
#include "skin/forms/MenuItemPainter.h"
#include "skin/forms/ToolBarDrawing.h"
#include "skin/forms/ToolButtonMenus.h"

namespace skin {

namespace {

// A bare window finds its skinner through this property; the second keeps the procedure
// it had, for as long as someone else's subclass sits on top of ours.
const wchar_t kSkinnerProp[] = L"TovalinFormSkinner";
const wchar_t kOldProcProp[] = L"TovalinFormSkinnerOldProc";

HFONT MakeCaptionFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return nullptr;
    return ::CreateFontIndirectW(&metrics.lfCaptionFont);
}

std::string ClassNameOf(HWND wnd) {
    wchar_t name[101] = {};
    const int n = ::GetClassNameW(wnd, name, 100);
    std::string out;
    for (int i = 0; i < n; ++i) out += name[i] < 0x80 ? char(name[i]) : '?';
    return out;
}

// Major version 5 and up with minor version 0 keep WS_SYSMENU while skinned.
bool KeepsSysMenuStyleOnThisSystem() {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const DWORD v = ::GetVersion();
#pragma GCC diagnostic pop
    return LOBYTE(LOWORD(v)) >= 5 && HIBYTE(LOWORD(v)) == 0;
}

}  // namespace

void InstallFormSkinning() {
    SetFormSkinnerFactory([](tv::TComponent* owner, HWND window, const std::string& windowClass) -> TFormSkinner* {
        auto* skinner = new TWinSkinForm(owner, window);
        skinner->WindowClassName = windowClass;
        return skinner;
    });
}

const tv::TClassInfo& TWinSkinForm::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TWinSkinForm>("TWinSkinForm").Done();
    return info;
}

TWinSkinForm::TWinSkinForm(tv::TComponent* owner, HWND window)
    : TFormSkinner(owner), handle_(window), scratchCanvas_(std::make_unique<tv::TCanvas>()) {
    captionFont_.Reset(MakeCaptionFont());
}

TWinSkinForm::~TWinSkinForm() {
    // While this object is whole: the skinners' own ends still reach it.
    FreeSkinners();
    ReleaseWeakRefs();
    // Freed while the window lives (its owner went first): give it back its procedure.
    if (skinState_ != kSkinWindowGone) LetGo();
    FreeCaptionButtons();
    // Only this skinner's own entry: another may already stand for the same window.
    if (TSkinManage* manager = SkinManager(); manager && manager->FindFormSkinner(handle_) == this)
        manager->ForgetWindow(handle_);
}

void TWinSkinForm::Notification(tv::TComponent* component, tv::TOperation operation) {
    TFormSkinner::Notification(component, operation);
    // The form went with its window while this skinner lives on (the manager owns it):
    // the form's method never passed WM_NCDESTROY to us, so let go here.
    if (operation == tv::TOperation::Remove && component && component == formIdentity_ &&
        skinState_ != kSkinWindowGone) {
        StopTimer();
        subclassed_ = false;
        oldWindowMethod_ = {};
        FreeCaptionButtons();
        frameImage_.Clear();
        captionBack_.Clear();
        captionFont_.Reset();
        form_ = nullptr;
        formIdentity_ = nullptr;
        skinState_ = kSkinWindowGone;
    }
}

// ---- attachment ----------------------------------------------------------------------------

void TWinSkinForm::AttachForm(TSkinData* data, tv::TWinControl* form) {
    form_ = form;
    formIdentity_ = form;
    if (form) {
        form->FreeNotification(this);
        if (data && data->OnBeforeSkinForm) data->OnBeforeSkinForm(form, handle_, WindowClassName);
    }
    TakeOver(data);
    // The form's popup menus (and, with xcMenuItem, its main menu's items) draw in the skin.
    if (form && subclassed_ && data && !data->SkinEmpty) SetOwnerDrawMenus(*data, *form, true);
    if (form && skinFrame_ && data && !data->SkinEmpty) {
        savedColor_ = form->Color();
        form->SetColor(data->SkinColors.ButtonFace);
    }
}

void TWinSkinForm::AttachWindow(TSkinData* data) { TakeOver(data); }

void TWinSkinForm::ReadWindowFacts() {
    style_ = ::GetWindowLongW(handle_, GWL_STYLE);
    const LONG ex = ::GetWindowLongW(handle_, GWL_EXSTYLE);
    rightToLeft_ = (ex & WS_EX_LEFTSCROLLBAR) != 0;
    childWindow_ = (style_ & WS_CHILD) != 0;
    const HWND owner = ::GetWindow(handle_, GW_OWNER);
    sysMenu_ = (style_ & WS_SYSMENU) != 0;
    minBox_ = (style_ & WS_MINIMIZEBOX) != 0;
    maxBox_ = (style_ & WS_MAXIMIZEBOX) != 0;
    helpBox_ = (ex & WS_EX_CONTEXTHELP) != 0;
    sizeable_ = (style_ & WS_THICKFRAME) != 0;
    ReadShowState();
    mdiKind_ = (ex & WS_EX_MDICHILD) ? kMdiChild : kMdiNone;

    borderKind_ = kBorderSingle;
    if ((style_ & WS_CAPTION) != WS_CAPTION) borderKind_ = kBorderNone;
    else if (style_ & WS_THICKFRAME) borderKind_ = kBorderSizeable;
    else if (style_ & DS_MODALFRAME) borderKind_ = kBorderDialog;
    if (ex & WS_EX_DLGMODALFRAME) borderKind_ = kBorderDialog;
    const std::string cls = ClassNameOf(handle_);
    dialogForm_ = cls == "#32770" || cls == "TMessageForm";
    if (dialogForm_) borderKind_ = kBorderDialog;

    keepSysMenuStyle_ = KeepsSysMenuStyleOnThisSystem() &&
                        ((ex & WS_EX_APPWINDOW) || (!owner && mdiKind_ != kMdiChild));
    unicodeWindow_ = ::IsWindowUnicode(handle_) != FALSE;
}

void TWinSkinForm::TakeOver(TSkinData* data) {
    if (subclassed_ || !handle_ || !::IsWindow(handle_)) return;
    data_ = data;
    skinFrame_ = data && data->SkinControls.Contains(TSkinControlType::xcMainMenu);
    ReadWindowFacts();
    if (mdiKind_ == kMdiChild && data && data->Options.Contains(TSkinOption::xoMDIChildBorder)) skinFrame_ = false;
    if (mdiKind_ != kMdiChild) FindMDIClient();
    Subclass();
    if (mdiKind_ == kMdiFrame) SubclassMDIClient();
    TakeMenuBar();
    if (skinFrame_) ComputeFrameMetrics();
    else skinState_ = kSkinSkinned;
    if (mdiKind_ == kMdiChild && skinFrame_) {
        // A child's caption band is at least as tall as the system's caption and frame.
        const int stock = ::GetSystemMetrics(SM_CYCAPTION) + ::GetSystemMetrics(SM_CXFRAME);
        if (metrics_.top < stock) metrics_.menuBar = stock - metrics_.top;
        TSkinManage* manager = SkinManager();
        if (manager && ::IsZoomed(handle_) && !manager->MergedMenuMode) manager->SetMergedMenuMode(true);
    }
}

void TWinSkinForm::Subclass() {
    if (tv::TWinControl* form = form_.Get()) {
        oldWindowMethod_ = form->WindowProc;
        // The method may outlive this skinner (someone else may have wrapped it): it then
        // hands every message to what was there before.
        ownWindowMethod_ = [self = tv::WeakPtr<TWinSkinForm>(this), old = oldWindowMethod_](tv::TMessage& m) {
            if (TWinSkinForm* s = self.Get()) s->FormWindowMethod(m);
            else old(m);
        };
        form->WindowProc = ownWindowMethod_;
    } else {
        ::SetPropW(handle_, kSkinnerProp, this);
        const auto proc = reinterpret_cast<LONG_PTR>(&TWinSkinForm::SkinWndProc);
        oldWndProc_ = reinterpret_cast<WNDPROC>(unicodeWindow_ ? ::SetWindowLongPtrW(handle_, GWLP_WNDPROC, proc)
                                                               : ::SetWindowLongPtrA(handle_, GWLP_WNDPROC, proc));
        ::SetPropW(handle_, kOldProcProp, reinterpret_cast<HANDLE>(oldWndProc_));
    }
    subclassed_ = true;
}

void TWinSkinForm::RemoveSubclass() {
    if (!subclassed_) return;
    subclassed_ = false;
    if (tv::TWinControl* form = form_.Get()) {
        // Only our own method is taken out; one installed on top of it keeps working.
        if (form->WindowProc == ownWindowMethod_) form->WindowProc = oldWindowMethod_;
        return;
    }
    if (!oldWndProc_ || !::IsWindow(handle_)) return;
    ::RemovePropW(handle_, kSkinnerProp);
    const auto ours = reinterpret_cast<LONG_PTR>(&TWinSkinForm::SkinWndProc);
    if (::GetWindowLongPtrW(handle_, GWLP_WNDPROC) == ours) {
        const auto old = reinterpret_cast<LONG_PTR>(oldWndProc_);
        if (unicodeWindow_) ::SetWindowLongPtrW(handle_, GWLP_WNDPROC, old);
        else ::SetWindowLongPtrA(handle_, GWLP_WNDPROC, old);
        ::RemovePropW(handle_, kOldProcProp);
    }
}

LRESULT CALLBACK TWinSkinForm::SkinWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<TWinSkinForm*>(::GetPropW(wnd, kSkinnerProp));
    if (!self) {
        // Detached while another subclass still calls us: pass everything on.
        const auto old = reinterpret_cast<WNDPROC>(::GetPropW(wnd, kOldProcProp));
        if (msg == WM_NCDESTROY) ::RemovePropW(wnd, kOldProcProp);
        if (!old) return ::DefWindowProcW(wnd, msg, wParam, lParam);
        return ::IsWindowUnicode(wnd) ? ::CallWindowProcW(old, wnd, msg, wParam, lParam)
                                      : ::CallWindowProcA(old, wnd, msg, wParam, lParam);
    }
    tv::TMessage m{msg, wParam, lParam, 0};
    const bool painting = msg == WM_NCPAINT || msg == WM_PAINT || msg == WM_ERASEBKGND || msg == WM_NCACTIVATE;
    base::Guarded([&] { self->HandleMessage(m); }, painting ? base::OnFailure::Swallow : base::OnFailure::Report);
    return m.Result;
}

void TWinSkinForm::CallOld(tv::TMessage& m) {
    if (tv::TWinControl* form = form_.Get(); form && oldWindowMethod_) {
        oldWindowMethod_(m);
    } else if (oldWndProc_) {
        m.Result = unicodeWindow_ ? ::CallWindowProcW(oldWndProc_, handle_, m.Msg, m.WParam, m.LParam)
                                  : ::CallWindowProcA(oldWndProc_, handle_, m.Msg, m.WParam, m.LParam);
    } else {
        m.Result = ::DefWindowProcW(handle_, m.Msg, m.WParam, m.LParam);
    }
}

// ---- frame metrics and activation ----------------------------------------------------------

void TWinSkinForm::ComputeFrameMetrics() {
    if (!data_ || data_->SkinEmpty) return;
    const int menuBar = metrics_.menuBar;
    metrics_ = MetricsFromSkin(*data_, borderKind_);
    metrics_.menuBar = borderKind_ == kBorderNone ? 0 : menuBar;
    FreeCaptionButtons();
    for (const auto& element : data_->SysButtons)
        if (element) buttons_.push_back(std::make_unique<TWinSysButton>(*this, *element));
    frameImage_.Clear();
}

void TWinSkinForm::FreeCaptionButtons() {
    hotObject_ = nullptr;
    pressedButton_ = nullptr;
    buttons_.clear();
}

void TWinSkinForm::Activate() {
    activated_ = true;
    systemMenu_ = ::GetSystemMenu(handle_, FALSE);
    RECT window{}, client{};
    ::GetWindowRect(handle_, &window);
    ::GetClientRect(handle_, &client);
    systemFrame_ = {0, 0, (window.right - window.left) - client.right, (window.bottom - window.top) - client.bottom};
    clientRect_ = client;
    // The client area grew by the system's menu bar when the menu came off; the band under
    // the caption takes that room again.
    clientRect_.bottom = std::max(0, int(clientRect_.bottom) - menuRemovedHeight_);
    if (tv::TWinControl* form = form_.Get()) {
        SkinFormControls(*this, *form);
        if (data_ && !data_->SkinEmpty) RecolourLabels(*this, *form, *data_);
    } else {
        SkinChildWindows(*this, handle_);
    }
    if (skinFrame_ && skinState_ == kSkinAttached && mdiKind_ == kMdiChild) {
        // A maximized child's frame lies outside the client; the client redraws it all.
        if (::IsZoomed(handle_)) {
            showState_ = kShowMaximized;
            ::PostMessageW(::GetParent(handle_), SKM_MDIREDRAW, reinterpret_cast<WPARAM>(handle_), 0);
        } else if (!::IsIconic(handle_)) {
            showState_ = kShowNormal;
            skinState_ = kSkinResizing;
            AdjustWindowSize(false);
            skinState_ = kSkinSkinned;
            UpdateRegion();
        }
    } else if (skinFrame_ && skinState_ == kSkinAttached && !childWindow_ && borderKind_ != kBorderNone &&
        showState_ != kShowMinimized) {
        skinState_ = kSkinResizing;
        AdjustWindowSize(false);
        skinState_ = kSkinSkinned;
        if (showState_ == kShowNormal) UpdateRegion();
        else FrameChanged();
    }
    ::SendMessageW(handle_, SKM_SKINAPPLIED, 0, kSkinMarker);
    if (data_ && data_->OnAfterSkinForm) data_->OnAfterSkinForm(form_.Get(), handle_, WindowClassName);
    skinState_ = kSkinSkinned;
    SyncTimer();
    if (mdiKind_ == kMdiFrame) SkinMDIChildren();
    // The client area moved inside the window: what the system kept of it is repainted too.
    if (skinFrame_) ::RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TWinSkinForm::AdjustWindowSize(bool keepClient) {
    if (showState_ == kShowMaximized) {
        FrameChanged();
        return;
    }
    RECT window{};
    ::GetWindowRect(handle_, &window);
    if (dialogForm_ || skinState_ == kSkinReapplying || keepClient) ::GetClientRect(handle_, &clientRect_);
    int width = clientRect_.right + metrics_.left + metrics_.right;
    const int height = clientRect_.bottom + metrics_.top + metrics_.bottom + metrics_.menuBar;
    if (dialogForm_ && !keepClient && data_ && data_->Title) {
        // A message box whose caption would not fit is widened, its controls kept centred.
        tv::WindowDC dc(handle_, true);
        tv::SelectScope font(dc.Get(), captionFont_.Get());
        const std::wstring text = WindowText();
        SIZE extent{};
        ::GetTextExtentPoint32W(dc.Get(), text.c_str(), int(text.size()), &extent);
        const int needed = data_->Title->LeftWidth + extent.cx + data_->Title->RightWidth;
        if (width < needed) {
            const int shift = (needed - width) / 2;
            for (HWND child = ::GetWindow(handle_, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
                RECT r{};
                ::GetWindowRect(child, &r);
                ::MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&r), 2);
                ::SetWindowPos(child, nullptr, r.left + shift, r.top, 0, 0,
                               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING | SWP_NOOWNERZORDER);
            }
            width = needed;
        }
    }
    ::SetWindowPos(handle_, nullptr, window.left, window.top, width, height,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TWinSkinForm::FrameChanged() {
    ::SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TWinSkinForm::InvalidateWindow() {
    ::RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    ::UpdateWindow(handle_);
}

void TWinSkinForm::AttachChildSkinner(HWND child) {
    if (subclassed_ && data_ && !data_->SkinEmpty) SkinChildWindow(*this, child);
}

// ---- control skinners ----------------------------------------------------------------------

bool TWinSkinForm::RegisterSkinner(TChildSkinner* skinner) {
    if (!skinner) return true;
    if (std::find(skinners_.begin(), skinners_.end(), skinner) != skinners_.end()) return true;
    skinners_.push_back(skinner);
    return false;
}

void TWinSkinForm::UnregisterSkinner(TChildSkinner* skinner) {
    const auto it = std::find(skinners_.rbegin(), skinners_.rend(), skinner);
    if (it != skinners_.rend()) skinners_.erase(std::next(it).base());
}

TChildSkinner* TWinSkinForm::FindSkinner(HWND window) const {
    if (!window) return nullptr;
    for (TChildSkinner* s : skinners_)
        if (s->SkinnedWindow() == window) return s;
    return nullptr;
}

bool TWinSkinForm::IsSkinnedControl(tv::TControl* control) const {
    if (!control) return false;
    if (auto* win = dynamic_cast<tv::TWinControl*>(control);
        win && win->HandleAllocated() && ::SendMessageW(win->Handle(), SKM_ISSKINNED, 0, 0) == 1)
        return true;
    for (TChildSkinner* s : skinners_)
        if (s->SkinnedControl() == control) return true;
    return false;
}

void TWinSkinForm::FreeSkinners() {
    RemoveToolBarDrawing(*this);
    RemoveToolButtonMenus(*this);
    RestoreLabels(*this);
    // Taken from the front one at a time: freeing one may free others (a skinner's
    // helpers owned by its control), which leave the list by themselves.
    while (!skinners_.empty()) {
        TChildSkinner* s = skinners_.front();
        skinners_.erase(skinners_.begin());
        base::Guarded([&] {
            if (s->State() != kChildWindowGone) s->Detach();
        });
        delete s;
    }
}

void TWinSkinForm::FreeDeadSkinners() {
    for (std::size_t i = skinners_.size(); i-- > 0;) {
        if (i >= skinners_.size()) continue;
        TChildSkinner* s = skinners_[i];
        if (s->State() != kChildWindowGone) continue;
        skinners_.erase(skinners_.begin() + std::ptrdiff_t(i));
        delete s;
    }
}

void TWinSkinForm::ReskinScrollBar(HWND child) {
    TChildSkinner* old = FindSkinner(child);
    if (!old || !data_) return;
    const std::string kind = old->ClassName() == "TSkinListView" ? "TSkinListView" : "TSkinScrollbar";
    tv::TControl* control = old->SkinnedControl();
    UnregisterSkinner(old);
    delete old;
    if (!control) return;
    if (TChildSkinner* fresh = CreateChildSkinner(kind, control))
        fresh->AttachSpecial(control, data_, this, scratchCanvas_.get());
}

void TWinSkinForm::SkinChanged() {
    if (!subclassed_) return;
    tv::TWinControl* form = form_.Get();
    if (form && data_ && !data_->SkinEmpty) {
        form->SetColor(data_->SkinColors.ButtonFace);
        RecolourLabels(*this, *form, *data_);
    }
    // A copy: a refresh may replace a skinner (scroll bars re-made for a recreated window).
    const std::vector<TChildSkinner*> skinners = skinners_;
    for (TChildSkinner* s : skinners)
        if (std::find(skinners_.begin(), skinners_.end(), s) != skinners_.end()) s->RefreshSkin();
    skinState_ = kSkinReapplying;
    if (skinFrame_) {
        ComputeFrameMetrics();
        if (!childWindow_ && borderKind_ != kBorderNone) AdjustWindowSize(true);
        UpdateRegion();
        InvalidateWindow();
    }
    ::SendMessageW(handle_, SKM_SKINAPPLIED, 0, kSkinMarker);
    if (data_ && data_->OnAfterSkinForm) data_->OnAfterSkinForm(form, handle_, WindowClassName);
    skinState_ = kSkinSkinned;
}

// ---- detaching -----------------------------------------------------------------------------

void TWinSkinForm::StopTimer() {
    if (timerOn_ && handle_) ::KillTimer(handle_, kHoverTimerId);
    timerOn_ = false;
}

void TWinSkinForm::SyncTimer() {
    const bool want = subclassed_ && activated_ && active_ && skinFrame_ &&
                      (skinState_ == kSkinSkinned || skinState_ == kSkinReapplying);
    if (want && !timerOn_) timerOn_ = ::SetTimer(handle_, kHoverTimerId, kHoverInterval, nullptr) != 0;
    else if (!want) StopTimer();
}

void TWinSkinForm::LetGo() {
    StopTimer();
    RestoreMDIClient();
    FreeSkinners();
    if (hotObject_) hotObject_->State = kStateNormal;
    hotObject_ = nullptr;
    pressedButton_ = nullptr;
    RemoveSubclass();
}

void TWinSkinForm::Unskin() {
    const bool wasSubclassed = subclassed_;
    LetGo();
    if (!wasSubclassed || !::IsWindow(handle_)) return;
    tv::TWinControl* form = form_.Get();
    if (form && data_) SetOwnerDrawMenus(*data_, *form, false);
    if (form && skinState_ != kSkinDetaching && skinFrame_ && data_ && !data_->SkinEmpty) form->SetColor(savedColor_);
    if (!skinFrame_) {
        // Only the controls were skinned: they go back to their own look now.
        if (skinState_ != kSkinDetaching)
            ::RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return;
    }
    const bool hadMenuBar = menuBar_ != nullptr;
    const int band = metrics_.menuBar;
    GiveMenuBarBack();
    if (!activated_) return;
    // The style as it was taken over: the skinner takes WS_SYSMENU away while painting.
    const LONG style = ::GetWindowLongW(handle_, GWL_STYLE);
    if ((style ^ style_) & WS_SYSMENU) ::SetWindowLongW(handle_, GWL_STYLE, (style & ~WS_SYSMENU) | (style_ & WS_SYSMENU));
    ClearRegion();
    if (skinState_ != kSkinDetaching && (!childWindow_ || mdiKind_ == kMdiChild) && borderKind_ != kBorderNone &&
        !::IsIconic(handle_) && !::IsZoomed(handle_)) {
        // Back to the stock frame around the same client area.
        RECT window{};
        ::GetWindowRect(handle_, &window);
        const int w = (window.right - window.left) - metrics_.left - metrics_.right + systemFrame_.right;
        const int h = (window.bottom - window.top) - metrics_.top - metrics_.bottom - band + systemFrame_.bottom +
                      (hadMenuBar ? menuRemovedHeight_ : 0);
        ::SetWindowPos(handle_, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
    } else {
        FrameChanged();
    }
    ::RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN);
}

void TWinSkinForm::DetachOnDestroy() {
    LetGo();
    FreeCaptionButtons();
    if (hotObject_ && dynamic_cast<TMenuBtn*>(hotObject_)) hotObject_ = nullptr;
    menuBar_.reset();
}

}  // namespace skin
