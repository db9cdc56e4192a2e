// Stand-in for the native build: Windows' default colours and metrics.
#include "base/System.h"

#include <cstdio>

namespace sys {
namespace detail { MessageObserver& Observer(); }

namespace {
constexpr ColorRef Rgb(int r, int g, int b) { return ColorRef(r) | ColorRef(g) << 8 | ColorRef(b) << 16; }

constexpr ColorRef kDefaultColors[31] = {
    Rgb(200, 200, 200), Rgb(0, 0, 0),       Rgb(153, 180, 209), Rgb(191, 205, 219), Rgb(240, 240, 240),
    Rgb(255, 255, 255), Rgb(100, 100, 100), Rgb(0, 0, 0),       Rgb(0, 0, 0),       Rgb(0, 0, 0),
    Rgb(180, 180, 180), Rgb(244, 247, 252), Rgb(171, 171, 171), Rgb(0, 120, 215),   Rgb(255, 255, 255),
    Rgb(240, 240, 240), Rgb(160, 160, 160), Rgb(109, 109, 109), Rgb(0, 0, 0),       Rgb(0, 0, 0),
    Rgb(255, 255, 255), Rgb(105, 105, 105), Rgb(227, 227, 227), Rgb(0, 0, 0),       Rgb(255, 255, 225),
    Rgb(181, 181, 181), Rgb(0, 102, 204),   Rgb(185, 209, 234), Rgb(215, 228, 242), Rgb(0, 120, 215),
    Rgb(240, 240, 240)};
}  // namespace

ColorRef SysColor(int index) {
    if (index < 0 || index >= 31) return 0;
    return kDefaultColors[index];
}

int SystemMetric(int index) {
    switch (index) {
        case 0: return 1280;  // SM_CXSCREEN
        case 1: return 1024;  // SM_CYSCREEN
        case 2: return 17;    // SM_CXVSCROLL
        case 3: return 17;    // SM_CYHSCROLL
        case 4: return 23;    // SM_CYCAPTION
        case 5: case 6: return 1;   // SM_CXBORDER, SM_CYBORDER
        case 7: case 8: return 3;   // SM_CXDLGFRAME, SM_CYDLGFRAME
        case 9: return 17;    // SM_CYVTHUMB
        case 10: return 17;   // SM_CXHTHUMB
        case 11: case 12: return 32;  // SM_CXICON, SM_CYICON
        case 15: return 20;   // SM_CYMENU
        case 20: return 17;   // SM_CYVSCROLL
        case 21: return 17;   // SM_CXHSCROLL
        case 30: case 31: return 21;  // SM_CXSIZE, SM_CYSIZE
        case 32: case 33: return 4;   // SM_CXFRAME, SM_CYFRAME
        case 49: case 50: return 16;  // SM_CXSMICON, SM_CYSMICON
        default: return 0;
    }
}

void ShowModalMessage(const std::string& text, const std::string& caption, MessageKind kind) {
    if (auto& observer = detail::Observer()) {
        observer(text, caption, kind);
        return;
    }
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}
}  // namespace sys
