// The real answers on Windows.
#include "raster/System.h"

#include <windows.h>

#include <string>

namespace sys {
namespace detail { MessageObserver& Observer(); }

namespace {
std::wstring Wide(const std::string& text) {
    if (text.empty()) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring out(std::size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), out.data(), n);
    return out;
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
    ::MessageBoxW(::GetActiveWindow(), Wide(text).c_str(), Wide(caption).c_str(), style);
}

PixelMemory AllocatePixels(int width, int height, int bitsPerPixel) {
    PixelMemory memory;
    if (width <= 0 || height <= 0) return memory;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = WORD(bitsPerPixel);
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return memory;
    memory.bits = static_cast<std::uint8_t*>(bits);  // DIB sections start zeroed
    memory.handle = bitmap;
    return memory;
}

void ReleasePixels(PixelMemory& memory) {
    if (memory.handle) ::DeleteObject(static_cast<HBITMAP>(memory.handle));
    memory = {};
}
}  // namespace sys
