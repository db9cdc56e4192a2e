#include "skin/controls/TabSetSkinners.h"

#include <commctrl.h>

#include <algorithm>

#include "base/CallbackGuard.h"
#include "base/Text.h"
#include "framework/PropAccess.h"
#include "framework/Strings.h"
#include "skin/controls/RangeSkinners.h"
#include "skin/core/WinSkinData.h"
#include "skin/forms/DrawPrimitives.h"

namespace skin {

namespace {

constexpr int kTabFrames = 5;
constexpr int kTabPadding = 9;     // a tab is its caption and this much more
constexpr int kScrollerRoom = 21;  // a tab leaves this much before the end when the scroller shows

bool ShowingWindow(const tv::TWinControl* c) {
    return c && const_cast<tv::TWinControl*>(c)->HandleAllocated() &&
           ::IsWindowVisible(const_cast<tv::TWinControl*>(c)->Handle());
}

// An up-down child window skinned once by a skinner the control owns.
TChildSkinner* SkinArrows(TSkinControl& s, HWND arrows, TChildSkinner* current, bool horizontal) {
    if (current || !arrows) return current;
    tv::TComponent* owner = s.Control() ? static_cast<tv::TComponent*>(s.Control()) : &s;
    TChildSkinner* made = CreateChildSkinner("TSkinUpDown", owner);
    if (!made) return nullptr;
    if (auto* upDown = dynamic_cast<TSkinUpDown*>(made)) upDown->Horizontal = horizontal;
    made->AttachWindow(arrows, s.SkinData, s.FormSkinner(), s.Canvas);
    return made;
}

// A caption centred in a tab (a pixel above the middle), in the canvas's font and the
// colour the tab's state asks for; a disabled tab set's in the shadow colour.
void DrawTabText(const TSkinControl& s, tv::TCanvas& canvas, const RECT& r, const std::wstring& caption,
                 tv::TColor colour) {
    HDC dc = canvas.Handle();
    tv::SelectScope font(dc, canvas.Font().Handle());
    RECT t = r;
    DrawTextWide(dc, caption, t, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP);
    const int th = t.bottom - t.top;
    RECT at{r.left, r.top + (r.bottom - r.top - th) / 2 - 1, r.right, 0};
    at.bottom = at.top + th;
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF old = ::SetTextColor(dc, tv::ColorToRGB(s.Enabled ? colour : tv::clBtnShadow));
    DrawTextWide(dc, caption, at, TextFlags(s, DT_CENTER | DT_SINGLELINE | DT_NOCLIP));
    ::SetTextColor(dc, old);
    ::SetBkMode(dc, oldMode);
}

}  // namespace

// ---- tab sets ------------------------------------------------------------------------------

const tv::TClassInfo& TSkinTab31::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TSkinTab31>("TSkinTab31").Done();
    return info;
}

TSkinTab31::TSkinTab31(tv::TComponent* owner) : TSkinControl(owner) {}

TSkinTab31::~TSkinTab31() = default;

void TSkinTab31::AttachControl(TSkinnerHost* formSkinner, TSkinData* data, bool, tv::TCanvas* canvas) {
    if (Attached) return;
    auto* control = dynamic_cast<tv::TWinControl*>(Owner());
    if (!control) return;
    BindControl(*control);
    TSkinControl::AttachWindow(control->Handle(), data, formSkinner, canvas);
    if (!Attached) return;
    PrepareImage();
    // The scroller is the tab set's first component.
    if (control->ComponentCount() > 0)
        if (auto* scroller = dynamic_cast<tv::TWinControl*>(control->Components(0))) {
            Scroller = scroller;
            UpDown = SkinArrows(*this, scroller->Handle(), UpDown, true);
        }
}

void TSkinTab31::RefreshSkin() {
    TSkinControl::RefreshSkin();
    PrepareImage();
}

void TSkinTab31::PrepareImage() {
    raster::Bitmap tab;
    if (SkinData && SkinData->Tabs && !SkinData->Tabs->Bitmap.Empty()) {
        tab = SkinData->Tabs->Bitmap.Clone();
        FlipVertical(tab);
    }
    TabImage.SetBitmap(std::move(tab));
}

bool TSkinTab31::BeforeMessage(tv::TMessage& m) {
    switch (m.Msg) {
        case WM_PAINT:
            // The skin is the whole picture: the control's own painting would only be drawn over.
            PaintOnMessage(*this, m);
            return false;
        case WM_ERASEBKGND:
            m.Result = 1;
            return false;
        default: return TSkinControl::BeforeMessage(m);
    }
}

