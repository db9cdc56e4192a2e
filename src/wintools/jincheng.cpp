#include "wintools/jincheng.h"

#include "base/CallbackGuard.h"

#include <algorithm>
#include <cwchar>

#include "base/Text.h"

namespace {
// The enumeration callback reads the filters from here; one enumeration at a time (GUI thread).
std::uint32_t gProcessFilter = 0;
std::uint32_t gThreadFilter = 0;
bool gAppWindowsOnly = false;

// The reported length is the window procedure's word: keep it inside the buffer and
// stop at the terminator it wrote.
std::string FromBuffer(const wchar_t* buffer, int reported) {
    const std::size_t n = reported > 0 ? std::min<std::size_t>(std::size_t(reported), 259) : 0;
    return text::Narrow(std::wstring_view(buffer, ::wcsnlen(buffer, n)));
}

std::string ReadClassName(HWND window) {
    wchar_t buffer[260] = {};
    return FromBuffer(buffer, ::GetClassNameW(window, buffer, 260));
}

BOOL CALLBACK AddWindow(HWND window, LPARAM param) {
    // Out of memory mid-enumeration: keep what we have and go on.
    base::Guarded([&] {
        auto& list = *reinterpret_cast<TWindowList*>(param);
        DWORD processId = 0;
        DWORD threadId = ::GetWindowThreadProcessId(window, &processId);
        if (gProcessFilter != 0 && gProcessFilter != processId) return;
        if (gThreadFilter != 0 && gThreadFilter != threadId) return;

        const bool visible = ::IsWindowVisible(window) != 0;
        HWND owner = ::GetWindow(window, GW_OWNER);
        HWND parent = ::GetParent(window);
        const bool appWindow = IsApplicationWindow(owner, parent, visible, [window] {
            return ::GetWindowLongPtrW(window, GWL_EXSTYLE);
        });
        if (gAppWindowsOnly && !appWindow) return;

        WindowRecord& r = list.emplace_back();
        r.Handle = window;
        r.Parent = parent;
        r.Owner = owner;
        r.Visible = visible;
        r.Enabled = ::IsWindowEnabled(window) != 0;
        r.AppWindow = appWindow;
        ::GetWindowRect(window, &r.Rect);
        r.Title = WindowTitle(window);
        r.ClassName = ReadClassName(window);
        r.ProcessId = processId;
        r.ThreadId = threadId;
    }, base::OnFailure::Swallow);
    return TRUE;
}
}  // namespace

std::string WindowTitle(HWND window) {
    wchar_t buffer[260] = {};
    return FromBuffer(buffer, ::GetWindowTextW(window, buffer, 260));
}

void EnumerateWindows(std::uint32_t processId, std::uint32_t threadId, bool appWindowsOnly, TWindowList& list) {
    list.clear();
    gProcessFilter = processId;
    gThreadFilter = threadId;
    gAppWindowsOnly = appWindowsOnly;
    const LPARAM param = reinterpret_cast<LPARAM>(&list);
    if (threadId != 0)
        ::EnumThreadWindows(threadId, AddWindow, param);
    else
        ::EnumWindows(AddWindow, param);
}
