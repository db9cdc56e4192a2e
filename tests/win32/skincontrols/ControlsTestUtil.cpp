#include "ControlsTestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <utility>
#include <vector>

#include "base/CallbackGuard.h"
#include "raster/Slices.h"
#include "skin/controls/SkinControl.h"
#include "skin/core/WinSkinData.h"

namespace skintest {

namespace {

std::map<std::pair<HWND, WORD>, int>& Commands() {
    static std::map<std::pair<HWND, WORD>, int> commands;
    return commands;
}

INT_PTR CALLBACK CountingDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    return base::Guarded<INT_PTR>(FALSE, [&]() -> INT_PTR {
        if (msg == WM_INITDIALOG) return TRUE;
        if (msg == WM_COMMAND) {
            ++Commands()[{dialog, LOWORD(wParam)}];
            return TRUE;
        }
        if (msg == WM_CLOSE) {
            ::DestroyWindow(dialog);
            return TRUE;
        }
        return FALSE;
    });
}

void AppendText(std::vector<WORD>& t, const std::wstring& s) {
    for (wchar_t c : s) t.push_back(WORD(c));
    t.push_back(0);
}

}  // namespace

bool Near(raster::Color a, raster::Color b, int tolerance) {
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance) return false;
    return true;
}

int ColourDistance(raster::Color a, raster::Color b) {
    int d = 0;
    for (int shift = 0; shift < 24; shift += 8) d += std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF));
    return d;
}

raster::Color MostCommonColour(const raster::Bitmap& shot) {
    std::vector<std::pair<raster::Color, int>> counts;
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 0; x < shot.Width(); ++x) {
            const raster::Color c = shot.GetPixel(x, y) & 0xFFFFFF;
            auto it = std::find_if(counts.begin(), counts.end(), [c](const auto& p) { return p.first == c; });
            if (it == counts.end()) counts.emplace_back(c, 1);
            else ++it->second;
        }
    auto best = std::max_element(counts.begin(), counts.end(),
                                 [](const auto& a, const auto& b) { return a.second < b.second; });
    return best == counts.end() ? 0 : best->first;
}

RequestLog::RequestLog() {
    skin::SetSkinnerRequestObserver([this](const skin::TSkinnerRequest& r) { requests_.push_back(r); });
}

RequestLog::~RequestLog() { skin::SetSkinnerRequestObserver(nullptr); }

std::vector<std::string> RequestLog::For(HWND window) const {
    std::vector<std::string> out;
    for (const auto& r : requests_)
        if (r.window == window) out.push_back(r.skinnerClass);
    return out;
}

std::vector<std::string> RequestLog::For(const tv::TControl* control) const {
    std::vector<std::string> out;
    for (const auto& r : requests_)
        if (r.control == control) out.push_back(r.skinnerClass);
    return out;
}

void InstallControlsOnce() {
    static const bool installed = [] {
        skin::InstallControlSkinning();
        return true;
    }();
    (void)installed;
}

HWND MakeButtonDialog(const std::wstring& caption, const std::vector<DialogItem>& items) {
    std::vector<WORD> t;
    auto dword = [&t](DWORD v) {
        t.push_back(LOWORD(v));
        t.push_back(HIWORD(v));
    };
    dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | WS_VISIBLE);
    dword(0);
    t.push_back(WORD(items.size()));
    for (short v : {40, 40, 260, 140}) t.push_back(WORD(v));
    t.push_back(0);  // no menu
    t.push_back(0);  // the dialog class
    AppendText(t, caption);
    t.push_back(9);
    AppendText(t, L"Tahoma");
    for (const DialogItem& item : items) {
        if (t.size() % 2) t.push_back(0);  // items start on a DWORD
        dword(WS_CHILD | WS_VISIBLE | item.style);
        dword(0);
        for (short v : {item.x, item.y, item.cx, item.cy}) t.push_back(WORD(v));
        t.push_back(item.id);
        t.push_back(0xFFFF);
        t.push_back(0x0080);  // button
        AppendText(t, item.text);
        t.push_back(0);
    }
    HWND dialog = ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr),
                                               reinterpret_cast<const DLGTEMPLATE*>(t.data()), nullptr,
                                               CountingDialogProc, 0);
    if (dialog) {
        ::SetForegroundWindow(dialog);
        PumpUntil([dialog] { return ::GetForegroundWindow() == dialog; });
    }
    return dialog;
}

int CommandCount(HWND dialog, WORD id) {
    const auto it = Commands().find({dialog, id});
    return it == Commands().end() ? 0 : it->second;
}

int ShownButtonFrame(HWND window, const skin::TSkinData& data) { return ShownButtonFrameAt(WindowRectOf(window), data); }

int ShownButtonFrameAt(const RECT& r, const skin::TSkinData& data) {
    const skin::TDataSkinButton* e = data.Buttons.get();
    if (!e || e->Bitmap.Empty()) return 0;
    const SIZE s = SizeOf(r);
    const raster::Bitmap shot = CaptureScreen(r);
    const raster::Margins m = e->Margins();
    int best = 0;
    double bestScore = 0, secondScore = 0;
    for (int frame = 1; frame <= 5; ++frame) {
        const raster::Bitmap want = raster::RenderElementImage(raster::Rect{0, 0, s.cx, s.cy}, e->Bitmap, m, false,
                                                               e->Tile != 0, 5, frame);
        int total = 0, same = 0;
        for (int y = 0; y < s.cy; ++y)
            for (int x = 0; x < s.cx; ++x) {
                const bool edge = x < m.left || y < m.top || x >= s.cx - m.right || y >= s.cy - m.bottom;
                const raster::Color c = want.GetPixel(x, y);
                if (!edge || c == raster::kKeyColor) continue;
                ++total;
                if (Near(shot.GetPixel(x, y), c, 3)) ++same;
            }
        const double score = total ? double(same) / total : 0;
        if (score > bestScore) {
            secondScore = bestScore;
            bestScore = score;
            best = frame;
        } else if (score > secondScore) {
            secondScore = score;
        }
    }
    // A frame counts only when it matches nearly everywhere and clearly better than any other.
    return bestScore > 0.95 && bestScore - secondScore > 0.02 ? best : 0;
}

void PressKey(WORD vk, bool down) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    ::SendInput(1, &in, sizeof in);
    Pump(60);
}

}  // namespace skintest
