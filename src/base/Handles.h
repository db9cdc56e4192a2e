// Handles with exactly one owner, released once: kernel handles (files, events,
// processes), GDI objects (raster's DIB sections, the framework's fonts, brushes, pens,
// bitmaps and regions), menus and icons. Win32 code only; framework/Graphics.h adds the
// owners of device contexts.
#pragma once

#ifdef _WIN32
#include <windows.h>

#include <utility>

namespace base {

// Traits: Handle, IsNone(h) for the values that mean "no handle", Free(h).
template <class Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : h_(Traits::IsNone(handle) ? Handle() : handle) { Count(+1); }
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : h_(std::exchange(other.h_, Handle())) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            h_ = std::exchange(other.h_, Handle());
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle Get() const { return h_; }
    explicit operator bool() const { return h_ != Handle(); }
    void Reset(Handle handle = Handle()) {
        if (h_ != Handle()) {
            Traits::Free(h_);
            Count(-1);
        }
        h_ = Traits::IsNone(handle) ? Handle() : handle;
        Count(+1);
    }
    // Hands the handle to a new owner.
    [[nodiscard]] Handle Release() {
        Count(-1);
        return std::exchange(h_, Handle());
    }

    // Handles of this kind held by owners now: a count that grows with every cycle of
    // some work is a leak (the system's own counters are not there on every platform).
    static long Live() { return live_; }

private:
    void Count(int delta) {
        if (h_ != Handle()) live_ += delta;
    }
    static inline long live_ = 0;
    Handle h_ = Handle();
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    // CreateFile answers INVALID_HANDLE_VALUE, most others null.
    static bool IsNone(HANDLE h) { return !h || h == INVALID_HANDLE_VALUE; }
    static void Free(HANDLE h) { ::CloseHandle(h); }
};

template <class H>
struct GdiObjectTraits {
    using Handle = H;
    static bool IsNone(H h) { return !h; }
    static void Free(H h) { ::DeleteObject(h); }
};

struct MenuTraits {
    using Handle = HMENU;
    static bool IsNone(HMENU h) { return !h; }
    static void Free(HMENU h) { ::DestroyMenu(h); }
};

struct IconTraits {
    using Handle = HICON;
    static bool IsNone(HICON h) { return !h; }
    static void Free(HICON h) { ::DestroyIcon(h); }
};

using OwnedHandle = UniqueHandle<KernelHandleTraits>;
template <class H>
using OwnedGdiObject = UniqueHandle<GdiObjectTraits<H>>;
using OwnedMenu = UniqueHandle<MenuTraits>;
using OwnedIcon = UniqueHandle<IconTraits>;

}  // namespace base
#endif
