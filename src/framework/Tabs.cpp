#include "framework/Tabs.h"

#include <commctrl.h>

#include <algorithm>

#include "base/Text.h"
#include "framework/ComCtrls.h"

namespace tv {

namespace {

bool Loading(const TComponent& c) { return c.HasState(TComponentState::Loading); }

}  // namespace

const TEnumInfo& TabPositionType() {
    static const TEnumInfo info = TEnumInfo::Sequential("TTabPosition", {"tpTop", "tpBottom", "tpLeft", "tpRight"});
    return info;
}

const TEnumInfo& TabStyleType() {
    static const TEnumInfo info = TEnumInfo::Sequential("TTabStyle", {"tsTabs", "tsButtons", "tsFlatButtons"});
    return info;
}

// ---- the tab control ----

const TClassInfo& TCustomTabControl::StaticClass() {
    static const TClassInfo info =
        DescribeClass<TCustomTabControl>("TCustomTabControl")
            .Bool("MultiLine", &TCustomTabControl::MultiLine, &TCustomTabControl::SetMultiLine)
            .Default(0)
            .Enum("Style", TabStyleType(), &TCustomTabControl::Style, &TCustomTabControl::SetStyle)
            .Default(int(TTabStyle::tsTabs))
            .Enum("TabPosition", TabPositionType(), &TCustomTabControl::TabPosition,
                  &TCustomTabControl::SetTabPosition)
            .Default(int(TTabPosition::tpTop))
            .Event("OnChange", &TCustomTabControl::OnChange)
            .Event("OnChanging", &TCustomTabControl::OnChanging)
            .Done();
    return info;
}

TCustomTabControl::TCustomTabControl(TComponent* owner) : TWinControl(owner) {
    SetBoundsFields(0, 0, 289, 193);
    SetTabStop(true);
    // Its sheets and what sits on them show the colour of the window around them.
    InitColor(clBtnFace, true);
    Brush().SetColor(clBtnFace);
}

void TCustomTabControl::CreateParams(TCreateParams& p) {
    EnsureCommonControls();
    TWinControl::CreateParams(p);
    p.sysClassName = WC_TABCONTROLW;
    // The sheets on the control are not painted over by its own painting.
    p.style |= WS_CLIPCHILDREN;
    if (multiLine_) p.style |= TCS_MULTILINE;
    switch (style_) {
        case TTabStyle::tsTabs: break;
        case TTabStyle::tsButtons: p.style |= TCS_BUTTONS; break;
        case TTabStyle::tsFlatButtons: p.style |= TCS_BUTTONS | TCS_FLATBUTTONS; break;
    }
    switch (tabPosition_) {
        case TTabPosition::tpTop: break;
        case TTabPosition::tpBottom: p.style |= TCS_BOTTOM; break;
        // Tabs on a side stand on several rows of their own.
        case TTabPosition::tpLeft: p.style |= TCS_VERTICAL | TCS_MULTILINE; break;
        case TTabPosition::tpRight: p.style |= TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE; break;
    }
}

void TCustomTabControl::CreateWindowHandle(const TCreateParams& p) {
    TWinControl::CreateWindowHandle(p);
    UpdateTabs();
}

void TCustomTabControl::SetTabPosition(TTabPosition v) {
    if (v == tabPosition_) return;
    tabPosition_ = v;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomTabControl::SetStyle(TTabStyle v) {
    if (v == style_) return;
    style_ = v;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomTabControl::SetMultiLine(bool v) {
    if (v == multiLine_) return;
    multiLine_ = v;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomTabControl::SetTabIndex(int index) {
    if (Loading(*this)) {
        // The tabs may come later in the description: Loaded checks the index.
        tabIndex_ = index;
        return;
    }
    if (index < -1 || index >= TabCount()) index = -1;
    if (index == tabIndex_) return;
    tabIndex_ = index;
    if (HandleAllocated()) ::SendMessageW(Handle(), TCM_SETCURSEL, WPARAM(index), 0);
    if (!Loading(*this)) Change(false);
}

void TCustomTabControl::Loaded() {
    TWinControl::Loaded();
    if (tabIndex_ < -1 || tabIndex_ >= TabCount()) tabIndex_ = -1;
    UpdateTabs();
}

RECT TCustomTabControl::DisplayRect() {
    RECT r = ClientRect();
    if (HandleAllocated()) ::SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return r;
}

void TCustomTabControl::UpdateTabs() {
    if (!HandleAllocated()) return;
    HWND h = Handle();
    const std::vector<std::string> captions = TabCaptions();
    ::SendMessageW(h, TCM_DELETEALLITEMS, 0, 0);
    for (std::size_t i = 0; i < captions.size(); ++i) {
        std::wstring text = text::Widen(captions[i]);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        ::SendMessageW(h, TCM_INSERTITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&item));
    }
    if (tabIndex_ >= int(captions.size())) tabIndex_ = captions.empty() ? -1 : 0;
    ::SendMessageW(h, TCM_SETCURSEL, WPARAM(tabIndex_), 0);
    ::InvalidateRect(h, nullptr, TRUE);
    DisplayChanged();
}

bool TCustomTabControl::CanChange() {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TCustomTabControl::Change(bool byUser) {
    DisplayChanged();
    if (byUser && OnChange) OnChange(this);
}

void TCustomTabControl::HandleMessage(TMessage& m) {
    switch (m.Msg) {
        case CN_NOTIFY: {
            const auto* hdr = reinterpret_cast<const NMHDR*>(m.LParam);
            if (hdr->code == UINT(TCN_SELCHANGING)) {
                m.Result = CanChange() ? FALSE : TRUE;
                return;
            }
            if (hdr->code == UINT(TCN_SELCHANGE)) {
                tabIndex_ = int(::SendMessageW(Handle(), TCM_GETCURSEL, 0, 0));
                Change(true);
                m.Result = 0;
                return;
            }
            break;
        }
        case WM_SIZE:
        case WM_SETFONT:
            TWinControl::HandleMessage(m);
            // A new width may wrap the tabs onto more or fewer rows, a new font makes them
            // taller or lower.
            DisplayChanged();
            return;
        default: break;
    }
    TWinControl::HandleMessage(m);
}

const TClassInfo& TTabControl::StaticClass() {
    static const TClassInfo info = DescribeClass<TTabControl>("TTabControl")
                                       .Obj<TStrings>("Tabs", &TTabControl::TabsPtr, nullptr)
                                       .Int("TabIndex", &TTabControl::TabIndex, &TTabControl::SetTabIndex)
                                       .Default(-1)
                                       .Done();
    return info;
}

TTabControl::TTabControl(TComponent* owner) : TCustomTabControl(owner), tabs_(std::make_unique<TStringList>()) {
    tabs_->OnChange = [this](TObject*) {
        if (!Loading(*this)) UpdateTabs();
    };
}

TTabControl::~TTabControl() { tabs_->OnChange = nullptr; }

std::vector<std::string> TTabControl::TabCaptions() const {
    std::vector<std::string> captions;
    for (int i = 0; i < tabs_->Count(); ++i) captions.push_back(tabs_->Get(i));
    return captions;
}

// ---- sheets ----

const TClassInfo& TTabSheet::StaticClass() {
    static const TClassInfo info = DescribeClass<TTabSheet>("TTabSheet")
                                       .Int("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex)
                                       .NotStored()
                                       .Bool("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible)
                                       .Default(1)
                                       .Done();
    return info;
}

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
    InitColor(clBtnFace, true);
    Brush().SetColor(clBtnFace);
    // Hidden until its page control shows it.
    SetVisibleField(false);
}

TTabSheet::~TTabSheet() {
    if (pageControl_) pageControl_->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* control) { SetParent(control); }

void TTabSheet::SetParent(TWinControl* parent) {
    auto* pages = dynamic_cast<TPageControl*>(parent);
    if (pageControl_ && pageControl_ != pages) pageControl_->RemovePage(this);
    TWinControl::SetParent(parent);
    if (pages && pageControl_ != pages) pages->InsertPage(this);
}

int TTabSheet::PageIndex() const {
    if (!pageControl_) return -1;
    const auto& pages = pageControl_->pages_;
    return int(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int index) {
    if (pageControl_) pageControl_->MovePage(this, index);
}

void TTabSheet::SetTabVisible(bool v) {
    if (v == tabVisible_) return;
    tabVisible_ = v;
    if (pageControl_) pageControl_->PagesChanged();
}

void TTabSheet::SetText(const std::string& v) {
    TWinControl::SetText(v);
    if (pageControl_) pageControl_->PagesChanged();
}

// ---- the page control ----

const TClassInfo& TPageControl::StaticClass() {
    static const TClassInfo info =
        DescribeClass<TPageControl>("TPageControl")
            .Obj<TTabSheet>("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage)
            .Done();
    return info;
}

TPageControl::TPageControl(TComponent* owner) : TCustomTabControl(owner) {}

TPageControl::~TPageControl() {
    for (TTabSheet* page : pages_) page->pageControl_ = nullptr;
    pages_.clear();
    activePage_ = nullptr;
}

std::vector<std::string> TPageControl::TabCaptions() const {
    std::vector<std::string> captions;
    for (TTabSheet* page : pages_)
        if (page->TabVisible()) captions.push_back(page->GetText());
    return captions;
}

int TPageControl::TabOfPage(const TTabSheet* page) const {
    int tab = 0;
    for (TTabSheet* p : pages_) {
        if (!p->TabVisible()) continue;
        if (p == page) return tab;
        ++tab;
    }
    return -1;
}

TTabSheet* TPageControl::PageOfTab(int tab) const {
    for (TTabSheet* p : pages_) {
        if (!p->TabVisible()) continue;
        if (tab-- == 0) return p;
    }
    return nullptr;
}

void TPageControl::InsertPage(TTabSheet* page) {
    page->pageControl_ = this;
    pages_.push_back(page);
    if (!activePage_ && page->TabVisible() && !Loading(*this)) activePage_ = page;
    PagesChanged();
}

void TPageControl::RemovePage(TTabSheet* page) {
    auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end()) return;
    if (activePage_ == page) {
        TTabSheet* next = FindNextPage(page, true);
        activePage_ = next == page ? nullptr : next;
    }
    pages_.erase(std::find(pages_.begin(), pages_.end(), page));
    page->pageControl_ = nullptr;
    if (!HasState(TComponentState::Destroying)) PagesChanged();
}

void TPageControl::MovePage(TTabSheet* page, int index) {
    auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end()) return;
    pages_.erase(it);
    index = std::clamp(index, 0, int(pages_.size()));
    pages_.insert(pages_.begin() + index, page);
    PagesChanged();
}

void TPageControl::PagesChanged() {
    if (activePage_ && !activePage_->TabVisible()) activePage_ = FindNextPage(activePage_, true);
    tabIndex_ = TabOfPage(activePage_);
    if (Loading(*this)) return;
    UpdateTabs();
    ShowActivePage();
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool forward) const {
    if (pages_.empty()) return nullptr;
    const int n = int(pages_.size());
    auto it = std::find(pages_.begin(), pages_.end(), current);
    int start = it == pages_.end() ? (forward ? n - 1 : 0) : int(it - pages_.begin());
    for (int step = 1; step <= n; ++step) {
        TTabSheet* p = pages_[std::size_t(((start + (forward ? step : -step)) % n + n) % n)];
        if (p->TabVisible()) return p;
    }
    return nullptr;
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->pageControl_ != this) return;
    if (Loading(*this)) {
        activePage_ = page;
        return;
    }
    if (page == activePage_) return;
    activePage_ = page && page->TabVisible() ? page : nullptr;
    tabIndex_ = TabOfPage(activePage_);
    if (HandleAllocated()) ::SendMessageW(Handle(), TCM_SETCURSEL, WPARAM(tabIndex_), 0);
    ShowActivePage();
}

int TPageControl::ActivePageIndex() const { return activePage_ ? activePage_->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int index) {
    SetActivePage(index >= 0 && index < PageCount() ? pages_[std::size_t(index)] : nullptr);
}

void TPageControl::SelectNextPage(bool forward) {
    TTabSheet* next = FindNextPage(activePage_, forward);
    if (!next || next == activePage_ || !CanChange()) return;
    SetActivePage(next);
    if (OnChange) OnChange(this);
}

bool TPageControl::CanChange() { return TCustomTabControl::CanChange(); }

void TPageControl::Change(bool byUser) {
    TTabSheet* page = PageOfTab(tabIndex_);
    if (page != activePage_) {
        activePage_ = page;
        ShowActivePage();
    }
    TCustomTabControl::Change(byUser);
}

void TPageControl::ShowActivePage() {
    DisplayChanged();
    // The focus does not stay on a sheet that goes out of sight.
    HWND focus = ::GetFocus();
    for (TTabSheet* p : pages_) {
        if (p == activePage_) continue;
        if (focus && p->HandleAllocated() && (focus == p->Handle() || ::IsChild(p->Handle(), focus)) &&
            HandleAllocated())
            ::SetFocus(Handle());
        p->SetVisible(false);
    }
    if (activePage_) {
        activePage_->SetVisible(true);
        activePage_->BringToFront();
    }
}

void TPageControl::DisplayChanged() {
    if (!HandleAllocated()) return;
    const RECT r = DisplayRect();
    for (TTabSheet* p : pages_) p->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void TPageControl::Loaded() {
    TCustomTabControl::Loaded();
    if (!activePage_ || !activePage_->TabVisible()) activePage_ = FindNextPage(nullptr, true);
    tabIndex_ = TabOfPage(activePage_);
    UpdateTabs();
    ShowActivePage();
}

void TPageControl::HandleMessage(TMessage& m) {
    if (m.Msg == CM_DIALOGKEY && m.WParam == VK_TAB && ::GetKeyState(VK_CONTROL) < 0 && ::GetKeyState(VK_MENU) >= 0) {
        SelectNextPage(::GetKeyState(VK_SHIFT) >= 0);
        m.Result = 1;
        return;
    }
    TCustomTabControl::HandleMessage(m);
}

}  // namespace tv
