// The real answers on Windows.
#include "base/System.h"

#include <windows.h>

#include <string>

#include "base/Text.h"

namespace sys {
namespace detail { MessageObserver& Observer(); }

namespace {
// A message without its own caption bears the program's name, as the application's title does.
std::wstring ProgramTitle() {
    wchar_t path[MAX_PATH];
    const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name(path, n);
    name.erase(0, name.find_last_of(L"\\/") + 1);
    const auto dot = name.rfind(L'.');
    if (dot != std::wstring::npos && dot > 0) name.erase(dot);
    return name;
}
}  // namespace

ColorRef SysColor(int index) { return ::GetSysColor(index); }

int SystemMetric(int index) { return ::GetSystemMetrics(index); }

void ShowModalMessage(const std::string& text, const std::string& caption, MessageKind kind) {
    if (auto& observer = detail::Observer()) {
        observer(text, caption, kind);
        return;
    }
    UINT style = kind == MessageKind::Error     ? MB_ICONERROR
                 : kind == MessageKind::Warning ? MB_ICONWARNING
                                                : MB_ICONINFORMATION;
    const std::wstring title = caption.empty() ? ProgramTitle() : text::Widen(caption);
    ::MessageBoxW(::GetActiveWindow(), text::Widen(text).c_str(), title.c_str(), style);
}
}  // namespace sys
