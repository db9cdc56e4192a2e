// From creating Tovalin's main window to its first painted frame, skinned against
// unskinned (no form skinning installed: the manager finds nothing to skin with), in one
// run, alternating, so that both see the same machine. The first round of each warms
// caches and is left out.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/Unit1.h"
#include "skin/core/WinSkinDlg.h"
#include "skin/forms/WinSkinForm.h"

namespace {

double Now() {
    LARGE_INTEGER f, c;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&c);
    return double(c.QuadPart) * 1e3 / double(f.QuadPart);
}

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// Milliseconds from CreateForm to the window shown, (skinned,) and painted.
double OneStart(bool skinned) {
    if (skinned)
        skin::InstallFormSkinning();
    else
        skin::SetFormSkinnerFactory(nullptr);
    const double start = Now();
    tv::Application->CreateForm(Form1);
    const double created = Now();
    Form1->Show();
    const double shown = Now();
    HWND wnd = Form1->Handle();
    for (int i = 0; i < 2000; ++i) {
        Pump();
        skin::TSkinManage* m = skin::SkinManager();
        skin::TFormSkinner* s = m ? m->FindFormSkinner(wnd) : nullptr;
        if (!skinned || (s && s->SkinState() == skin::kSkinSkinned)) break;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    ::RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ::GdiFlush();
    const double ms = Now() - start;
    if (std::getenv("TV_PHASES"))
        std::printf("%s: create %.1f, show %.1f, rest %.1f ms\n", skinned ? "skinned" : "plain", created - start,
                    shown - created, ms - (shown - start));
    delete Form1;
    Form1 = nullptr;
    Hotkeys.reset();
    Pump();
    return ms;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main() {
    tv::InitFramework();
    tv::RegisterFrameworkClasses();
    const int rounds = 12;
    std::vector<double> skinned, plain;
    for (int i = 0; i < rounds; ++i) {
        const double a = OneStart(true);
        const double b = OneStart(false);
        if (i == 0) continue;
        skinned.push_back(a);
        plain.push_back(b);
    }
    std::printf("main window to first painted frame, median of %d: skinned %.1f ms, unskinned %.1f ms (%+.1f ms)\n",
                rounds - 1, Median(skinned), Median(plain), Median(skinned) - Median(plain));
    skin::FreeSkinManager();
    tv::DoneFramework();
    return 0;
}
