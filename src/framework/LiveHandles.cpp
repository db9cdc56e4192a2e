#include "framework/LiveHandles.h"

#include <windows.h>

#include "base/Handles.h"
#include "raster/LiveSections.h"

namespace tv {

namespace {
BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<long*>(count);
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND w, LPARAM count) {
    ++*reinterpret_cast<long*>(count);
    ::EnumChildWindows(w, &CountChild, count);
    return TRUE;
}
}  // namespace

TLiveHandles CountLiveHandles() {
    TLiveHandles c;
    c.gdi = base::OwnedGdiObject<HBITMAP>::Live() + base::OwnedGdiObject<HBRUSH>::Live() +
            base::OwnedGdiObject<HFONT>::Live() + base::OwnedGdiObject<HPEN>::Live() +
            base::OwnedGdiObject<HRGN>::Live() + base::OwnedGdiObject<HGDIOBJ>::Live() +
            base::OwnedGdiObject<HPALETTE>::Live() + raster::LiveDibSections();
    c.menus = base::OwnedMenu::Live() + base::OwnedIcon::Live();
    ::EnumThreadWindows(::GetCurrentThreadId(), &CountTopLevel, reinterpret_cast<LPARAM>(&c.windows));
    return c;
}

}  // namespace tv
