// GDI objects with exactly one owner each, and the framework's graphics classes
// (font, brush, pen, canvas, bitmap) over them.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <utility>

#include "base/Handles.h"
#include "framework/Classes.h"
#include "framework/GraphicsTypes.h"
#include "raster/Bitmap.h"

namespace tv {

// Owns one GDI object (HFONT, HBRUSH, HPEN, HBITMAP, HRGN) and deletes it once.
template <class H>
using GdiObject = base::OwnedGdiObject<H>;
using OwnedFont = GdiObject<HFONT>;
using OwnedBrush = GdiObject<HBRUSH>;
using OwnedPen = GdiObject<HPEN>;
using OwnedBitmap = GdiObject<HBITMAP>;
using OwnedRegion = GdiObject<HRGN>;

// A memory DC made by CreateCompatibleDC; deleted once.
class OwnedDC {
public:
    OwnedDC() = default;
    explicit OwnedDC(HDC dc) : dc_(dc) {}
    ~OwnedDC() {
        if (dc_) ::DeleteDC(dc_);
    }
    OwnedDC(OwnedDC&& o) noexcept : dc_(std::exchange(o.dc_, nullptr)) {}
    OwnedDC& operator=(OwnedDC&& o) noexcept {
        if (this != &o) {
            if (dc_) ::DeleteDC(dc_);
            dc_ = std::exchange(o.dc_, nullptr);
        }
        return *this;
    }
    HDC Get() const { return dc_; }

private:
    HDC dc_ = nullptr;
};

// GetDC/GetWindowDC released with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND wnd, bool wholeWindow = false)
        : wnd_(wnd), dc_(wholeWindow ? ::GetWindowDC(wnd) : ::GetDC(wnd)) {}
    ~WindowDC() {
        if (dc_) ::ReleaseDC(wnd_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND wnd_;
    HDC dc_;
};

// BeginPaint/EndPaint.
class PaintDC {
public:
    explicit PaintDC(HWND wnd) : wnd_(wnd) { dc_ = ::BeginPaint(wnd, &ps_); }
    ~PaintDC() { ::EndPaint(wnd_, &ps_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC Get() const { return dc_; }
    const RECT& PaintRect() const { return ps_.rcPaint; }

private:
    HWND wnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// Selects an object into a DC for a scope and puts the previous one back.
class SelectScope {
public:
    SelectScope(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? ::SelectObject(dc, object) : nullptr) {}
    ~SelectScope() {
        if (old_) ::SelectObject(dc_, old_);
    }
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// Saves the DC state (clip, origin, objects) for a scope.
class DCStateScope {
public:
    explicit DCStateScope(HDC dc) : dc_(dc), saved_(::SaveDC(dc)) {}
    ~DCStateScope() {
        if (saved_) ::RestoreDC(dc_, saved_);
    }
    DCStateScope(const DCStateScope&) = delete;
    DCStateScope& operator=(const DCStateScope&) = delete;

private:
    HDC dc_;
    int saved_;
};

// Base of font, brush and pen: tells its owner of every change.
class TGraphicsObject : public TPersistent {
    TV_CLASS(TGraphicsObject, TPersistent)
    // Before the GDI object is replaced (a canvas deselects it), and after the change.
    TNotifyEvent OnChanging;
    TNotifyEvent OnChange;

protected:
    void Changing();
    void Changed();
};

// A GDI object that someone else owns: never deleted through this type.
template <class H>
class GdiRef {
public:
    GdiRef() = default;
    GdiRef(H handle) : h_(handle) {}  // NOLINT: borrowing is implicit
    GdiRef(const GdiObject<H>& owner) : h_(owner.Get()) {}  // NOLINT
    H Get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }

private:
    H h_ = nullptr;
};
using FontRef = GdiRef<HFONT>;
using BrushRef = GdiRef<HBRUSH>;
using PenRef = GdiRef<HPEN>;
using BitmapRef = GdiRef<HBITMAP>;
using RegionRef = GdiRef<HRGN>;

class TFont : public TGraphicsObject {
    TV_CLASS(TFont, TGraphicsObject)
    TFont();

    const std::string& Name() const { return name_; }
    void SetName(const std::string& v);
    int Height() const { return height_; }
    void SetHeight(int v);
    // Points at 96 pixels per inch (Height is negative for a character height).
    int Size() const;
    void SetSize(int points);
    int Charset() const { return charset_; }
    void SetCharset(int v);
    TColor Color() const { return color_; }
    void SetColor(TColor v);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles v);

    // Created on demand; owned by the font and replaced when a property changes.
    HFONT Handle() const;
    void Assign(const TPersistent& source) override;

private:
    void Modified();
    std::string name_ = "Tahoma";
    int height_ = -11;
    int charset_ = DEFAULT_CHARSET;
    TColor color_ = clWindowText;
    TFontStyles style_;
    mutable OwnedFont handle_;
};

enum class TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
const TEnumInfo& BrushStyleType();

class TBrush : public TGraphicsObject {
    TV_CLASS(TBrush, TGraphicsObject)
    TColor Color() const { return color_; }
    void SetColor(TColor v);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle v);
    // Null for bsClear.
    HBRUSH Handle() const;
    void Assign(const TPersistent& source) override;

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = TBrushStyle::bsSolid;
    mutable OwnedBrush handle_;
};

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
const TEnumInfo& PenStyleType();

class TPen : public TGraphicsObject {
    TV_CLASS(TPen, TGraphicsObject)
    TColor Color() const { return color_; }
    void SetColor(TColor v);
    int Width() const { return width_; }
    void SetWidth(int v);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle v);
    HPEN Handle() const;
    void Assign(const TPersistent& source) override;

private:
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = TPenStyle::psSolid;
    mutable OwnedPen handle_;
};

class TBitmap;

// Draws on a DC that it borrows (SetHandle) or that a subclass owns. Font, brush and
// pen are selected when drawing needs them and deselected when the DC is let go.
class TCanvas : public TPersistent {
    TV_CLASS(TCanvas, TPersistent)
    TCanvas();
    ~TCanvas() override;

    HDC Handle();
    // Binds a borrowed DC (null unbinds and restores the DC's own objects).
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return dc_ != nullptr; }

    TFont& Font() { return font_; }
    TBrush& Brush() { return brush_; }
    TPen& Pen() { return pen_; }

    void FillRect(const RECT& r);
    void FrameRect(const RECT& r);
    void Rectangle(const RECT& r);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polyline(const POINT* points, int count);
    void Polygon(const POINT* points, int count);
    void Ellipse(const RECT& r);
    // The part of the DC that drawing can change.
    RECT ClipRect();
    void TextOut(int x, int y, const std::string& text);
    void TextRect(const RECT& r, int x, int y, const std::string& text);
    // DrawTextW with the canvas's font; returns the text height.
    int DrawText(const std::string& text, RECT& r, UINT format);
    SIZE TextExtent(const std::string& text);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }
    void Draw(int x, int y, TBitmap& bitmap);
    void StretchDraw(const RECT& r, TBitmap& bitmap);
    void CopyRect(const RECT& dest, TCanvas& source, const RECT& src);
    COLORREF Pixel(int x, int y);

protected:
    // Subclasses that own their DC create it here.
    virtual void CreateHandle() {}
    void RequireFont();
    void RequireBrush();
    void RequirePen();
    void Deselect();

private:
    void ObjectChanged(TObject* which);
    HDC dc_ = nullptr;
    HGDIOBJ oldFont_ = nullptr, oldBrush_ = nullptr, oldPen_ = nullptr;
    bool fontSelected_ = false, brushSelected_ = false, penSelected_ = false;
    TFont font_;
    TBrush brush_;
    TPen pen_;
};

