#include "framework/Graphics.h"

#include <algorithm>
#include <vector>

#include "framework/Streaming.h"
#include "raster/BmpCodec.h"
#include "base/Text.h"

namespace tv {

// ---- graphics objects ----

const TClassInfo& TGraphicsObject::StaticClass() {
    static const TClassInfo info = DescribeClass<TGraphicsObject>("TGraphicsObject").Done();
    return info;
}

void TGraphicsObject::Changing() {
    if (OnChanging) OnChanging(this);
}

void TGraphicsObject::Changed() {
    if (OnChange) OnChange(this);
}

const TClassInfo& TFont::StaticClass() {
    static const TClassInfo info = DescribeClass<TFont>("TFont")
                                       .Int("Charset", &TFont::Charset, &TFont::SetCharset, &CharsetIdents())
                                       .Int("Color", &TFont::Color, &TFont::SetColor, &ColorIdents())
                                       .Int("Height", &TFont::Height, &TFont::SetHeight)
                                       .Str("Name", &TFont::Name, &TFont::SetName)
                                       .Int("Size", &TFont::Size, &TFont::SetSize)
                                       .NotStored()  // Height says it
                                       .Set("Style", FontStyleType(), &TFont::Style, &TFont::SetStyle)
                                       .Done();
    return info;
}

TFont::TFont() = default;

void TFont::Modified() {
    Changing();
    handle_.Reset();
    Changed();
}

void TFont::SetName(const std::string& v) {
    if (v == name_ || v.empty()) return;
    name_ = v;
    Modified();
}

void TFont::SetHeight(int v) {
    if (v == height_) return;
    height_ = v;
    Modified();
}

int TFont::Size() const { return -MulDiv(height_, 72, 96); }
void TFont::SetSize(int points) { SetHeight(-MulDiv(points, 96, 72)); }

void TFont::SetCharset(int v) {
    if (v == charset_) return;
    charset_ = v;
    Modified();
}

void TFont::SetColor(TColor v) {
    if (v == color_) return;
    color_ = v;
    Changed();  // the colour is not part of the GDI font
}

void TFont::SetStyle(TFontStyles v) {
    if (v == style_) return;
    style_ = v;
    Modified();
}

HFONT TFont::Handle() const {
    if (!handle_) {
        LOGFONTW lf{};
        lf.lfHeight = height_;
        lf.lfWeight = style_.Contains(TFontStyle::fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = style_.Contains(TFontStyle::fsItalic);
        lf.lfUnderline = style_.Contains(TFontStyle::fsUnderline);
        lf.lfStrikeOut = style_.Contains(TFontStyle::fsStrikeOut);
        lf.lfCharSet = BYTE(charset_);
        lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
        lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        lf.lfQuality = DEFAULT_QUALITY;
        lf.lfPitchAndFamily = DEFAULT_PITCH;
        std::wstring face = text::Widen(name_);
        face.resize(std::min<std::size_t>(face.size(), LF_FACESIZE - 1));
        std::copy(face.begin(), face.end(), lf.lfFaceName);
        handle_.Reset(::CreateFontIndirectW(&lf));
    }
    return handle_.Get();
}

void TFont::Assign(const TPersistent& source) {
    if (const auto* f = dynamic_cast<const TFont*>(&source)) {
        if (f == this) return;
        if (name_ == f->name_ && height_ == f->height_ && charset_ == f->charset_ && style_ == f->style_) {
            SetColor(f->color_);  // the GDI font stays
            return;
        }
        name_ = f->name_;
        height_ = f->height_;
        charset_ = f->charset_;
        color_ = f->color_;
        style_ = f->style_;
        Modified();
        return;
    }
    TGraphicsObject::Assign(source);
}

const TEnumInfo& BrushStyleType() {
    static const TEnumInfo info = TEnumInfo::Sequential(
        "TBrushStyle", {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal", "bsCross",
                        "bsDiagCross"});
    return info;
}

const TClassInfo& TBrush::StaticClass() {
    static const TClassInfo info = DescribeClass<TBrush>("TBrush")
                                       .Int("Color", &TBrush::Color, &TBrush::SetColor, &ColorIdents())
                                       .Enum("Style", BrushStyleType(), &TBrush::Style, &TBrush::SetStyle)
                                       .Done();
    return info;
}

void TBrush::SetColor(TColor v) {
    if (v == color_) return;
    Changing();
    color_ = v;
    handle_.Reset();
    Changed();
}

void TBrush::SetStyle(TBrushStyle v) {
    if (v == style_) return;
    Changing();
    style_ = v;
    handle_.Reset();
    Changed();
}

HBRUSH TBrush::Handle() const {
    if (style_ == TBrushStyle::bsClear) return nullptr;
    if (!handle_) {
        COLORREF rgb = ColorToRGB(color_);
        static const int hatch[] = {0, 0, HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
        handle_.Reset(style_ == TBrushStyle::bsSolid ? ::CreateSolidBrush(rgb)
                                                      : ::CreateHatchBrush(hatch[int(style_)], rgb));
    }
    return handle_.Get();
}

void TBrush::Assign(const TPersistent& source) {
    if (const auto* b = dynamic_cast<const TBrush*>(&source)) {
        SetColor(b->color_);
        SetStyle(b->style_);
        return;
    }
    TGraphicsObject::Assign(source);
}

const TEnumInfo& PenStyleType() {
    static const TEnumInfo info = TEnumInfo::Sequential(
        "TPenStyle", {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"});
    return info;
}

const TClassInfo& TPen::StaticClass() {
    static const TClassInfo info = DescribeClass<TPen>("TPen")
                                       .Int("Color", &TPen::Color, &TPen::SetColor, &ColorIdents())
                                       .Enum("Style", PenStyleType(), &TPen::Style, &TPen::SetStyle)
                                       .Int("Width", &TPen::Width, &TPen::SetWidth)
                                       .Done();
    return info;
}

void TPen::SetColor(TColor v) {
    if (v == color_) return;
    Changing();
    color_ = v;
    handle_.Reset();
    Changed();
}

void TPen::SetWidth(int v) {
    if (v == width_) return;
    Changing();
    width_ = v;
    handle_.Reset();
    Changed();
}

void TPen::SetStyle(TPenStyle v) {
    if (v == style_) return;
    Changing();
    style_ = v;
    handle_.Reset();
    Changed();
}

HPEN TPen::Handle() const {
    if (!handle_) {
        static const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        handle_.Reset(::CreatePen(styles[int(style_)], width_, ColorToRGB(color_)));
    }
    return handle_.Get();
}

void TPen::Assign(const TPersistent& source) {
    if (const auto* p = dynamic_cast<const TPen*>(&source)) {
        SetColor(p->color_);
        SetWidth(p->width_);
        SetStyle(p->style_);
        return;
    }
    TGraphicsObject::Assign(source);
}

// ---- canvas ----

const TClassInfo& TCanvas::StaticClass() {
    static const TClassInfo info = DescribeClass<TCanvas>("TCanvas").Done();
    return info;
}

TCanvas::TCanvas() {
    font_.OnChanging = [this](TObject* o) { ObjectChanged(o); };
    brush_.OnChanging = [this](TObject* o) { ObjectChanged(o); };
    pen_.OnChanging = [this](TObject* o) { ObjectChanged(o); };
}

TCanvas::~TCanvas() { Deselect(); }

void TCanvas::ObjectChanged(TObject* which) {
    // The old GDI object is about to be deleted: put the DC's own back first.
    if (!dc_) return;
    if (which == &font_ && fontSelected_) {
        ::SelectObject(dc_, oldFont_);
        fontSelected_ = false;
    } else if (which == &brush_ && brushSelected_) {
        ::SelectObject(dc_, oldBrush_);
        brushSelected_ = false;
    } else if (which == &pen_ && penSelected_) {
        ::SelectObject(dc_, oldPen_);
        penSelected_ = false;
    }
}

void TCanvas::Deselect() {
    if (!dc_) return;
    if (fontSelected_) ::SelectObject(dc_, oldFont_);
    if (brushSelected_) ::SelectObject(dc_, oldBrush_);
    if (penSelected_) ::SelectObject(dc_, oldPen_);
    fontSelected_ = brushSelected_ = penSelected_ = false;
}

HDC TCanvas::Handle() {
    if (!dc_) CreateHandle();
    return dc_;
}

void TCanvas::SetHandle(HDC dc) {
    if (dc == dc_) return;
    Deselect();
    dc_ = dc;
}

void TCanvas::RequireFont() {
    HDC dc = Handle();
    if (!dc) throw Exception("Canvas does not allow drawing");
    if (!fontSelected_) {
        HGDIOBJ old = ::SelectObject(dc, font_.Handle());
        if (old) oldFont_ = old;
        fontSelected_ = true;
    }
    ::SetTextColor(dc, ColorToRGB(font_.Color()));
}

void TCanvas::RequireBrush() {
    HDC dc = Handle();
    if (!dc) throw Exception("Canvas does not allow drawing");
    if (!brushSelected_) {
        HBRUSH b = brush_.Handle();
        oldBrush_ = ::SelectObject(dc, b ? static_cast<HGDIOBJ>(b) : ::GetStockObject(NULL_BRUSH));
        brushSelected_ = true;
    }
    if (brush_.Style() == TBrushStyle::bsClear) {
        ::SetBkMode(dc, TRANSPARENT);
    } else {
        ::SetBkColor(dc, ColorToRGB(brush_.Color()));
        ::SetBkMode(dc, OPAQUE);
    }
}

void TCanvas::RequirePen() {
    HDC dc = Handle();
    if (!dc) throw Exception("Canvas does not allow drawing");
    if (!penSelected_) {
        oldPen_ = ::SelectObject(dc, pen_.Handle());
        penSelected_ = true;
    }
}

void TCanvas::FillRect(const RECT& r) {
    RequireBrush();
    if (HBRUSH b = brush_.Handle()) ::FillRect(dc_, &r, b);
}

void TCanvas::FrameRect(const RECT& r) {
    RequireBrush();
    if (HBRUSH b = brush_.Handle()) ::FrameRect(dc_, &r, b);
}

void TCanvas::Rectangle(const RECT& r) {
    RequirePen();
    RequireBrush();
    ::Rectangle(dc_, r.left, r.top, r.right, r.bottom);
}

void TCanvas::MoveTo(int x, int y) {
    RequirePen();
    ::MoveToEx(dc_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
    RequirePen();
    ::LineTo(dc_, x, y);
}

void TCanvas::Polyline(const POINT* points, int count) {
    RequirePen();
    ::Polyline(dc_, points, count);
}

void TCanvas::Polygon(const POINT* points, int count) {
    RequirePen();
    RequireBrush();
    ::Polygon(dc_, points, count);
}

void TCanvas::Ellipse(const RECT& r) {
    RequirePen();
    RequireBrush();
    ::Ellipse(dc_, r.left, r.top, r.right, r.bottom);
}

RECT TCanvas::ClipRect() {
    RECT r{0, 0, 0, 0};
    if (HDC dc = Handle()) ::GetClipBox(dc, &r);
    return r;
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    RequireFont();
    RequireBrush();
    std::wstring w = text::Widen(text);
    ::ExtTextOutW(dc_, x, y, 0, nullptr, w.c_str(), UINT(w.size()), nullptr);
}

void TCanvas::TextRect(const RECT& r, int x, int y, const std::string& text) {
    RequireFont();
    RequireBrush();
    std::wstring w = text::Widen(text);
    UINT options = ETO_CLIPPED | (brush_.Style() != TBrushStyle::bsClear ? ETO_OPAQUE : 0);
    ::ExtTextOutW(dc_, x, y, options, &r, w.c_str(), UINT(w.size()), nullptr);
}

int TCanvas::DrawText(const std::string& text, RECT& r, UINT format) {
    RequireFont();
    RequireBrush();
    std::wstring w = text::Widen(text);
    return ::DrawTextW(dc_, w.c_str(), int(w.size()), &r, format);
}

SIZE TCanvas::TextExtent(const std::string& text) {
    RequireFont();
    std::wstring w = text::Widen(text);
    SIZE size{};
    ::GetTextExtentPoint32W(dc_, w.c_str(), int(w.size()), &size);
    return size;
}

void TCanvas::Draw(int x, int y, TBitmap& bitmap) {
    if (bitmap.Empty()) return;
    HDC src = bitmap.Canvas().Handle();
    HDC dst = Handle();
    if (bitmap.Transparent)
        ::TransparentBlt(dst, x, y, bitmap.Width(), bitmap.Height(), src, 0, 0, bitmap.Width(), bitmap.Height(),
                         ColorToRGB(bitmap.TransparentColor));
    else
        ::BitBlt(dst, x, y, bitmap.Width(), bitmap.Height(), src, 0, 0, SRCCOPY);
}

void TCanvas::StretchDraw(const RECT& r, TBitmap& bitmap) {
    if (bitmap.Empty()) return;
    HDC src = bitmap.Canvas().Handle();
    HDC dst = Handle();
    if (bitmap.Transparent)
        ::TransparentBlt(dst, r.left, r.top, r.right - r.left, r.bottom - r.top, src, 0, 0, bitmap.Width(),
                         bitmap.Height(), ColorToRGB(bitmap.TransparentColor));
    else
        ::StretchBlt(dst, r.left, r.top, r.right - r.left, r.bottom - r.top, src, 0, 0, bitmap.Width(),
                     bitmap.Height(), SRCCOPY);
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& source, const RECT& src) {
    ::StretchBlt(Handle(), dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, source.Handle(),
                 src.left, src.top, src.right - src.left, src.bottom - src.top, SRCCOPY);
}

COLORREF TCanvas::Pixel(int x, int y) { return ::GetPixel(Handle(), x, y); }

// ---- bitmap ----

class TBitmap::BitmapCanvas : public TCanvas {
public:
    explicit BitmapCanvas(TBitmap& owner) : owner_(owner) {}
    ~BitmapCanvas() override { Unbind(); }
    void Unbind() {
        if (!memDC_.Get()) return;
        Deselect();
        if (oldBitmap_) ::SelectObject(memDC_.Get(), oldBitmap_);
        SetHandle(nullptr);
        memDC_ = OwnedDC();
        oldBitmap_ = nullptr;
    }

protected:
    void CreateHandle() override {
        if (owner_.Empty()) return;
        memDC_ = OwnedDC(::CreateCompatibleDC(nullptr));
        oldBitmap_ = ::SelectObject(memDC_.Get(), owner_.Handle());
        SetHandle(memDC_.Get());
    }

private:
    TBitmap& owner_;
    OwnedDC memDC_;
    HGDIOBJ oldBitmap_ = nullptr;
};

const TClassInfo& TBitmap::StaticClass() {
    static const TClassInfo info = DescribeClass<TBitmap>("TBitmap").Done();
    return info;
}

TBitmap::TBitmap() = default;
TBitmap::~TBitmap() { FreeCanvas(); }

void TBitmap::FreeCanvas() {
    if (canvas_) canvas_->Unbind();
}

void TBitmap::SetPixelFormat(raster::PixelFormat format) {
    if (format == bitmap_.Format()) return;
    SetBitmap([&] {
        raster::Bitmap copy(bitmap_.Width(), bitmap_.Height(), format);
        for (int y = 0; y < bitmap_.Height(); ++y)
            for (int x = 0; x < bitmap_.Width(); ++x) copy.SetPixel(x, y, bitmap_.GetPixel(x, y));
        return copy;
    }());
}

void TBitmap::SetSize(int width, int height) {
    if (width == Width() && height == Height()) return;
    FreeCanvas();
    bitmap_.SetSize(std::max(width, 0), std::max(height, 0));
}

raster::Bitmap& TBitmap::Pixels() {
    ::GdiFlush();
    return bitmap_;
}

const raster::Bitmap& TBitmap::Pixels() const {
    ::GdiFlush();
    return bitmap_;
}

void TBitmap::SetBitmap(raster::Bitmap&& bitmap) {
    FreeCanvas();
    bitmap_ = std::move(bitmap);
}

TCanvas& TBitmap::Canvas() {
    if (!canvas_) canvas_ = std::make_unique<BitmapCanvas>(*this);
    return *canvas_;
}

void TBitmap::LoadFromStream(TStream& stream) {
    std::int64_t left = stream.Size() - stream.Position();
    std::vector<std::uint8_t> bytes(std::size_t(std::max<std::int64_t>(left, 0)));
    if (!bytes.empty()) stream.ReadBuffer(bytes.data(), bytes.size());
    SetBitmap(raster::DecodeBmp(bytes));
}

bool TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
    std::wstring wide = text::Widen(name);
    HRSRC res = ::FindResourceW(instance, wide.c_str(), MAKEINTRESOURCEW(2));  // RT_BITMAP
    if (!res) return false;
    HGLOBAL handle = ::LoadResource(instance, res);
    const auto* data = handle ? static_cast<const std::uint8_t*>(::LockResource(handle)) : nullptr;
    DWORD size = ::SizeofResource(instance, res);
    if (!data || size < sizeof(BITMAPINFOHEADER)) return false;
    // The resource is a BMP file without its file header: put one in front for the decoder.
    const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(data);
    std::uint32_t colours = info->biClrUsed;
    if (colours == 0 && info->biBitCount <= 8) colours = 1u << info->biBitCount;
    std::uint32_t masks = info->biCompression == BI_BITFIELDS && info->biSize == sizeof(BITMAPINFOHEADER) ? 12 : 0;
    std::uint32_t offset = 14 + info->biSize + masks + colours * 4;
    std::vector<std::uint8_t> file(14 + std::size_t(size));
    std::uint32_t total = std::uint32_t(file.size());
    file[0] = 'B', file[1] = 'M';
    for (int i = 0; i < 4; ++i) {
        file[2 + i] = std::uint8_t(total >> (8 * i));
        file[10 + i] = std::uint8_t(offset >> (8 * i));
    }
    std::copy(data, data + size, file.begin() + 14);
    SetBitmap(raster::DecodeBmp(file));
    return true;
}

void TBitmap::SaveToStream(TStream& stream) const {
    auto bytes = raster::EncodeBmp24(Pixels());
    stream.WriteBuffer(bytes.data(), bytes.size());
}

void TBitmap::Assign(const TPersistent& source) {
    if (const auto* b = dynamic_cast<const TBitmap*>(&source)) {
        if (b == this) return;
        SetBitmap(b->Pixels().Clone());
        Transparent = b->Transparent;
        TransparentColor = b->TransparentColor;
        return;
    }
    TPersistent::Assign(source);
}

void TBitmap::DefineProperties(TFiler& filer) {
    filer.DefineBinaryProperty(
        "Data",
        [this](TStream& s) {
            // Usually a 32-bit count and the file; the bare file is taken too.
            char magic[2] = {};
            if (s.Size() >= 2) {
                s.ReadBuffer(magic, 2);
                s.SetPosition(0);
            }
            if (magic[0] != 'B' || magic[1] != 'M') {
                std::int32_t n = s.ReadInt32();
                if (n < 0 || n > s.Size() - s.Position()) throw EStreamError("Bitmap data: wrong length");
            }
            LoadFromStream(s);
        },
        [this](TStream& s) {
            TMemoryStream file;
            SaveToStream(file);
            s.WriteInt32(std::int32_t(file.Size()));
            s.WriteBuffer(file.Memory(), file.Bytes().size());
        },
        !Empty());
}

}  // namespace tv
