#include "framework/Frames.h"

namespace tv {

const TClassInfo& TCustomFrame::StaticClass() {
    static const TClassInfo info =
        DescribeClass<TCustomFrame>("TCustomFrame")
            .Bool("ParentBackground", &TCustomFrame::ParentBackground, &TCustomFrame::SetParentBackground)
            .Default(1)
            .Done();
    return info;
}

const TClassInfo& TFrame::StaticClass() {
    static const TClassInfo info = DescribeClass<TFrame>("TFrame").Done();
    return info;
}

TCustomFrame::TCustomFrame(TComponent* owner) : TCustomControl(owner) {
    SetBoundsFields(0, 0, 320, 240);
    InitColor(clBtnFace, true);
    Brush().SetColor(clBtnFace);
}

TFrame::TFrame(TComponent* owner) : TCustomFrame(owner) {}

void TCustomFrame::SetParentBackground(bool v) {
    if (v == parentBackground_) return;
    parentBackground_ = v;
    Invalidate();
}

void TCustomFrame::CreateParams(TCreateParams& p) {
    TCustomControl::CreateParams(p);
    p.style |= WS_CLIPCHILDREN;
    p.exStyle |= WS_EX_CONTROLPARENT;  // Tab goes on into the frame's controls
}

void TCustomFrame::HandleMessage(TMessage& m) {
    if (m.Msg == WM_ERASEBKGND && parentBackground_ && Parent() && Parent()->HandleAllocated()) {
        // The parent erases the part the frame covers, as if the frame were not there.
        HDC dc = reinterpret_cast<HDC>(m.WParam);
        HWND parent = Parent()->Handle();
        POINT at{0, 0};
        ::MapWindowPoints(Handle(), parent, &at, 1);
        POINT old{};
        ::OffsetViewportOrgEx(dc, -at.x, -at.y, &old);
        ::SendMessageW(parent, WM_ERASEBKGND, m.WParam, 0);
        ::SetViewportOrgEx(dc, old.x, old.y, nullptr);
        m.Result = 1;
        return;
    }
    TCustomControl::HandleMessage(m);
}

}  // namespace tv
