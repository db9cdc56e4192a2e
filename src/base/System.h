// The few facts about the host system that the portable core needs.
// Windows answers them through user32/gdi32; the native build uses a stand-in
// holding Windows' default values, so the core behaves alike on both.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace sys {

// COLORREF layout: red in bits 0-7, green 8-15, blue 16-23.
using ColorRef = std::uint32_t;

// Indices as GetSysColor takes them (COLOR_BTNFACE = 15, ...).
ColorRef SysColor(int index);
// Indices as GetSystemMetrics takes them (SM_CXVSCROLL = 2, ...).
int SystemMetric(int index);

enum class MessageKind { Information, Warning, Error };

// A modal message to the user; returns when it is dismissed.
void ShowModalMessage(const std::string& text, const std::string& caption, MessageKind kind);

// While an observer is set, modal messages go to it instead of the screen (tests).
using MessageObserver = std::function<void(const std::string& text, const std::string& caption, MessageKind kind)>;
void SetMessageObserver(MessageObserver observer);

// Win32 indices the core uses by name.
namespace color {
inline constexpr int ScrollBar = 0, Background = 1, ActiveCaption = 2, InactiveCaption = 3, Menu = 4,
    Window = 5, WindowFrame = 6, MenuText = 7, WindowText = 8, CaptionText = 9, ActiveBorder = 10,
    InactiveBorder = 11, AppWorkspace = 12, Highlight = 13, HighlightText = 14, BtnFace = 15,
    BtnShadow = 16, GrayText = 17, BtnText = 18, InactiveCaptionText = 19, BtnHighlight = 20,
    DkShadow3D = 21, Light3D = 22, InfoText = 23, InfoBk = 24, HotLight = 26,
    GradientActiveCaption = 27, GradientInactiveCaption = 28, MenuHilight = 29, MenuBar = 30;
}

}  // namespace sys
