// System-wide hotkeys for the program's windows. Each slot's id comes from a
// global atom named after the executable, so ids differ between programs.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>

struct THotkeyKeys {
    bool Ctrl = false;
    bool Alt = false;
    bool Shift = false;
    bool Win = false;
    std::uint16_t Key = 0;
};

// "C:\dir\app.exe", 1 -> "app1"; the file name is cut at its first ".",
// and a name without "." contributes nothing ("noext", 1 -> "1").
std::string HotkeyAtomName(const std::string& executablePath, int slot);

// MOD_* flags of a key combination.
UINT HotkeyModifiers(bool ctrl, bool alt, bool shift, bool win);

class TTevhotkey {
public:
    static constexpr int kCapacity = 20;

    TTevhotkey() = default;
    // Unregisters every hotkey and releases its atom.
    ~TTevhotkey();
    TTevhotkey(const TTevhotkey&) = delete;
    TTevhotkey& operator=(const TTevhotkey&) = delete;

    // Slots fill from 1; past the twentieth nothing happens.
    void AddHotkey(HWND window, bool ctrl, bool alt, bool shift, bool win, std::uint16_t key);
    // Any control with a Handle() that creates its window on demand.
    template <typename Control>
    void AddHotkey(Control* control, bool ctrl, bool alt, bool shift, bool win, std::uint16_t key) {
        if (Count() >= kCapacity) return;
        AddHotkey(control->Handle(), ctrl, alt, shift, win, key);
    }

    // The hotkeys registered for from belong to to from now on (the window was made anew).
    void MoveToWindow(HWND from, HWND to);
    int Count() const { return count_; }
    // Slots count from 1.
    int Id(int slot) const { return ids_[std::size_t(slot - 1)]; }
    HWND Window(int slot) const { return windows_[std::size_t(slot - 1)]; }
    const THotkeyKeys& Keys(int slot) const { return keys_[std::size_t(slot - 1)]; }

    // Full path of the running executable.
    static std::string ExecutablePath();

private:
    std::array<int, kCapacity> ids_{};
    std::array<HWND, kCapacity> windows_{};
    std::array<THotkeyKeys, kCapacity> keys_{};
    int count_ = 0;
};
