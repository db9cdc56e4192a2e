// A snapshot of the desktop's top-level windows, optionally limited to one
// process, one thread, or application windows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct WindowRecord {
    std::uint32_t ProcessId = 0;
    std::uint32_t ThreadId = 0;
    HWND Handle = nullptr;
    HWND Parent = nullptr;
    HWND Owner = nullptr;
    bool Visible = false;
    bool Enabled = false;
    bool AppWindow = false;
    RECT Rect{};
    std::string Title;      // UTF-8, at most 259 UTF-16 units of window text
    std::string ClassName;  // UTF-8, at most 259 UTF-16 units
};

using TWindowList = std::vector<WindowRecord>;

// A window a user would call a program's main window. The extended style is
// only consulted when the first three conditions hold, so it is passed lazily.
template <typename ExStyleQuery>
bool IsApplicationWindow(HWND owner, HWND parent, bool visible, ExStyleQuery exStyle) {
    return owner == nullptr && parent == nullptr && visible && (exStyle() & WS_EX_TOOLWINDOW) == 0;
}

// The window text as listed: UTF-8, at most 259 UTF-16 units.
std::string WindowTitle(HWND window);

// Filters of 0 mean "any". Replaces the list's contents; records come in the
// order the system enumerates the windows.
void EnumerateWindows(std::uint32_t processId, std::uint32_t threadId, bool appWindowsOnly, TWindowList& list);
