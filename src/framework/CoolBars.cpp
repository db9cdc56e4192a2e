#include "framework/CoolBars.h"

#include <commctrl.h>

#include <algorithm>

#include "base/Text.h"
#include "framework/ComCtrls.h"

namespace tv {

namespace {

// Dark text on a light background, light text on a dark one.
COLORREF ReadableOn(COLORREF back) {
    const int luma = (GetRValue(back) * 299 + GetGValue(back) * 587 + GetBValue(back) * 114) / 1000;
    return luma >= 128 ? ColorToRGB(clBtnText) : RGB(255, 255, 255);
}

}  // namespace

const TClassInfo& TCoolBand::StaticClass() {
    static const TClassInfo info = DescribeClass<TCoolBand>("TCoolBand")
                                       .Str("Text", &TCoolBand::Text, &TCoolBand::SetText)
                                       .Int("Width", &TCoolBand::Width, &TCoolBand::SetWidth)
                                       .Int("MinHeight", &TCoolBand::MinHeight, &TCoolBand::SetMinHeight)
                                       .Int("Color", &TCoolBand::Color, &TCoolBand::SetColor, &ColorIdents())
                                       .Bool("Break", &TCoolBand::Break, &TCoolBand::SetBreak)
                                       .Done();
    return info;
}

void TCoolBand::SetText(const std::string& v) {
    text_ = v;
    Changed();
}

int TCoolBand::Width() const {
    if (bar_ && bar_->HandleAllocated()) {
        const int index = bar_->IndexOf(this);
        REBARBANDINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = RBBIM_SIZE;
        if (index >= 0 && ::SendMessageW(bar_->Handle(), RB_GETBANDINFOW, WPARAM(index), reinterpret_cast<LPARAM>(&info)))
            return int(info.cx);
    }
    return width_;
}

void TCoolBand::SetWidth(int v) {
    width_ = std::max(v, 0);
    Changed();
}

void TCoolBand::SetMinHeight(int v) {
    minHeight_ = std::max(v, 0);
    Changed();
}

void TCoolBand::SetColor(TColor v) {
    color_ = v;
    Changed();
}

void TCoolBand::SetBreak(bool v) {
    break_ = v;
    Changed();
}

void TCoolBand::Changed() {
    if (!bar_) return;
    const int index = bar_->IndexOf(this);
    if (index >= 0) bar_->WriteBand(index, false);
}

const TClassInfo& TCoolBar::StaticClass() {
    static const TClassInfo info = DescribeClass<TCoolBar>("TCoolBar").Done();
    return info;
}

TCoolBar::TCoolBar(TComponent* owner) : TWinControl(owner) {
    SetBoundsFields(0, 0, 150, 26);
    InitColor(clBtnFace, false);
    Brush().SetColor(clBtnFace);
}

TCoolBar::~TCoolBar() = default;

void TCoolBar::CreateParams(TCreateParams& p) {
    EnsureCommonControls();
    TWinControl::CreateParams(p);
    p.sysClassName = REBARCLASSNAMEW;
    // Our bounds, not the top of the parent: the bar is placed like any control.
    p.style |= WS_CLIPCHILDREN | RBS_VARHEIGHT | RBS_BANDBORDERS | CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE;
}

void TCoolBar::CreateWindowHandle(const TCreateParams& p) {
    TWinControl::CreateWindowHandle(p);
    for (int i = 0; i < BandCount(); ++i) WriteBand(i, true);
}

int TCoolBar::IndexOf(const TCoolBand* band) const {
    for (std::size_t i = 0; i < bands_.size(); ++i)
        if (bands_[i].get() == band) return int(i);
    return -1;
}

TCoolBand* TCoolBar::AddBand(TWinControl* control, const std::string& text, int width) {
    bands_.push_back(std::make_unique<TCoolBand>(this));
    TCoolBand* band = bands_.back().get();
    band->control_ = control;
    band->text_ = text;
    band->width_ = std::max(width, 0);
    if (control) {
        band->minHeight_ = std::max(band->minHeight_, control->Height());
        control->SetParent(this);
    }
    if (HandleAllocated()) WriteBand(BandCount() - 1, true);
    return band;
}

void TCoolBar::WriteBand(int index, bool insert) {
    if (!HandleAllocated()) return;
    TCoolBand& band = *bands_.at(std::size_t(index));
    std::wstring text = text::Widen(band.text_);
    REBARBANDINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = RBBIM_STYLE | RBBIM_TEXT | RBBIM_SIZE | RBBIM_CHILDSIZE | RBBIM_COLORS;
    info.fStyle = RBBS_GRIPPERALWAYS | (band.break_ ? RBBS_BREAK : 0);
    info.lpText = text.data();
    info.cx = UINT(band.width_);
    info.clrFore = ReadableOn(ColorToRGB(band.color_));
    info.clrBack = ColorToRGB(band.color_);
    if (TWinControl* control = band.Control()) {
        info.fMask |= RBBIM_CHILD;
        info.hwndChild = control->Handle();
        info.cxMinChild = 0;
        info.cyMinChild = UINT(band.minHeight_);
    } else {
        info.cyMinChild = UINT(band.minHeight_);
    }
    ::SendMessageW(Handle(), insert ? RB_INSERTBANDW : RB_SETBANDINFOW, insert ? WPARAM(-1) : WPARAM(index),
                   reinterpret_cast<LPARAM>(&info));
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

void TCoolBar::HandleMessage(TMessage& m) {
    if (m.Msg == WM_ERASEBKGND) {
        HDC dc = reinterpret_cast<HDC>(m.WParam);
        RECT client{};
        ::GetClientRect(Handle(), &client);
        {
            // Room the bands leave (below the last row) in the colour of the bands.
            const TColor rest = BandCount() > 0 ? bands_.front()->color_ : Color();
            OwnedBrush face(::CreateSolidBrush(ColorToRGB(rest)));
            ::FillRect(dc, &client, face.Get());
        }
        for (int i = 0; i < BandCount(); ++i) {
            RECT r{};
            if (!::SendMessageW(Handle(), RB_GETRECT, WPARAM(i), reinterpret_cast<LPARAM>(&r))) continue;
            OwnedBrush back(::CreateSolidBrush(ColorToRGB(bands_[std::size_t(i)]->color_)));
            ::FillRect(dc, &r, back.Get());
            // The line between a band and the one before it in its row.
            if (r.left > 0) {
                OwnedBrush line(::CreateSolidBrush(ColorToRGB(clBtnShadow)));
                const RECT edge{r.left, r.top, r.left + 1, r.bottom};
                ::FillRect(dc, &edge, line.Get());
            }
        }
        m.Result = 1;
        return;
    }
    TWinControl::HandleMessage(m);
}

RECT TCoolBar::BandRect(int index) {
    RECT r{};
    if (HandleAllocated()) ::SendMessageW(Handle(), RB_GETRECT, WPARAM(index), reinterpret_cast<LPARAM>(&r));
    return r;
}

}  // namespace tv
