#include "framework/StatusBars.h"

#include <commctrl.h>

#include "base/Text.h"
#include "framework/MessageCrackers.h"

namespace tv {

const TEnumInfo& StatusPanelBevelType() {
    static const TEnumInfo info = TEnumInfo::Sequential("TStatusPanelBevel", {"pbNone", "pbLowered", "pbRaised"});
    return info;
}

const TEnumInfo& StatusPanelStyleType() {
    static const TEnumInfo info = TEnumInfo::Sequential("TStatusPanelStyle", {"psText", "psOwnerDraw"});
    return info;
}

// ---- panels ----

const TClassInfo& TStatusPanel::StaticClass() {
    static const TClassInfo info =
        DescribeClass<TStatusPanel>("TStatusPanel")
            .Int("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth)
            .Str("Text", &TStatusPanel::Text, &TStatusPanel::SetText)
            .Enum("Alignment", AlignmentType(), &TStatusPanel::Alignment, &TStatusPanel::SetAlignment)
            .Default(int(TAlignment::taLeftJustify))
            .Enum("Bevel", StatusPanelBevelType(), &TStatusPanel::Bevel, &TStatusPanel::SetBevel)
            .Default(int(TStatusPanelBevel::pbLowered))
            .Enum("Style", StatusPanelStyleType(), &TStatusPanel::Style, &TStatusPanel::SetStyle)
            .Default(int(TStatusPanelStyle::psText))
            .Enum("BiDiMode", BiDiModeType(), &TStatusPanel::BiDiMode, &TStatusPanel::SetBiDiMode)
            .Default(int(TBiDiMode::bdLeftToRight))
            .Done();
    return info;
}

void TStatusPanel::SetWidth(int v) {
    if (v < 0) v = 0;
    if (v == width_) return;
    width_ = v;
    Changed();
}

void TStatusPanel::SetText(const std::string& v) {
    if (v == text_) return;
    text_ = v;
    Changed();
}

void TStatusPanel::SetAlignment(TAlignment v) {
    alignment_ = v;
    Changed();
}

void TStatusPanel::SetBevel(TStatusPanelBevel v) {
    bevel_ = v;
    Changed();
}

void TStatusPanel::SetStyle(TStatusPanelStyle v) {
    style_ = v;
    Changed();
}

void TStatusPanel::SetBiDiMode(TBiDiMode v) {
    biDiMode_ = v;
    Changed();
}

int TStatusPanel::Index() const { return bar_ ? bar_->Panels().IndexOf(this) : -1; }

void TStatusPanel::Changed() {
    if (bar_) bar_->UpdatePanels();
}

const TClassInfo& TStatusPanels::StaticClass() {
    static const TClassInfo info = DescribeClass<TStatusPanels>("TStatusPanels").Done();
    return info;
}

TStatusPanel* TStatusPanels::Add() {
    items_.push_back(std::make_unique<TStatusPanel>(bar_));
    if (bar_) bar_->UpdatePanels();
    return items_.back().get();
}

void TStatusPanels::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    items_.erase(items_.begin() + index);
    if (bar_) bar_->UpdatePanels();
}

void TStatusPanels::Clear() {
    items_.clear();
    if (bar_) bar_->UpdatePanels();
}

int TStatusPanels::IndexOf(const TStatusPanel* panel) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == panel) return int(i);
    return -1;
}

// ---- the bar ----

const TClassInfo& TCustomStatusBar::StaticClass() {
    static const TClassInfo info =
        DescribeClass<TCustomStatusBar>("TCustomStatusBar")
            .Obj<TStatusPanels>("Panels", &TCustomStatusBar::PanelsPtr, nullptr)
            .Bool("SimplePanel", &TCustomStatusBar::SimplePanel, &TCustomStatusBar::SetSimplePanel)
            .Default(0)
            .Str("SimpleText", &TCustomStatusBar::SimpleText, &TCustomStatusBar::SetSimpleText)
            .Bool("SizeGrip", &TCustomStatusBar::SizeGrip, &TCustomStatusBar::SetSizeGrip)
            .Default(1)
            .Event("OnDrawPanel", &TCustomStatusBar::OnDrawPanel)
            .Done();
    return info;
}

