#include "framework/TabSets.h"

#include <algorithm>

#include "base/Text.h"

namespace tv {

namespace {
bool Loading(const TComponent& c) { return c.HasState(TComponentState::Loading); }
}  // namespace

const TClassInfo& TTabSet::StaticClass() {
    static const TClassInfo info = DescribeClass<TTabSet>("TTabSet")
                                       .Obj<TStrings>("Tabs", &TTabSet::TabsPtr, nullptr)
                                       .Int("TabIndex", &TTabSet::TabIndex, &TTabSet::SetTabIndex)
                                       .Default(-1)
                                       .Int("FirstIndex", &TTabSet::FirstIndex, &TTabSet::SetFirstIndex)
                                       .Default(0)
                                       .Int("StartMargin", &TTabSet::StartMargin, &TTabSet::SetStartMargin)
                                       .Default(5)
                                       .Int("EndMargin", &TTabSet::EndMargin, &TTabSet::SetEndMargin)
                                       .Default(5)
                                       .Event("OnChange", &TTabSet::OnChange)
                                       .Done();
    return info;
}

TTabSet::TTabSet(TComponent* owner) : TCustomControl(owner), tabs_(std::make_unique<TStringList>()) {
    SetBoundsFields(0, 0, 185, 21);
    InitColor(clBtnFace, false);
    Brush().SetColor(clBtnFace);
    // The first owned component is the scroller (a skin finds it there).
    scroller_ = new TUpDown(this);
    scroller_->SetOrientation(TUDOrientation::udHorizontal);
    scroller_->SetVisible(false);
    scroller_->SetParent(this);
    scroller_->OnClick = [this](TObject*, TUDBtnType button) {
        SetFirstIndex(firstIndex_ + (button == TUDBtnType::btNext ? 1 : -1));
    };
    tabs_->OnChange = [this](TObject*) { TabsChanged(); };
}

TTabSet::~TTabSet() { tabs_->OnChange = nullptr; }

void TTabSet::Loaded() {
    TCustomControl::Loaded();
    TabsChanged();
}

void TTabSet::TabsChanged() {
    if (Loading(*this)) return;
    const int count = tabs_->Count();
    if (tabIndex_ >= count) tabIndex_ = count - 1;
    firstIndex_ = std::clamp(firstIndex_, 0, std::max(count - 1, 0));
    UpdateScroller();
    Invalidate();
}

void TTabSet::SetTabIndex(int index) { Select(index, false); }

void TTabSet::Select(int index, bool byUser) {
    // An index out of range selects nothing, as the tab control's does.
    if (!Loading(*this) && (index < -1 || index >= tabs_->Count())) index = -1;
    if (index == tabIndex_) return;
    tabIndex_ = index;
    if (Loading(*this)) return;
    // A selected tab scrolled out of view comes back into it.
    if (index >= 0 && index < firstIndex_) firstIndex_ = index;
    UpdateScroller();
    while (index > firstIndex_ && TabRect(index).right <= 0) {
        ++firstIndex_;
        UpdateScroller();
    }
    Invalidate();
    if (byUser && OnChange) OnChange(this);
}

void TTabSet::SetFirstIndex(int index) {
    if (!Loading(*this)) index = std::clamp(index, 0, std::max(tabs_->Count() - 1, 0));
    if (index == firstIndex_) return;
    firstIndex_ = index;
    if (Loading(*this)) return;
    UpdateScroller();
    Invalidate();
}

void TTabSet::SetStartMargin(int v) {
    startMargin_ = std::max(v, 0);
    UpdateScroller();
    Invalidate();
}

void TTabSet::SetEndMargin(int v) {
    endMargin_ = std::max(v, 0);
    UpdateScroller();
    Invalidate();
}

void TTabSet::SetBounds(int left, int top, int width, int height) {
    TCustomControl::SetBounds(left, top, width, height);
    UpdateScroller();
}

void TTabSet::FontChanged() {
    TCustomControl::FontChanged();
    UpdateScroller();
}

void TTabSet::CreateParams(TCreateParams& p) {
    TCustomControl::CreateParams(p);
    p.style |= WS_CLIPCHILDREN;  // the scroller paints itself
}

void TTabSet::CreateWindowHandle(const TCreateParams& params) {
    TCustomControl::CreateWindowHandle(params);
    UpdateScroller();
}

int TTabSet::CaptionWidth(int index) {
    // Measured in the control's font, as the tabs are painted.
    OwnedDC dc(::CreateCompatibleDC(nullptr));
    SelectScope font(dc.Get(), Font().Handle());
    const std::wstring text = text::Widen(tabs_->Get(index));
    SIZE size{};
    ::GetTextExtentPoint32W(dc.Get(), text.c_str(), int(text.size()), &size);
    return size.cx;
}

RECT TTabSet::TabRect(int index) {
    if (index < firstIndex_ || index >= tabs_->Count()) return RECT{};
    const int available = Width() - endMargin_;
    const int need = ScrollerVisible() ? kScrollerRoom : kTabPadding;
    int x = startMargin_;
    for (int i = firstIndex_; i <= index; ++i) {
        const int w = CaptionWidth(i);
        if (x + w + need > available) return RECT{};
        if (i == index) return RECT{x, 0, x + w + kTabPadding, Height()};
        x += w + kTabPadding;
    }
    return RECT{};
}

int TTabSet::TabAtPos(POINT p) {
    for (int i = firstIndex_; i < tabs_->Count(); ++i) {
        const RECT r = TabRect(i);
        if (r.right <= r.left) break;
        if (::PtInRect(&r, p)) return i;
    }
    return -1;
}

bool TTabSet::ScrollerVisible() const { return scroller_ && scroller_->Visible(); }

void TTabSet::UpdateScroller() {
    if (!scroller_ || Loading(*this)) return;
    // Does everything from the first tab on fit without a scroller?
    const int count = tabs_->Count();
    bool fits = firstIndex_ == 0;
    if (fits) {
        int x = startMargin_;
        for (int i = 0; i < count && fits; ++i) {
            x += CaptionWidth(i) + kTabPadding;
            fits = x <= Width() - endMargin_;
        }
    }
    // In the room the tabs leave free for it.
    const int h = std::max(std::min(Height() - 2, 17), 4);
    const int w = endMargin_ + kScrollerRoom - kTabPadding;
    scroller_->SetBounds(Width() - w, 1, w, h);
    scroller_->SetMin(0);
    scroller_->SetMax(std::max(count - 1, 0));
    scroller_->SetPosition(firstIndex_);
    scroller_->SetVisible(!fits);
}

void TTabSet::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft) return;
    const int tab = TabAtPos(POINT{x, y});
    if (tab >= 0) Select(tab, true);
}

