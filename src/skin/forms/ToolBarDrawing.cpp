#include "skin/forms/ToolBarDrawing.h"

#include <algorithm>
#include <vector>

#include "framework/ToolBars.h"
#include "skin/core/FormSkinner.h"
#include "skin/core/WinSkinData.h"
#include "skin/forms/ChildSkinner.h"
#include "skin/forms/DrawPrimitives.h"

namespace skin {

namespace {

constexpr int kButtonFrames = 5;

struct Installed {
    tv::WeakPtr<tv::TToolBar> bar;
    const TSkinnerHost* host;
    bool button;
    bool background;
};

// The tool bars whose handlers are ours, on the thread that skins them.
std::vector<Installed>& InstalledList() {
    static std::vector<Installed> list;
    return list;
}

bool FormSkinned(TSkinnerHost& host) {
    auto* fs = dynamic_cast<TFormSkinner*>(host.HostComponent());
    return fs && fs->SkinState() == kSkinSkinned;
}

// Frame of the "Buttons" strip for a button's state: pressed 2, hot or focused 4, a
// default one 1; 0 draws nothing (the bar is flat there).
int FrameOf(tv::TCustomDrawState s) {
    using S = tv::TCustomDrawStateItem;
    if (s.Contains(S::cdsSelected)) return 2;
    if (s.Contains(S::cdsFocused) || s.Contains(S::cdsHot)) return 4;
    if (!s.Contains(S::cdsGrayed) && !s.Contains(S::cdsDisabled) && s.Contains(S::cdsDefault)) return 1;
    return 0;
}

void DrawButton(TSkinnerHost& host, tv::TToolBar* bar, tv::TToolButton* button, tv::TCustomDrawState state) {
    TSkinData* data = host.SkinData();
    if (!data || !FormSkinned(host) || data->Options.Contains(TSkinOption::xoToolbarButton)) return;
    const TDataSkinButton* e = data->Buttons.get();
    const int frame = FrameOf(state);
    if (!e) return;
    // An idle button shows the bar's face: its caption takes the skin's text colour, or it
    // would be the system's on a face that may be dark.
    if (frame == 0) {
        const bool off = state.Contains(tv::TCustomDrawStateItem::cdsDisabled) ||
                         state.Contains(tv::TCustomDrawStateItem::cdsGrayed);
        if (off) bar->Canvas().Font().SetColor(data->SkinColors.ButtonShadow);
        else bar->Canvas().Font().SetColor(e->HasNormalColour2 ? e->NormalColour2 : data->SkinColors.ButtonText);
        return;
    }
    if (frame == 1 && e->HasNormalColour2) bar->Canvas().Font().SetColor(e->NormalColour2);
    if (frame == 4 && e->HasMouseOverColour2) bar->Canvas().Font().SetColor(e->MouseOverColour2);
    if (frame == 2 && e->HasPressedColour2) bar->Canvas().Font().SetColor(e->PressedColour2);
    if (e->Bitmap.Empty()) return;
    RECT r = bar->ButtonRect(button);
    ::InflateRect(&r, -1, -1);
    DrawElementImage(bar->Canvas().Handle(), r, e->Bitmap, false, false, e->Trans != 0,
                     e->Frame > 0 ? e->Frame : kButtonFrames, frame, e->Margins());
}

void DrawBackground(TSkinnerHost& host, tv::TToolBar* bar, const RECT& r) {
    TSkinData* data = host.SkinData();
    if (!data || !FormSkinned(host) || data->Options.Contains(TSkinOption::xoToolbarBK)) return;
    if (!data->ToolbarFace || data->ToolbarFace->Bitmap.Empty()) return;
    HDC dc = bar->Canvas().Handle();
    const int old = ::SetStretchBltMode(dc, COLORONCOLOR);
    DrawStripImage(dc, r, data->ToolbarFace->Bitmap, false, 1, 1);
    ::SetStretchBltMode(dc, old);
}

}  // namespace

void InstallToolBarDrawing(TSkinnerHost& host, tv::TToolBar& bar) {
    auto& list = InstalledList();
    for (const Installed& i : list)
        if (i.bar.Get() == &bar && i.host == &host) return;
    Installed entry{tv::WeakPtr<tv::TToolBar>(&bar), &host, false, false};
    // A tool bar that draws its buttons or background itself keeps doing so.
    if (!bar.OnCustomDrawButton) {
        bar.OnCustomDrawButton = [&host](tv::TToolBar* sender, tv::TToolButton* button, tv::TCustomDrawState state,
                                         bool&) { DrawButton(host, sender, button, state); };
        entry.button = true;
    }
    if (!bar.OnCustomDraw) {
        bar.OnCustomDraw = [&host](tv::TToolBar* sender, const RECT& r, bool&) { DrawBackground(host, sender, r); };
        entry.background = true;
    }
    if (entry.button || entry.background) list.push_back(entry);
    if (bar.HandleAllocated()) ::InvalidateRect(bar.Handle(), nullptr, TRUE);
}

void RemoveToolBarDrawing(TSkinnerHost& host) {
    auto& list = InstalledList();
    for (const Installed& i : list) {
        if (i.host != &host) continue;
        if (tv::TToolBar* bar = i.bar.Get()) {
            if (i.button) bar->OnCustomDrawButton = {};
            if (i.background) bar->OnCustomDraw = {};
            if (bar->HandleAllocated()) ::InvalidateRect(bar->Handle(), nullptr, TRUE);
        }
    }
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](const Installed& i) { return i.host == &host || !i.bar.Get(); }),
               list.end());
}

bool HasToolBarDrawing(const TSkinnerHost& host, const tv::TToolBar& bar, bool background) {
    for (const Installed& i : InstalledList())
        if (i.host == &host && i.bar.Get() == &bar) return background ? i.background : i.button;
    return false;
}

}  // namespace skin