// Pixels of a raster::Bitmap (a DIB section on Windows): scan lines for the raster
// code and an HBITMAP for GDI, the same memory.
class TBitmap : public TPersistent {
    TV_CLASS(TBitmap, TPersistent)
    TBitmap();
    ~TBitmap() override;

    int Width() const { return bitmap_.Width(); }
    int Height() const { return bitmap_.Height(); }
    raster::PixelFormat PixelFormat() const { return bitmap_.Format(); }
    void SetPixelFormat(raster::PixelFormat format);
    void SetSize(int width, int height);
    void SetWidth(int w) { SetSize(w, Height()); }
    void SetHeight(int h) { SetSize(Width(), h); }
    bool Empty() const { return bitmap_.Empty(); }

    // The pixels; pending GDI drawing is flushed first.
    raster::Bitmap& Pixels();
    const raster::Bitmap& Pixels() const;
    std::uint8_t* ScanLine(int y) { return Pixels().ScanLine(y); }
    HBITMAP Handle() const { return static_cast<HBITMAP>(bitmap_.Handle()); }
    // Takes over pixels made elsewhere.
    void SetBitmap(raster::Bitmap&& bitmap);

    // A memory DC with the bitmap selected, made on first use.
    TCanvas& Canvas();

    bool Transparent = false;
    TColor TransparentColor = clFuchsia;

    // BMP file bytes; throws on a damaged file.
    void LoadFromStream(TStream& stream);
    // A bitmap resource (RT_BITMAP) of the module; false when there is none.
    bool LoadFromResourceName(HINSTANCE instance, const std::string& name);
    void SaveToStream(TStream& stream) const;
    void Assign(const TPersistent& source) override;
    // Stored as "Data": a 32-bit count and the BMP file (Glyph.Data = {...} in a description).
    void DefineProperties(TFiler& filer) override;

private:
    class BitmapCanvas;
    void FreeCanvas();
    raster::Bitmap bitmap_;
    std::unique_ptr<BitmapCanvas> canvas_;
};

}  // namespace tv