const TClassInfo& TStatusBar::StaticClass() {
    static const TClassInfo info = DescribeClass<TStatusBar>("TStatusBar").Done();
    return info;
}

TCustomStatusBar::TCustomStatusBar(TComponent* owner)
    : TWinControl(owner), panels_(std::make_unique<TStatusPanels>(this)) {
    SetBoundsFields(0, 0, 200, 19);
    InitColor(clBtnFace, false);
    SetAlign(TAlign::alBottom);
}

TCustomStatusBar::~TCustomStatusBar() {
    // The panels go first: nothing may tell a half-gone bar about them.
    panels_ = std::make_unique<TStatusPanels>(nullptr);
}

void TCustomStatusBar::CreateParams(TCreateParams& p) {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
        return ::InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)registered;
    TWinControl::CreateParams(p);
    p.sysClassName = STATUSCLASSNAMEW;
    // The framework places it (Align), not the window itself.
    p.style |= CCS_NOPARENTALIGN | CCS_NORESIZE;
    if (sizeGrip_) p.style |= SBARS_SIZEGRIP;
    p.classStyle &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

void TCustomStatusBar::CreateWindowHandle(const TCreateParams& p) {
    TWinControl::CreateWindowHandle(p);
    UpdatePanels();
}

void TCustomStatusBar::SetSimplePanel(bool v) {
    if (v == simplePanel_) return;
    simplePanel_ = v;
    UpdatePanels();
}

void TCustomStatusBar::SetSimpleText(const std::string& v) {
    simpleText_ = v;
    UpdateSimpleText();
}

void TCustomStatusBar::SetSizeGrip(bool v) {
    if (v == sizeGrip_) return;
    sizeGrip_ = v;
    RecreateWnd();
}

void TCustomStatusBar::UpdateSimpleText() {
    if (!HandleAllocated()) return;
    ::SendMessageW(Handle(), SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(text::Widen(simpleText_).c_str()));
}

void TCustomStatusBar::UpdatePanels() {
    if (!HandleAllocated()) return;
    HWND wnd = Handle();
    ::SendMessageW(wnd, SB_SIMPLE, simplePanel_ || panels_->Count() == 0, 0);
    UpdateSimpleText();
    const int count = panels_->Count();
    if (count == 0) return;
    // Right edges; the last panel reaches the bar's end.
    std::vector<int> edges(std::size_t(count), 0);
    int x = 0;
    for (int i = 0; i < count; ++i) {
        x += panels_->Items(i)->Width();
        edges[std::size_t(i)] = i == count - 1 ? -1 : x;
    }
    ::SendMessageW(wnd, SB_SETPARTS, WPARAM(count), reinterpret_cast<LPARAM>(edges.data()));
    for (int i = 0; i < count; ++i) {
        const TStatusPanel* panel = panels_->Items(i);
        WPARAM how = WPARAM(i);
        if (panel->Bevel() == TStatusPanelBevel::pbNone) how |= SBT_NOBORDERS;
        else if (panel->Bevel() == TStatusPanelBevel::pbRaised) how |= SBT_POPOUT;
        if (panel->BiDiMode() != TBiDiMode::bdLeftToRight) how |= SBT_RTLREADING;
        if (panel->Style() == TStatusPanelStyle::psOwnerDraw) {
            ::SendMessageW(wnd, SB_SETTEXTW, how | SBT_OWNERDRAW, reinterpret_cast<LPARAM>(panel));
            continue;
        }
        // A tab before the text centres it, two put it at the right.
        std::wstring text = text::Widen(panel->Text());
        if (panel->Alignment() == TAlignment::taCenter) text = L"\t" + text;
        else if (panel->Alignment() == TAlignment::taRightJustify) text = L"\t\t" + text;
        ::SendMessageW(wnd, SB_SETTEXTW, how, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void TCustomStatusBar::HandleMessage(TMessage& m) {
    if (m.Msg == CN_DRAWITEM) {
        auto* item = StructFromLParam<DRAWITEMSTRUCT>(m);
        if (item && item->itemID < UINT(panels_->Count()) && OnDrawPanel)
            OnDrawPanel(this, panels_->Items(int(item->itemID)), item->hDC, item->rcItem);
        m.Result = 1;
        return;
    }
    TWinControl::HandleMessage(m);
}

}  // namespace tv
