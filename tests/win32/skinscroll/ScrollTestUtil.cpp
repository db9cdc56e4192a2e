#include "ScrollTestUtil.h"

#include <string>

#include "../skinforms/SkinFormTestUtil.h"

namespace skintest {

bool ReloadSkin(skin::TSkinData& data, const std::string& name) {
    std::wstring resource = L"SKIN_";
    for (char c : name) resource += wchar_t(c >= 'a' && c <= 'z' ? c - 32 : c);
    HRSRC info = ::FindResourceW(nullptr, resource.c_str(), MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (!info) return false;
    const auto* bytes = static_cast<const std::uint8_t*>(::LockResource(::LoadResource(nullptr, info)));
    const DWORD size = ::SizeofResource(nullptr, info);
    tv::TMemoryStream stored;
    stored.WriteInt32(std::int32_t(size));
    stored.WriteBuffer(bytes, size);
    stored.Seek(0, 0);
    data.ReadSkinStream(stored);
    return !data.SkinEmpty;
}

void FillList(tv::TListBox& list, int count) {
    list.Items().Clear();
    for (int i = 0; i < count; ++i) list.Items().Add("Row " + std::to_string(i));
}

tv::TListBox* MakeList(tv::TForm& form, int count, int left, int top, int width, int height) {
    auto* list = new tv::TListBox(&form);
    list->SetParent(&form);
    list->SetBounds(left, top, width, height);
    list->Handle();
    FillList(*list, count);
    return list;
}

SCROLLBARINFO BarInfo(HWND wnd, LONG objectId) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    if (!::GetScrollBarInfo(wnd, objectId, &info)) info.rcScrollBar = RECT{};
    return info;
}

bool BarVisible(HWND wnd, LONG objectId) {
    const SCROLLBARINFO info = BarInfo(wnd, objectId);
    return !(info.rgstate[0] & STATE_SYSTEM_INVISIBLE) && info.rcScrollBar.right > info.rcScrollBar.left;
}

int TopIndex(HWND list) { return int(::SendMessageW(list, LB_GETTOPINDEX, 0, 0)); }

void ClickQueued(POINT p) {
    MoveMouseTo(p);
    // The press and release carry the place themselves: Wine may hand a bare button event
    // the pointer's previous place.
    INPUT in[2] = {};
    for (INPUT& i : in) {
        i.type = INPUT_MOUSE;
        i.mi.dx = LONG((p.x * 65535.0) / (::GetSystemMetrics(SM_CXSCREEN) - 1) + 0.5);
        i.mi.dy = LONG((p.y * 65535.0) / (::GetSystemMetrics(SM_CYSCREEN) - 1) + 0.5);
    }
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(2, in, sizeof in[0]);
    Pump(150);
}

std::set<raster::Color> ColoursIn(const raster::Bitmap& image, const RECT& part) {
    std::set<raster::Color> out;
    for (int y = part.top; y < part.bottom; ++y)
        for (int x = part.left; x < part.right; ++x) {
            const raster::Color c = image.GetPixel(x, y) & 0xFFFFFF;
            if (c != raster::kKeyColor) out.insert(c);
        }
    return out;
}

std::set<raster::Color> CellColours(const raster::Bitmap& strip, int count, int frame) {
    const int w = strip.Width() / count;
    return ColoursIn(strip, RECT{(frame - 1) * w, 0, frame * w, strip.Height()});
}

raster::Color CellCentre(const raster::Bitmap& strip, int count, int frame) {
    const int w = strip.Width() / count;
    return strip.GetPixel((frame - 1) * w + w / 2, strip.Height() / 2) & 0xFFFFFF;
}

bool Within(const std::set<raster::Color>& part, const std::set<raster::Color>& allowed) {
    for (raster::Color c : part)
        if (!allowed.count(c)) return false;
    return true;
}

namespace {
struct ClassCount {
    const wchar_t* name;
    int count;
};
BOOL CALLBACK CountOne(HWND wnd, LPARAM lp) {
    auto* c = reinterpret_cast<ClassCount*>(lp);
    wchar_t buf[64] = {};
    ::GetClassNameW(wnd, buf, 64);
    if (std::wstring(buf) == c->name) ++c->count;
    return TRUE;
}
}  // namespace

int CountChildren(HWND parent, const wchar_t* className) {
    ClassCount c{className, 0};
    ::EnumChildWindows(parent, CountOne, reinterpret_cast<LPARAM>(&c));
    return c.count;
}

}  // namespace skintest
