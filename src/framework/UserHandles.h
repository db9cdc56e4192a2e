// Owners of USER handles that are not GDI objects (menus, icons): exactly one owner
// destroys each, a moved-from owner nothing.
#pragma once

#include <windows.h>

#include <utility>

namespace tv {

template <class H, BOOL(WINAPI* Destroy)(H)>
class UserHandle {
public:
    UserHandle() = default;
    explicit UserHandle(H handle) : h_(handle) {}
    ~UserHandle() { Reset(); }
    UserHandle(UserHandle&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    UserHandle& operator=(UserHandle&& o) noexcept {
        if (this != &o) {
            Reset();
            h_ = std::exchange(o.h_, nullptr);
        }
        return *this;
    }
    UserHandle(const UserHandle&) = delete;
    UserHandle& operator=(const UserHandle&) = delete;

    H Get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    void Reset(H handle = nullptr) {
        if (h_) Destroy(h_);
        h_ = handle;
    }
    // Hands the handle to a new owner (a menu that now holds the submenu).
    [[nodiscard]] H Release() { return std::exchange(h_, nullptr); }

private:
    H h_ = nullptr;
};

using OwnedMenu = UserHandle<HMENU, ::DestroyMenu>;
using OwnedIcon = UserHandle<HICON, ::DestroyIcon>;

}  // namespace tv
