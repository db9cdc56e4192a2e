#include "framework/ImgList.h"

#include <cstring>

#include "base/Text.h"

namespace tv {

namespace {
// A plain DIB with the pixels of image, selected into no DC: the list may take it
// (and AddMasked even changes it) without touching the caller's bitmap.
OwnedBitmap DetachedCopy(const TBitmap& image) {
    const raster::Bitmap& src = image.Pixels();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = src.Width();
    info.bmiHeader.biHeight = -src.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = WORD(src.BytesPerPixel() * 8);
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    OwnedBitmap copy(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (copy && bits)
        for (int y = 0; y < src.Height(); ++y)
            std::memcpy(static_cast<std::uint8_t*>(bits) + std::size_t(y) * src.Stride(), src.ScanLine(y), src.Stride());
    return copy;
}
}  // namespace

const TClassInfo& TCustomImageList::StaticClass() {
    static const TClassInfo info = DescribeClass<TCustomImageList>("TCustomImageList")
                                       .Int("Width", &TCustomImageList::Width, &TCustomImageList::SetWidth)
                                       .Int("Height", &TCustomImageList::Height, &TCustomImageList::SetHeight)
                                       .Done();
    return info;
}

const TClassInfo& TImageList::StaticClass() {
    static const TClassInfo info = DescribeClass<TImageList>("TImageList").Done();
    return info;
}

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

TCustomImageList::~TCustomImageList() {
    if (handle_) ::ImageList_Destroy(handle_);
}

void TCustomImageList::Changed() {
    if (OnChange) OnChange(this);
}

void TCustomImageList::Recreate() {
    if (handle_) ::ImageList_Destroy(handle_);
    handle_ = nullptr;
}

HIMAGELIST TCustomImageList::Handle() const {
    if (!handle_)
        const_cast<TCustomImageList*>(this)->handle_ = ::ImageList_Create(width_, height_, ILC_COLOR24 | ILC_MASK, 4, 4);
    return handle_;
}

void TCustomImageList::SetSize(int width, int height) {
    if (width <= 0 || height <= 0 || (width == width_ && height == height_)) return;
    width_ = width;
    height_ = height;
    Recreate();
    Changed();
}

int TCustomImageList::Count() const { return handle_ ? ::ImageList_GetImageCount(handle_) : 0; }

int TCustomImageList::Add(const TBitmap& image, const TBitmap* mask) {
    if (image.Empty()) return -1;
    OwnedBitmap copy = DetachedCopy(image);
    OwnedBitmap maskCopy = mask && !mask->Empty() ? DetachedCopy(*mask) : OwnedBitmap();
    int index = ::ImageList_Add(Handle(), copy.Get(), maskCopy.Get());
    if (index >= 0) Changed();
    return index;
}

int TCustomImageList::AddMasked(const TBitmap& image, TColor maskColor) {
    if (image.Empty()) return -1;
    OwnedBitmap copy = DetachedCopy(image);
    int index = ::ImageList_AddMasked(Handle(), copy.Get(), ColorToRGB(maskColor));
    if (index >= 0) Changed();
    return index;
}

bool TCustomImageList::LoadFromResourceName(HINSTANCE instance, const std::string& name, int width, TColor maskColor) {
    HIMAGELIST loaded = ::ImageList_LoadImageW(instance, text::Widen(name).c_str(), width, 4, ColorToRGB(maskColor),
                                               IMAGE_BITMAP, LR_CREATEDIBSECTION);
    if (!loaded) return false;
    Recreate();
    handle_ = loaded;
    int cx = width, cy = height_;
    ::ImageList_GetIconSize(loaded, &cx, &cy);
    width_ = cx;
    height_ = cy;
    Changed();
    return true;
}

void TCustomImageList::Delete(int index) {
    if (handle_ && index >= 0 && index < Count() && ::ImageList_Remove(handle_, index)) Changed();
}

void TCustomImageList::Clear() {
    if (handle_ && ::ImageList_RemoveAll(handle_)) Changed();
}

void TCustomImageList::Draw(HDC dc, int x, int y, int index, UINT style) const {
    if (!handle_ || index < 0 || index >= Count()) return;
    ::ImageList_Draw(handle_, index, dc, x, y, style);
}

void TCustomImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const {
    if (!handle_ || index < 0 || index >= Count()) return;
    if (enabled) {
        Draw(canvas.Handle(), x, y, index, ILD_TRANSPARENT);
        return;
    }
    IMAGELISTDRAWPARAMS p{};
    p.cbSize = sizeof p;
    p.himl = handle_;
    p.i = index;
    p.hdcDst = canvas.Handle();
    p.x = x;
    p.y = y;
    p.rgbBk = CLR_NONE;
    p.rgbFg = CLR_DEFAULT;
    p.fStyle = ILD_TRANSPARENT;
    p.fState = ILS_SATURATE;
    ::ImageList_DrawIndirect(&p);
}

bool TCustomImageList::GetBitmap(int index, TBitmap& out) const {
    if (!handle_ || index < 0 || index >= Count()) return false;
    out.SetSize(width_, height_);
    TCanvas& canvas = out.Canvas();
    canvas.Brush().SetColor(clWhite);
    RECT r{0, 0, width_, height_};
    canvas.FillRect(r);
    ::ImageList_Draw(handle_, index, canvas.Handle(), 0, 0, ILD_NORMAL);
    return true;
}

}  // namespace tv
