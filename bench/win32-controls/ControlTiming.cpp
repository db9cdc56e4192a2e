// A skinned push button's repaint against the stock button's own, and 1,000 wheel steps
// through a list box with skinned and with stock scroll bars, in one run. The same form is
// measured stock first, then skinned.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <memory>

#include "framework/Framework.h"
#include "skin/controls/SkinControl.h"
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

struct Figures {
    double button = 0, wheel = 0;
    int topAfterTen = 0;
};

// One round: the button repainted 400 times, the list turned by 1,000 wheel steps (down,
// then back up), each step painted.
Figures Measure(tv::TButton& button, tv::TListBox& list) {
    Figures f;
    f.button = Microseconds([&] { ::RedrawWindow(button.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); }, 400);
    int step = 0;
    f.wheel = Microseconds(
        [&] {
            const short delta = (step++ / 50) % 2 ? WHEEL_DELTA : -WHEEL_DELTA;
            ::SendMessageW(list.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(300, 300));
            ::UpdateWindow(list.Handle());
            Pump();
        },
        1000);
    // The wheel really scrolls: ten steps down move the top line.
    ::SendMessageW(list.Handle(), LB_SETTOPINDEX, 0, 0);
    for (int i = 0; i < 10; ++i) ::SendMessageW(list.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(300, 300));
    f.topAfterTen = int(::SendMessageW(list.Handle(), LB_GETTOPINDEX, 0, 0));
    ::SendMessageW(list.Handle(), LB_SETTOPINDEX, 0, 0);
    return f;
}

}  // namespace

int main() {
    tv::InitFramework();
    skin::InstallFormSkinning();
    skin::InstallControlSkinning();
    auto data = Daylight();
    if (!data || data->SkinEmpty) {
        std::printf("no skin\n");
        return 1;
    }
    auto* form = tv::CreateComponent<tv::TForm>(tv::Application);
    form->SetBounds(40, 40, 480, 420);
    auto* button = new tv::TButton(form);
    button->SetParent(form);
    button->SetBounds(20, 20, 120, 30);
    button->SetCaption("Repaint me");
    auto* list = new tv::TListBox(form);
    list->SetParent(form);
    list->SetBounds(20, 70, 300, 300);
    for (int i = 0; i < 400; ++i) list->Items().Add("Line " + std::to_string(i));
    form->Show();
    ::SetForegroundWindow(form->Handle());
    Pump();
    const Figures stock = Measure(*button, *list);
    {
        skin::TWinSkinForm skinner(nullptr, form->Handle());
        skinner.AttachForm(data.get(), form);
        ::SendMessageW(form->Handle(), skin::SKM_ACTIVATESKIN, 0, 1000);
        Pump();
        const Figures skinned = Measure(*button, *list);
        std::printf("push button repaint: stock %7.1f us, skinned %7.1f us (x%.2f)\n", stock.button, skinned.button,
                    skinned.button / stock.button);
        std::printf("1000 wheel steps:    stock %7.1f ms, skinned %7.1f ms (x%.2f); top line after ten steps %d / %d\n",
                    stock.wheel, skinned.wheel, skinned.wheel / stock.wheel, stock.topAfterTen, skinned.topAfterTen);
        skinner.Unskin();
    }
    delete form;
    tv::DoneFramework();
    return 0;
}
