#include "wintools/tevhotkey.h"

#include "base/Text.h"

std::string HotkeyAtomName(const std::string& executablePath, int slot) {
    std::string name = executablePath;
    const auto slash = name.find_last_of("\\/:");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    // Only the part before the first "." names the program; without a "." nothing does.
    const auto dot = name.find('.');
    name.erase(dot == std::string::npos ? 0 : dot);
    return name + std::to_string(slot);
}

UINT HotkeyModifiers(bool ctrl, bool alt, bool shift, bool win) {
    UINT flags = 0;
    if (ctrl) flags |= MOD_CONTROL;
    if (shift) flags |= MOD_SHIFT;
    if (alt) flags |= MOD_ALT;
    if (win) flags |= MOD_WIN;
    return flags;
}

std::string TTevhotkey::ExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = ::GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    return text::Narrow(path);
}

void TTevhotkey::AddHotkey(HWND window, bool ctrl, bool alt, bool shift, bool win, std::uint16_t key) {
    if (count_ >= kCapacity) return;
    const int slot = ++count_;
    const std::size_t i = std::size_t(slot - 1);
    windows_[i] = window;
    keys_[i] = THotkeyKeys{ctrl, alt, shift, win, key};
    const ATOM atom = ::GlobalAddAtomW(text::Widen(HotkeyAtomName(ExecutablePath(), slot)).c_str());
    // String atoms lie in 0xC000..0xFFFF, so ids land in the application's hotkey range.
    ids_[i] = int(std::uint16_t(atom)) - 0xC000;
    ::RegisterHotKey(window, ids_[i], HotkeyModifiers(ctrl, alt, shift, win), key);
}

void TTevhotkey::MoveToWindow(HWND from, HWND to) {
    if (from == to) return;
    for (int slot = 1; slot <= count_; ++slot) {
        const std::size_t i = std::size_t(slot - 1);
        if (windows_[i] != from) continue;
        // The old window may be gone, taking its registration with it; asking is harmless.
        ::UnregisterHotKey(from, ids_[i]);
        const THotkeyKeys& k = keys_[i];
        ::RegisterHotKey(to, ids_[i], HotkeyModifiers(k.Ctrl, k.Alt, k.Shift, k.Win), k.Key);
        windows_[i] = to;
    }
}

TTevhotkey::~TTevhotkey() {
    for (int slot = 1; slot <= count_; ++slot) {
        const std::size_t i = std::size_t(slot - 1);
        ::UnregisterHotKey(windows_[i], ids_[i]);
        ::GlobalDeleteAtom(ATOM(ids_[i] + 0xC000));
    }
}