void TTabSet::Paint() {
    TCanvas& canvas = Canvas();
    const RECT client = ClientRect();
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(client);
    canvas.Font().Assign(Font());
    if (!Enabled()) canvas.Font().SetColor(clGrayText);
    // The edge of what the tabs hang from, broken under the selected tab.
    const RECT selected = TabRect(tabIndex_);
    canvas.Pen().SetColor(clWindowFrame);
    canvas.MoveTo(0, 0);
    canvas.LineTo(selected.right > selected.left ? selected.left : client.right, 0);
    if (selected.right > selected.left) {
        canvas.MoveTo(selected.right, 0);
        canvas.LineTo(client.right, 0);
    }
    for (int i = firstIndex_; i < tabs_->Count(); ++i) {
        RECT r = TabRect(i);
        if (r.right <= r.left) break;
        r.bottom -= 1;
        const bool current = i == tabIndex_;
        // A tab: slanted sides and a bottom, the selected one a little taller.
        if (!current) r.bottom -= 2;
        const POINT outline[] = {{r.left, 0}, {r.left + 3, r.bottom}, {r.right - 3, r.bottom}, {r.right, 0}};
        canvas.Brush().SetColor(current ? Color() : clBtnShadow);
        canvas.Pen().SetColor(clWindowFrame);
        canvas.Polygon(outline, 4);
        if (current) {
            canvas.Pen().SetColor(Color());
            canvas.MoveTo(r.left + 1, 0);
            canvas.LineTo(r.right, 0);
        }
        canvas.Brush().SetStyle(TBrushStyle::bsClear);
        RECT t = r;
        canvas.DrawText(tabs_->Get(i), t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    }
}

}  // namespace tv
