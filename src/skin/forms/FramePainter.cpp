// Painting the skinned frame: the borders, the caption with its text and buttons are
// composed in one off-screen image of the window's size and reach the window in one
// transfer that leaves the client area alone.
#include <algorithm>

#include "base/CallbackGuard.h"
#include "raster/Blit.h"
#include "raster/Slices.h"
#include "skin/core/WinSkinData.h"
#include "skin/core/WinSkinDlg.h"
#include "skin/forms/DrawPrimitives.h"
#include "skin/forms/WinSkinForm.h"
#include "skin/resources/ImgUtil.h"

namespace skin {

namespace {

raster::Rect ToRasterRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

std::wstring TWinSkinForm::WindowText() const {
    const int length = ::GetWindowTextLengthW(handle_);
    if (length <= 0) return {};
    std::wstring text(std::size_t(length) + 1, L'\0');
    text.resize(std::size_t(std::max(0, ::GetWindowTextW(handle_, text.data(), length + 1))));
    return text;
}

bool TWinSkinForm::DrawCaptionIcon(HDC dc, const RECT& r) const {
    // The window's own icon, else its class's.
    auto icon = reinterpret_cast<HICON>(::SendMessageW(handle_, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(::SendMessageW(handle_, WM_GETICON, ICON_SMALL2, 0));
    if (!icon) icon = reinterpret_cast<HICON>(::SendMessageW(handle_, WM_GETICON, ICON_BIG, 0));
    if (!icon) icon = reinterpret_cast<HICON>(::GetClassLongPtrW(handle_, GCLP_HICONSM));
    if (!icon) icon = reinterpret_cast<HICON>(::GetClassLongPtrW(handle_, GCLP_HICON));
    if (icon) {
        const int size = ::GetSystemMetrics(SM_CXSMICON);
        return ::DrawIconEx(dc, r.left, r.top, icon, size, size, 0, nullptr, DI_NORMAL) != FALSE;
    }
    if (data_ && !data_->AppIcon.Empty()) {
        DrawTransparent(dc, r, data_->AppIcon.Pixels());
        return true;
    }
    return false;
}

void TWinSkinForm::PaintFrame(HDC dc) {
    const bool paintable = (skinState_ == kSkinSkinned || skinState_ == kSkinReapplying) && skinFrame_ &&
                           borderKind_ != kBorderNone && data_ && !data_->SkinEmpty &&
                           !(mdiKind_ == kMdiChild && showState_ == kShowMaximized);
    if (paintable) {
        // A failure leaves the frame as it was; the window goes on working.
        base::Guarded([&] {
            if (dc) {
                ComposeFrame(dc);
            } else {
                tv::WindowDC windowDC(handle_, true);
                if (windowDC.Get()) ComposeFrame(windowDC.Get());
            }
        }, base::OnFailure::Swallow);
    }
    // A repaint forgets the hot object, but a button held down stays held: its release
    // still acts, and it keeps looking pressed.
    if (hotObject_ && hotObject_->State == kStatePressed) {
        if (paintable) hotObject_->Paint();
        return;
    }
    if (hotObject_) hotObject_->State = kStateNormal;
    hotObject_ = nullptr;
}

void TWinSkinForm::ComposeFrame(HDC target) {
    const FrameLayout f = CurrentLayout();
    if (f.width <= 0 || f.height <= 0) return;
    if (frameImage_.Width() != f.width || frameImage_.Height() != f.height)
        frameImage_.SetSize(f.width, f.height, raster::PixelFormat::Bgr24);
    tv::OwnedDC memory(::CreateCompatibleDC(target));
    if (!memory.Get() || !frameImage_.Handle()) return;
    tv::SelectScope select(memory.Get(), static_cast<HBITMAP>(frameImage_.Handle()));
    ::GdiFlush();

    if (f.minimized) {
        raster::FillRect(frameImage_, {0, 0, f.width, f.height}, ResolveColour(Colour(data_->SkinColors.ButtonFace)));
    } else {
        PaintBorder(data_->BorderLeft.get(), false, f.left);
        PaintBorder(data_->BorderRight.get(), false, f.right);
        PaintBorder(data_->BorderBottom.get(), true, f.bottom);
        if (f.m.menuBar > 0 && menuBar_) menuBar_->PaintBar(frameImage_, memory.Get(), f.menuBand, active_);
        else if (f.m.menuBar > 0)
            raster::FillRect(frameImage_, ToRasterRect(f.menuBand), ResolveColour(Colour(data_->SkinColors.ButtonFace)));
    }
    PaintBorder(data_->BorderTop.get(), true, f.caption);
    for (std::size_t i = 0; i < buttons_.size(); ++i) IsSysButtonVisible(int(i));
    PaintCaptionText(memory.Get(), f.caption);
    ::GdiFlush();
    // With a maximized child's buttons in the menu band, the band is kept too: a button
    // that changes state repaints its cell over it.
    bool bandButtons = false;
    for (const auto& b : buttons_)
        if (b->Visible && b->Element.Visibility == kVisibilityMdiBand) bandButtons = true;
    if (bandButtons && menuBar_)
        if (TSkinManage* manager = SkinManager(); manager && !manager->MergedMenuMode) manager->SetMergedMenuMode(true);
    const int captionRows =
        std::min(f.height, std::max(int(bandButtons ? f.menuBand.bottom : f.caption.bottom), 1));
    if (captionBack_.Width() != f.width || captionBack_.Height() != captionRows)
        captionBack_.SetSize(f.width, captionRows, frameImage_.Format());
    raster::Copy(captionBack_, 0, 0, frameImage_, {0, 0, f.width, captionRows});
    LayoutSysButtons(f);
    PaintSysButtons(memory.Get());
    ::GdiFlush();

    // One transfer, the client area left out.
    tv::DCStateScope state(target);
    if (!f.minimized) ::ExcludeClipRect(target, f.client.left, f.client.top, f.client.right, f.client.bottom);
    ::BitBlt(target, 0, 0, f.width, f.height, memory.Get(), 0, 0, SRCCOPY);
    ::SetBkMode(target, OPAQUE);
}

void TWinSkinForm::PaintBorder(const TDataSkinBorder* side, bool vertical, const RECT& r) {
    if (!side || side->Bitmap.Empty() || r.right <= r.left || r.bottom <= r.top) return;
    const int count = side->FrameCount();
    const int frame = active_ || count == 1 ? 1 : 2;
    raster::RenderElementInto(frameImage_, ToRasterRect(r), side->Bitmap, side->Margins(), vertical, side->Tile != 1,
                              count, frame);
}

void TWinSkinForm::PaintCaptionText(HDC dc, const RECT& r) {
    const TDataSkinTitle* title = data_->Title.get();
    if (!title) return;
    const std::wstring text = L"  " + WindowText() + L" ";

    int rightButtons = 0;
    for (const auto& b : buttons_)
        if (b->Element.Align == 1 && b->Visible && !b->Element.Bitmap.Empty())
            rightButtons = std::max(rightButtons, int(b->Element.Xcoord));

    tv::SelectScope font(dc, captionFont_.Get());
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ResolveColour(Colour(active_ ? data_->SkinColors.TitleTextActive : data_->SkinColors.TitleTextNoActive)));

    RECT t = r;
    ::DrawTextW(dc, text.c_str(), int(text.size()), &t, DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE | DT_NOPREFIX);
    t.right += title->TXTBackleft + title->TXTBackRight;
    const int gap = (r.right - r.left) - (t.right - t.left);
    int shift = 0;
    if (!rightToLeft_) {
        switch (title->TextAlignment) {
            case 0: shift = title->LeftWidth; break;
            case 1: shift = gap / 2; break;
            case 2: shift = gap - title->RightWidth; break;
            default: break;
        }
    } else {
        switch (title->TextAlignment) {
            case 0: shift = gap - rightButtons; break;
            case 1: shift = (gap - rightButtons) / 2; break;
            case 2: shift = title->LeftWidth; break;
            default: break;
        }
    }
    const int lift = ((r.bottom - r.top) - (t.bottom - t.top)) / 2 + title->TopHeight / 2;
    ::OffsetRect(&t, shift, lift);
    if (rightToLeft_ && shift <= 0) t.left = title->LeftWidth;
    if (rightToLeft_) ::OffsetRect(&t, 10, 0);
    else if (style_ & WS_POPUP) {
        if (r.right - rightButtons - 5 < t.right && rightButtons > 5) t.right = r.right - rightButtons - 5;
    } else {
        t.right = std::min(t.right, LONG(r.right - title->RightWidth));
    }
    if (borderKind_ == kBorderDialog && title->TextAlignment == 0) t.left -= 16;  // dialogs have no icon
    captionTextRect_ = t;

    if (!title->Bitmap.Empty() && t.right > t.left) {
        ::GdiFlush();
        raster::DrawElementBar(frameImage_, {t.left, r.top, t.right, r.bottom}, title->Bitmap, true, true, 2,
                               active_ ? 1 : 2, Margins{title->TXTBackleft, 0, title->TXTBackRight, 0});
    }
    t.left += title->TXTBackleft;
    t.right -= title->TXTBackRight;
    UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (rightToLeft_) format |= DT_RIGHT | DT_RTLREADING;
    if (t.right > t.left) ::DrawTextW(dc, text.c_str(), int(text.size()), &t, format);
    ::SetBkMode(dc, oldMode);
}

void TWinSkinForm::PaintSysButtons(HDC dc) {
    for (const auto& b : buttons_) {
        ::GdiFlush();
        b->PaintInto(frameImage_, dc, active_);
    }
}

}  // namespace skin
