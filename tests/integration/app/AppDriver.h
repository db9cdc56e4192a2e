// What the integration tests share: the program started in its own process, windows of
// the test process, bounded waits, real input and the screen read back.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace apptest {

// A path of the build (a Linux path when built on Linux) as the program under Wine sees it.
std::wstring HostPath(std::string path);

// Keeps this thread responsive while waiting: the program reads our windows' texts.
void Pump(DWORD ms);

template <typename Pred>
bool WaitFor(Pred pred, DWORD ms = 10000) {
    const DWORD until = GetTickCount() + ms;
    while (GetTickCount() < until) {
        if (pred()) return true;
        Pump(20);
    }
    return pred();
}

// A plain top-level window of the test process.
struct Probe {
    HWND h;
    explicit Probe(const std::wstring& title, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, DWORD ex = 0,
                   HWND owner = nullptr);
    ~Probe();
    Probe(const Probe&) = delete;
    Probe& operator=(const Probe&) = delete;
    bool Visible() const { return IsWindowVisible(h) != 0; }
};

// Tovalin.exe in its own process; closed (or ended) when the test is done with it.
class Tovalin {
public:
    Tovalin();
    ~Tovalin();
    Tovalin(const Tovalin&) = delete;
    Tovalin& operator=(const Tovalin&) = delete;

    HWND Main() const { return main_; }
    // After the program made its main window anew: the new one, once it is visible.
    HWND FindMainAgain();
    DWORD Pid() const { return pi_.dwProcessId; }
    HANDLE Process() const { return pi_.hProcess; }

    HWND Child(const wchar_t* cls, const wchar_t* title) const { return FindWindowExW(main_, nullptr, cls, title); }
    HWND List() const { return Child(L"TListBox", nullptr); }

    // Clicks a button as the system does; posted so that a modal loop it opens cannot block us.
    void Click(const wchar_t* caption) const;
    void ClickAndSettle(const wchar_t* caption) const;
    // Returns once the program has handled everything posted so far.
    void Settle() const;

    std::vector<std::string> Items() const;
    int IndexOf(const std::string& title, int occurrence = 1) const;
    void Select(int index) const;

    // The program's message box, if one is open.
    HWND MessageBox() const;

private:
    HWND FindMain() const;

    PROCESS_INFORMATION pi_{};
    HWND main_ = nullptr;
};

std::string WindowText(HWND h);
long Count(const std::vector<std::string>& v, const std::string& s);
// The visible popup menu window of a process, if any.
HWND OpenMenuOf(DWORD pid);

// What a window of another process answers, or `otherwise` when it does not answer in time.
LRESULT Ask(HWND h, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0, LRESULT otherwise = -1);
// The HT code a window answers at a screen point.
int HitAt(HWND h, POINT screen);
// Brings h to the front and waits until the system says it is there.
bool BringToFront(HWND h);

// Real keyboard input: the keys go down in order and up in reverse.
void SendKeys(std::initializer_list<WORD> keys);
void PressCtrlAltS();

// Real pointer input at a screen point.
void MouseAt(POINT p, DWORD buttons);
// Moves the pointer and waits until the system sees it there.
bool MovePointerTo(POINT p);
void RightClickAt(POINT p);
void LeftClickAt(POINT p);
void DoubleClickAt(POINT p);

// The screen's pixels in r (0x00RRGGBB, row by row).
std::vector<DWORD> CaptureScreen(const RECT& r);

RECT WindowRect(HWND h);
// The client rectangle in window coordinates.
RECT ClientInWindow(HWND h);

}  // namespace apptest
