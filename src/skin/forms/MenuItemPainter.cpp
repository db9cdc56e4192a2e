#include "skin/forms/MenuItemPainter.h"

#include <algorithm>

#include "base/Text.h"
#include "raster/Blit.h"
#include "framework/Forms.h"
#include "framework/ImgList.h"
#include "skin/core/WinSkinData.h"
#include "skin/core/WinSkinDlg.h"
#include "skin/core/WinSkinMenu.h"
#include "skin/forms/DrawPrimitives.h"

namespace skin {

namespace {

// Marks the handlers we installed, so that a program's own are told apart and kept.
const char* const kSkinDrawHandler = "SkinDrawMenuItem";
const char* const kSkinMeasureHandler = "SkinMeasureMenuItem";

COLORREF Rgb(tv::TColor c) { return ResolveColour(Colour(c)); }

const TDataSkinObject* ItemElement(const TSkinData& data) {
    const TDataSkinObject* e = data.MenuItem.get();
    return e && !e->Bitmap.Empty() ? e : nullptr;
}

// The check mark of the system, centred in box, in the item's text colour.
void DrawCheckMark(HDC dc, const RECT& box, COLORREF colour) {
    BITMAP info{};
    const HBITMAP check = ::LoadBitmapW(nullptr, MAKEINTRESOURCEW(32760));  // OBM_CHECK, shared
    if (!check || !::GetObjectW(check, sizeof info, &info)) return;
    tv::OwnedDC memory(::CreateCompatibleDC(dc));
    tv::SelectScope select(memory.Get(), check);
    const int x = box.left + (box.right - box.left - info.bmWidth) / 2;
    const int y = box.top + (box.bottom - box.top - info.bmHeight) / 2;
    // A monochrome bitmap: its ones take the text colour, its zeros keep what is there.
    const COLORREF oldText = ::SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBack = ::SetBkColor(dc, RGB(255, 255, 255));
    tv::OwnedBrush ink(::CreateSolidBrush(colour));
    tv::SelectScope brush(dc, ink.Get());
    ::BitBlt(dc, x, y, info.bmWidth, info.bmHeight, memory.Get(), 0, 0, 0x00B8074A);  // PSDPxax: brush where black
    ::SetTextColor(dc, oldText);
    ::SetBkColor(dc, oldBack);
}

void DrawItemText(const TSkinData& data, HDC dc, const RECT& r, bool selected, const MenuItemLook& look) {
    const TDataSkinObject* element = ItemElement(data);
    const int left = r.left + 1 + (element ? element->LeftWidth : 0);
    int glyph = look.images ? look.images->Width() : 16;
    if (look.checked) glyph = std::max(glyph, 16);
    const TSkinColors& c = data.SkinColors;
    COLORREF colour = Rgb(selected ? c.HilightText : c.MenuText);
    if (!look.enabled) colour = c.ButtonShadow == c.MenuText ? ::GetSysColor(COLOR_GRAYTEXT) : Rgb(c.ButtonShadow);
    const RECT box{left, r.top + 1, left + glyph, r.top + 1 + glyph};
    if (look.images && look.imageIndex >= 0 && look.imageIndex < look.images->Count()) {
        if (look.checked) {
            RECT sunk = box;
            ::InflateRect(&sunk, 1, 1);
            tv::OwnedBrush pattern(::CreateSolidBrush(::GetSysColor(COLOR_BTNHIGHLIGHT)));
            ::FillRect(dc, &sunk, pattern.Get());
            ::DrawEdge(dc, &sunk, BDR_SUNKENINNER, BF_RECT);
        }
        look.images->Draw(dc, box.left, box.top + (glyph - look.images->Height()) / 2, look.imageIndex,
                          look.enabled ? ILD_TRANSPARENT : ILD_TRANSPARENT | ILD_BLEND50);
    } else if (look.checked) {
        DrawCheckMark(dc, box, colour);
    }

    tv::OwnedFont font = MenuFont(look.isDefault);
    tv::SelectScope selectFont(dc, font.Get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, colour);
    RECT text{box.right + 3, r.top, r.right - 1, r.bottom};
    ::DrawTextW(dc, look.caption.c_str(), int(look.caption.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    if (!look.shortCut.empty()) {
        RECT keys{text.left, r.top, r.right - 1 - 10, r.bottom};
        ::DrawTextW(dc, look.shortCut.c_str(), int(look.shortCut.size()), &keys,
                    DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
    }
    if (look.hasSubMenu) {
        // A small triangle pointing right, in the text's colour.
        tv::OwnedBrush ink(::CreateSolidBrush(colour));
        const int x = r.right - 11, cy = (r.top + r.bottom) / 2;
        for (int i = 0; i < 4; ++i) {
            const RECT column{x + i, cy - 3 + i, x + i + 1, cy + 4 - i};
            ::FillRect(dc, &column, ink.Get());
        }
    }
}

// The separator piece: frame 2 of the item strip, its end columns at full size, the
// middle stretched, at the bottom of r when r is lower than the strip.
void DrawSeparatorPiece(HDC dc, const RECT& r, const TDataSkinObject& e) {
    const raster::Rect cell = raster::StripCell(e.Bitmap, false, 5, 2);
    const int ch = cell.bottom - cell.top, w = r.right - r.left, h = r.bottom - r.top;
    if (ch <= 0 || w <= 0 || h <= 0) return;
    const Bitmap piece = RenderElementImage({0, 0, w, ch}, e.Bitmap, {e.LeftWidth, 0, e.RightWidth, 0}, false, false, 5, 2);
    if (piece.Empty()) return;
    if (h >= ch) {
        DrawTransparent(dc, {r.left, r.bottom - ch, r.right, r.bottom}, piece);
        return;
    }
    // Only the piece's bottom rows: a blit reaching above the item would be refused by
    // some DCs, and the separator would not show at all.
    Bitmap bottom(w, h);
    raster::Copy(bottom, 0, 0, piece, {0, ch - h, w, ch});
    DrawTransparent(dc, r, bottom);
}

}  // namespace

tv::OwnedFont MenuFont(bool bold) {
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof ncm;
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0)) return {};
    if (bold) ncm.lfMenuFont.lfWeight = FW_BOLD;
    return tv::OwnedFont(::CreateFontIndirectW(&ncm.lfMenuFont));
}

MenuItemLook LookOf(const tv::TMenuItem& item) {
    MenuItemLook look;
    look.caption = text::Widen(item.Caption());
    if (item.ShortCut()) look.shortCut = text::Widen(tv::ShortCutToText(item.ShortCut()));
    look.enabled = item.Enabled();
    look.checked = item.Checked();
    look.isDefault = item.Default();
    look.imageIndex = item.ImageIndex();
    look.hasSubMenu = item.Count() > 0;
    if (tv::TMenu* menu = item.GetParentMenu()) look.images = menu->Images();
    return look;
}

MenuItemLook LookOf(HMENU menu, UINT position) {
    MenuItemLook look;
    wchar_t text[256] = {};
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_STATE | MIIM_STRING | MIIM_FTYPE | MIIM_SUBMENU;
    mii.dwTypeData = text;
    mii.cch = 255;
    if (::GetMenuItemInfoW(menu, position, TRUE, &mii)) {
        std::wstring caption(text);
        // A short cut the system would show after a tab.
        if (const auto tab = caption.find(L'\t'); tab != std::wstring::npos) {
            look.shortCut = caption.substr(tab + 1);
            caption.erase(tab);
        }
        look.caption = caption.empty() || (mii.fType & MFT_SEPARATOR) ? L"-" : caption;
        look.enabled = !(mii.fState & (MFS_GRAYED | MFS_DISABLED));
        look.checked = (mii.fState & MFS_CHECKED) != 0;
        look.isDefault = (mii.fState & MFS_DEFAULT) != 0;
        look.hasSubMenu = mii.hSubMenu != nullptr;
    }
    return look;
}

void DrawMenuItem(const TSkinData& data, HDC dc, const RECT& r, bool selected, const MenuItemLook& look,
                  const raster::Bitmap* background) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    const TSkinColors& c = data.SkinColors;
    // Composed off-screen and copied once: no flicker while the selection moves.
    Bitmap image(w, h);
    const TDataSkinObject* element = ItemElement(data);
    if (!element) {
        raster::FillRect(image, {0, 0, w, h}, Rgb(selected ? c.Hilight : c.Menu));
    } else if (background && !background->Empty()) {
        raster::FillRect(image, {0, 0, w, h}, Rgb(c.Menu));
        raster::Copy(image, 0, 0, *background,
                     {r.left + kPopupFrame, r.top + kPopupFrame, r.left + kPopupFrame + w, r.top + kPopupFrame + h});
    } else {
        raster::FillRect(image, {0, 0, w, h}, Rgb(c.Menu));
    }
    tv::OwnedDC memory(::CreateCompatibleDC(dc));
    if (!memory.Get()) return;
    {
        tv::SelectScope select(memory.Get(), static_cast<HBITMAP>(image.Handle()));
        const RECT local{0, 0, w, h};
        if (look.IsLine()) {
            if (element) {
                DrawSeparatorPiece(memory.Get(), local, *element);
            } else {
                RECT line{2, 4, w - 2, 6};
                ::DrawEdge(memory.Get(), &line, EDGE_ETCHED, BF_TOP);
            }
        } else {
            if (element)
                skin::DrawElementImage(memory.Get(), local, element->Bitmap, false, element->Tile == 1,
                                       element->Trans == 1, 5, selected ? 4 : 1, element->Margins());
            DrawItemText(data, memory.Get(), local, selected, look);
        }
        ::BitBlt(dc, r.left, r.top, w, h, memory.Get(), 0, 0, SRCCOPY);
    }
    // The system draws its arrow after the owner has drawn the item, with its own colours
    // over ours: the item's area is closed to it.
    if (look.hasSubMenu) ::ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
}

void AddSkinItemMargins(const TSkinData& data, const MenuItemLook& look, bool systemItem, int& width) {
    const TDataSkinObject* element = ItemElement(data);
    width += (element ? element->LeftWidth : 0) + (systemItem ? 12 : 10);
    if (!look.images) width += systemItem ? 23 : 25;
}

SIZE MeasureMenuHandleItem(const TSkinData& data, HMENU menu, UINT position) {
    const MenuItemLook look = LookOf(menu, position);
    if (look.IsLine()) return {0, 8};
    tv::WindowDC screen(nullptr);
    tv::OwnedFont font = MenuFont(look.isDefault);
    tv::SelectScope select(screen.Get(), font.Get());
    std::wstring text = look.caption;
    if (!look.shortCut.empty()) text += L"    " + look.shortCut;
    // An empty caption, or "&" alone, still takes the room of a blank.
    if (text.empty() || text == L"&") text += L" ";
    RECT r{};
    ::DrawTextW(screen.Get(), text.c_str(), int(text.size()), &r, DT_SINGLELINE | DT_CALCRECT);
    const TDataSkinObject* element = ItemElement(data);
    return {r.right - r.left + 26 + (element ? element->LeftWidth : 0), r.bottom - r.top + 4};
}

const raster::Bitmap* PopupBackgroundFor(HMENU menu) {
    TSkinManage* manager = SkinManager();
    if (!manager || !menu) return nullptr;
    manager->AssignPopupMenu(menu);
    return manager->PopupBackground(menu);
}

tv::TMenuDrawItemEvent SkinDrawHandler(TSkinData& data) {
    tv::WeakPtr<TSkinData> skin(&data);
    tv::TMenuDrawItemEvent handler = [skin](tv::TObject* sender, tv::TCanvas* canvas, RECT r, bool selected) {
        auto* self = static_cast<tv::TMenuItem*>(sender);
        TSkinData* d = skin.Get();
        if (!d || !canvas) return;
        HMENU parent = self->Parent() ? self->Parent()->Handle() : nullptr;
        if (self->Parent() && !self->Parent()->Parent())
            if (tv::TMenu* menu = self->GetParentMenu()) parent = menu->Handle();
        DrawMenuItem(*d, canvas->Handle(), r, selected, LookOf(*self), PopupBackgroundFor(parent));
    };
    handler.name = kSkinDrawHandler;
    return handler;
}

tv::TMenuMeasureItemEvent SkinMeasureHandler(TSkinData& data, bool systemMeasure) {
    tv::WeakPtr<TSkinData> skin(&data);
    tv::TMenuMeasureItemEvent handler = [skin, systemMeasure](tv::TObject* sender, tv::TCanvas* canvas, int& width,
                                                              int& height) {
        auto* self = static_cast<tv::TMenuItem*>(sender);
        TSkinData* d = skin.Get();
        if (!canvas) return;
        tv::OwnedFont font = MenuFont(self->Default());
        tv::SelectScope select(canvas->Handle(), font.Get());
        tv::DefaultMeasureMenuItem(*self, canvas->Handle(), width, height);
        if (d && !self->IsLine()) AddSkinItemMargins(*d, LookOf(*self), systemMeasure, width);
    };
    handler.name = kSkinMeasureHandler;
    return handler;
}

bool IsSkinDrawHandler(const tv::TMenuDrawItemEvent& handler) { return handler && handler.name == kSkinDrawHandler; }

bool IsSkinMeasureHandler(const tv::TMenuMeasureItemEvent& handler) {
    return handler && handler.name == kSkinMeasureHandler;
}

void SkinMenuItems(TSkinData& data, tv::TMenuItem& item, bool systemMeasure) {
    if (!item.OnDrawItem || item.OnDrawItem.name == kSkinDrawHandler) item.OnDrawItem = SkinDrawHandler(data);
    if (!item.OnMeasureItem || item.OnMeasureItem.name == kSkinMeasureHandler)
        item.OnMeasureItem = SkinMeasureHandler(data, systemMeasure);
    for (int i = 0; i < item.Count(); ++i) SkinMenuItems(data, *item.Items(i), systemMeasure);
}

namespace {
void UnskinMenuItems(tv::TMenuItem& item) {
    if (item.OnDrawItem.name == kSkinDrawHandler) item.OnDrawItem = {};
    if (item.OnMeasureItem.name == kSkinMeasureHandler) item.OnMeasureItem = {};
    for (int i = 0; i < item.Count(); ++i) UnskinMenuItems(*item.Items(i));
}
}  // namespace

void SetOwnerDrawMenus(TSkinData& data, tv::TComponent& owner, bool on) {
    if (owner.ClassName() == "TwwRichEditForm") return;
    for (int i = 0; i < owner.ComponentCount(); ++i) {
        tv::TComponent* c = owner.Components(i);
        if (auto* popup = dynamic_cast<tv::TPopupMenu*>(c)) {
            if (!data.SkinControls.Contains(TSkinControlType::xcPopupMenu) || popup->Tag() == data.DisableTag) continue;
            popup->SetOwnerDraw(on);
            if (on) SkinMenuItems(data, popup->Items(), true);
            else UnskinMenuItems(popup->Items());
        } else if (auto* main = dynamic_cast<tv::TMainMenu*>(c)) {
            if (!data.SkinControls.Contains(TSkinControlType::xcMenuItem)) continue;
            for (int k = 0; k < main->Items().Count(); ++k) {
                tv::TMenuItem& top = *main->Items().Items(k);
                for (int j = 0; j < top.Count(); ++j) {
                    if (on) SkinMenuItems(data, *top.Items(j), false);
                    else UnskinMenuItems(*top.Items(j));
                }
            }
        } else if (dynamic_cast<tv::TCustomForm*>(c)) {
            SetOwnerDrawMenus(data, *c, on);  // a form placed inside the form
        }
    }
}

}  // namespace skin
