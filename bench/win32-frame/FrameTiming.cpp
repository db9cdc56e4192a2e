// The skinned frame's repaint against the stock one on the same window, and the cost of
// cutting its region, and a resize step (new region, frame repainted) against a move that
// keeps the size, in one run. A plain overlapped window, skinned as a bare window.
#include <windows.h>

#include <cstdio>
#include <functional>

#include "framework/Application.h"
#include "skin/core/WinSkinData.h"
#include "skin/core/WinSkinDlg.h"
#include "skin/forms/WinSkinForm.h"

namespace {

double Microseconds(const std::function<void()>& work, int rounds) {
    LARGE_INTEGER f, a, b;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&a);
    for (int i = 0; i < rounds; ++i) work();
    ::GdiFlush();
    ::QueryPerformanceCounter(&b);
    return double(b.QuadPart - a.QuadPart) * 1e6 / double(f.QuadPart) / rounds;
}

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
}

std::unique_ptr<skin::TSkinData> Daylight() {
    HRSRC info = ::FindResourceW(nullptr, L"SKIN_DAYLIGHT", MAKEINTRESOURCEW(10));
    if (!info) return nullptr;
    const void* bytes = ::LockResource(::LoadResource(nullptr, info));
    const DWORD size = ::SizeofResource(nullptr, info);
    tv::TMemoryStream stored;
    stored.WriteInt32(std::int32_t(size));
    stored.WriteBuffer(bytes, size);
    stored.Seek(0, 0);
    auto data = std::make_unique<skin::TSkinData>(nullptr);
    data->ReadSkinStream(stored);
    return data;
}

}  // namespace

int main() {
    tv::InitFramework();
    auto data = Daylight();
    if (!data || data->SkinEmpty) {
        std::printf("no skin\n");
        return 1;
    }
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"TvFrameTiming";
    ::RegisterClassW(&wc);
    const int rounds = 400;
    // One step: the window one pixel wider or narrower (or moved by one pixel), repainted.
    auto stepper = [](HWND wnd, SIZE size, bool resize) {
        int i = 0;
        return [=]() mutable {
            const int d = ++i & 1;
            if (resize)
                ::SetWindowPos(wnd, nullptr, 0, 0, size.cx + d, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            else
                ::SetWindowPos(wnd, nullptr, 20 + d, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            ::RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        };
    };
    for (SIZE size : {SIZE{480, 360}, SIZE{1024, 768}}) {
        HWND wnd = ::CreateWindowExW(0, wc.lpszClassName, L"Frame timing", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20,
                                     size.cx, size.cy, nullptr, nullptr, wc.hInstance, nullptr);
        ::SetForegroundWindow(wnd);
        Pump();
        const double stock = Microseconds([&] { ::SendMessageW(wnd, WM_NCPAINT, 1, 0); }, rounds);
        const double stockResize = Microseconds(stepper(wnd, size, true), 100);
        ::SetWindowPos(wnd, nullptr, 20, 20, size.cx, size.cy, SWP_NOZORDER);
        Pump();
        skin::TWinSkinForm skinner(nullptr, wnd);
        skinner.AttachWindow(data.get());
        ::SendMessageW(wnd, skin::SKM_ACTIVATESKIN, 0, 1000);
        Pump();
        const double skinned = Microseconds([&] { ::SendMessageW(wnd, WM_NCPAINT, 1, 0); }, rounds);
        const double region = Microseconds([&] { skinner.SkinChanged(); }, 50);
        std::printf("%4ldx%-4ld frame repaint: stock %7.1f us, skinned %7.1f us (x%.1f); re-skin with region %7.1f us\n",
                    size.cx, size.cy, stock, skinned, skinned / stock, region);
        int builds = skinner.RegionBuilds();
        const double resize = Microseconds(stepper(wnd, size, true), 100);
        const int resizeBuilds = skinner.RegionBuilds() - builds;
        builds = skinner.RegionBuilds();
        const double move = Microseconds(stepper(wnd, size, false), 100);
        const int moveBuilds = skinner.RegionBuilds() - builds;
        std::printf("%4ldx%-4ld resize step: stock %7.1f us, skinned %7.1f us (%d regions in 100 steps); "
                    "move step skinned %7.1f us (%d regions in 100)\n",
                    size.cx, size.cy, stockResize, resize, resizeBuilds, move, moveBuilds);
        skinner.Unskin();
        ::DestroyWindow(wnd);
    }
    return 0;
}