void TSkinTab31::DrawSkin(HDC dc, const RECT& rect) {
    tv::TControl* control = Control();
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (!control || !SkinData || w <= 0 || h <= 0) return;
    tv::TBitmap image;
    image.SetPixelFormat(raster::PixelFormat::Bgr24);
    image.SetSize(w, h);
    tv::TCanvas& canvas = image.Canvas();
    FillSkinFace(canvas.Handle(), RECT{0, 0, w, h});
    if (auto* font = dynamic_cast<tv::TFont*>(tv::GetObjectPropByName(control, "Font", "TFont")))
        canvas.Font().Assign(*font);
    Enabled = control->Enabled();

    auto* tabs = dynamic_cast<tv::TStrings*>(tv::GetObjectPropByName(control, "Tabs", "TStrings"));
    const TDataSkinBorder* element = SkinData->Tabs.get();
    if (tabs && element && !TabImage.Empty()) {
        const int first = std::max<int>(0, int(tv::GetIntPropByName(control, "FirstIndex")));
        const int current = int(tv::GetIntPropByName(control, "TabIndex"));
        const int start = std::max<int>(0, int(tv::GetIntPropByName(control, "StartMargin")));
        const int available = w - std::max<int>(0, int(tv::GetIntPropByName(control, "EndMargin")));
        const int need = ShowingWindow(Scroller) ? kScrollerRoom : kTabPadding;
        // The image is upside down: so are its margins.
        raster::Margins margins = element->Margins();
        std::swap(margins.top, margins.bottom);
        int x = start;
        for (int i = first; i < tabs->Count(); ++i) {
            const std::wstring caption = text::Widen(tabs->Get(i));
            const int width = canvas.TextWidth(tabs->Get(i));  // in the tab set's font
            if (x + width + need > available) break;
            const RECT r{x, 0, x + width + kTabPadding, h};
            DrawElementImage(canvas.Handle(), r, TabImage.Pixels(), false, element->Tile != 0, element->Trans == 1,
                             kTabFrames, i == current ? 2 : 1, margins);
            DrawTabText(*this, canvas, r, caption, i == current ? element->MouseOverColour2 : element->NormalColour2);
            x += width + kTabPadding;
        }
    }
    tv::DCStateScope state(dc);
    if (ShowingWindow(Scroller)) {
        // The scroller paints itself.
        RECT a{};
        ::GetWindowRect(Scroller->Handle(), &a);
        ::MapWindowPoints(nullptr, Handle, reinterpret_cast<POINT*>(&a), 2);
        ::ExcludeClipRect(dc, a.left, a.top, a.right, a.bottom);
    }
    ::BitBlt(dc, rect.left, rect.top, w, h, canvas.Handle(), 0, 0, SRCCOPY);
}

// ---- page controls of other sets -----------------------------------------------------------

const tv::TClassInfo& TSkinAdvPage::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TSkinAdvPage>("TSkinAdvPage").Done();
    return info;
}

TSkinAdvPage::TSkinAdvPage(tv::TComponent* owner) : TSkinControl(owner) {}

void TSkinAdvPage::SetVariant(int variant) {
    TSkinControl::SetVariant(variant);
    Kind = variant;
}

void TSkinAdvPage::AttachControl(TSkinnerHost* formSkinner, TSkinData* data, bool recolor, tv::TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::AttachControl(formSkinner, data, recolor, canvas);
    if (Attached) InjectTabBackgrounds();
}

void TSkinAdvPage::InjectTabBackgrounds() {
    tv::TControl* control = Control();
    if (Kind != 4 || !control || !SkinData || !SkinData->Tabs || SkinData->Tabs->Bitmap.Empty()) return;
    const TDataSkinBorder& tabs = *SkinData->Tabs;
    const char* names[] = {"TabBackGround", "TabBackGroundActive"};
    for (int frame = 1; frame <= 2; ++frame) {
        auto* target = dynamic_cast<tv::TBitmap*>(tv::GetObjectPropByName(control, names[frame - 1], "TBitmap"));
        if (!target) continue;
        target->SetBitmap(raster::RenderElementImage({0, 0, kTabWidth, kTabHeight}, tabs.Bitmap, tabs.Margins(), false,
                                                     tabs.Tile != 0, kTabFrames, frame));
    }
    control->Invalidate();
}

void TSkinAdvPage::Detach() {
    if (tv::TControl* control = Control()) {
        for (const char* name : {"TabBackGround", "TabBackGroundActive"})
            if (auto* target = dynamic_cast<tv::TBitmap*>(tv::GetObjectPropByName(control, name, "TBitmap")))
                target->SetBitmap(raster::Bitmap{});
        control->Invalidate();
    }
    TSkinControl::Detach();
}

void TSkinAdvPage::RefreshSkin() {
    TSkinControl::RefreshSkin();
    InjectTabBackgrounds();
}

void TSkinAdvPage::DrawSkin(HDC, const RECT&) {
    if (Handle) UpDown = SkinArrows(*this, ::FindWindowExW(Handle, nullptr, UPDOWN_CLASSW, nullptr), UpDown, false);
}

void RegisterTabSetSkinners() {
    RegisterChildSkinner("TSkinTab31", [](tv::TComponent* owner) -> TChildSkinner* { return new TSkinTab31(owner); });
    RegisterChildSkinner("TSkinAdvPage",
                         [](tv::TComponent* owner) -> TChildSkinner* { return new TSkinAdvPage(owner); });
}

}  // namespace skin
