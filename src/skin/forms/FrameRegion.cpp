// The window's outline: every frame pixel that is not the key colour, and the whole
// inside. Rebuilt only when the size changes or the skin does.
#include "skin/core/WinSkinData.h"
#include "skin/forms/DrawPrimitives.h"
#include "skin/forms/WinSkinForm.h"

namespace skin {

namespace {

// The region of one side drawn at w x h, placed at (dx, dy); its rectangle when the
// side has no key-coloured pixels to leave out.
tv::OwnedRegion SideRegion(const TDataSkinBorder* side, bool vertical, int w, int h, int dx, int dy, bool cut) {
    if (w <= 0 || h <= 0) return tv::OwnedRegion(::CreateRectRgn(0, 0, 0, 0));
    if (cut && side && side->Trans == 1 && !side->Bitmap.Empty()) {
        const Bitmap image = RenderElementImage({0, 0, w, h}, side->Bitmap, side->Margins(), vertical, side->Tile != 1,
                                                side->FrameCount(), 1);
        if (!image.Empty()) return RegionFromBitmap(image, dx, dy, 1, 1, 1);
    }
    return tv::OwnedRegion(::CreateRectRgn(dx, dy, dx + w, dy + h));
}

}  // namespace

void TWinSkinForm::UpdateRegion() {
    if (skinState_ == kSkinWindowGone || !skinFrame_ || !data_ || data_->SkinEmpty || !::IsWindow(handle_)) return;
    if (mdiKind_ == kMdiChild && showState_ != kShowNormal) return;
    RECT window{};
    ::GetWindowRect(handle_, &window);
    const int W = window.right - window.left, H = window.bottom - window.top;
    if (W <= 0 || H <= 0) return;
    if (hasRegion_ && W == regionSize_.cx && H == regionSize_.cy && mdiKind_ != kMdiChild &&
        skinState_ != kSkinReapplying)
        return;
    regionSize_ = {W, H};
    ++regionBuilds_;
    const FrameMetrics& m = metrics_;
    const TDataSkinBorder* left = data_->BorderLeft.get();
    const TDataSkinBorder* right = data_->BorderRight.get();
    const TDataSkinBorder* top = data_->BorderTop.get();
    const TDataSkinBorder* bottom = data_->BorderBottom.get();
    auto trans = [](const TDataSkinBorder* s) { return s && s->Trans != 0; };
    if (!trans(left) && !trans(right) && !trans(top) && !trans(bottom)) {
        ::SetWindowRgn(handle_, ::CreateRectRgn(0, 0, W, H), TRUE);
        hasRegion_ = true;
        return;
    }
    tv::OwnedRegion outline(::CreateRectRgn(m.left, m.top, W - m.right, H - m.bottom));
    if (!outline) return;
    if (borderKind_ != kBorderNone) {
        const int middle = W - m.left - m.right;
        const tv::OwnedRegion parts[] = {
            SideRegion(left, false, m.left, H, 0, 0, H > 1),
            SideRegion(right, false, m.right, H, W - m.right, 0, H > 1),
            SideRegion(bottom, true, middle, m.bottom, m.left, H - m.bottom, m.bottom >= 2),
            SideRegion(top, true, middle, m.top, m.left, 0, m.top > 1),
        };
        for (const tv::OwnedRegion& part : parts)
            if (part) ::CombineRgn(outline.Get(), outline.Get(), part.Get(), RGN_OR);
    }
    // From here on the region is the window's; the system frees it with the window.
    if (::SetWindowRgn(handle_, outline.Get(), TRUE)) (void)outline.Release();
    hasRegion_ = true;
}

void TWinSkinForm::ClearRegion() {
    if (!hasRegion_) return;
    ::SetWindowRgn(handle_, nullptr, mdiKind_ == kMdiChild);
    hasRegion_ = false;
    regionSize_ = {};
}

}  // namespace skin
