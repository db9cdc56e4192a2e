#include "framework/ListViews.h"

#include <commctrl.h>

#include <algorithm>

#include "base/Text.h"
#include "framework/ComCtrls.h"

namespace tv {

namespace {

int HeaderFormat(TAlignment a) {
    switch (a) {
        case TAlignment::taRightJustify: return HDF_RIGHT;
        case TAlignment::taCenter: return HDF_CENTER;
        default: return HDF_LEFT;
    }
}

int ColumnFormat(TAlignment a) {
    switch (a) {
        case TAlignment::taRightJustify: return LVCFMT_RIGHT;
        case TAlignment::taCenter: return LVCFMT_CENTER;
        default: return LVCFMT_LEFT;
    }
}

}  // namespace

// ---- header bar ----------------------------------------------------------------------------

const TClassInfo& THeaderControl::StaticClass() {
    static const TClassInfo info = DescribeClass<THeaderControl>("THeaderControl")
                                       .Bool("HotTrack", &THeaderControl::HotTrack, &THeaderControl::SetHotTrack)
                                       .Default(0)
                                       .Event("OnSectionClick", &THeaderControl::OnSectionClick)
                                       .Event("OnSectionResize", &THeaderControl::OnSectionResize)
                                       .Done();
    return info;
}

THeaderControl::THeaderControl(TComponent* owner) : TWinControl(owner) {
    SetBoundsFields(0, 0, 200, 22);
    InitColor(clBtnFace, false);
    Brush().SetColor(clBtnFace);
}

void THeaderControl::CreateParams(TCreateParams& p) {
    EnsureCommonControls();
    TWinControl::CreateParams(p);
    p.sysClassName = WC_HEADERW;
    p.style |= HDS_HORZ | HDS_BUTTONS;
    if (hotTrack_) p.style |= HDS_HOTTRACK;
}

void THeaderControl::CreateWindowHandle(const TCreateParams& p) {
    TWinControl::CreateWindowHandle(p);
    for (int i = 0; i < SectionCount(); ++i) WriteSection(i, true);
}

void THeaderControl::WriteSection(int index, bool insert) {
    if (!HandleAllocated()) return;
    const THeaderSection& s = sections_[std::size_t(index)];
    std::wstring text = text::Widen(s.Text);
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.pszText = text.data();
    item.cxy = s.Width;
    item.fmt = HDF_STRING | HeaderFormat(s.Alignment);
    ::SendMessageW(Handle(), insert ? HDM_INSERTITEMW : HDM_SETITEMW, WPARAM(index), reinterpret_cast<LPARAM>(&item));
}

THeaderSection THeaderControl::Section(int index) const {
    THeaderSection s = sections_.at(std::size_t(index));
    if (HandleAllocated()) {
        HDITEMW item{};
        item.mask = HDI_WIDTH;
        if (::SendMessageW(const_cast<THeaderControl*>(this)->Handle(), HDM_GETITEMW, WPARAM(index),
                           reinterpret_cast<LPARAM>(&item)))
            s.Width = item.cxy;
    }
    return s;
}

int THeaderControl::AddSection(const std::string& text, int width, TAlignment alignment) {
    sections_.push_back({text, std::max(0, width), alignment});
    WriteSection(SectionCount() - 1, true);
    return SectionCount() - 1;
}

void THeaderControl::SetSectionWidth(int index, int width) {
    sections_.at(std::size_t(index)).Width = std::max(0, width);
    WriteSection(index, false);
}

void THeaderControl::ClearSections() {
    sections_.clear();
    if (HandleAllocated())
        while (::SendMessageW(Handle(), HDM_DELETEITEM, 0, 0)) {
        }
}

void THeaderControl::SetHotTrack(bool v) {
    if (v == hotTrack_) return;
    hotTrack_ = v;
    RecreateWnd();
}

void THeaderControl::HandleMessage(TMessage& m) {
    if (m.Msg == CN_NOTIFY) {
        const auto* n = reinterpret_cast<const NMHEADERW*>(m.LParam);
        switch (n->hdr.code) {
            case HDN_ITEMCLICKW:
            case HDN_ITEMCLICKA:
                if (OnSectionClick) OnSectionClick(this, n->iItem);
                m.Result = 0;
                return;
            case HDN_ENDTRACKW:
            case HDN_ENDTRACKA:
                if (n->pitem && (n->pitem->mask & HDI_WIDTH) && n->iItem >= 0 && n->iItem < SectionCount())
                    sections_[std::size_t(n->iItem)].Width = n->pitem->cxy;
                if (OnSectionResize) OnSectionResize(this, n->iItem);
                m.Result = 0;
                return;
            default: break;
        }
    }
    TWinControl::HandleMessage(m);
}

// ---- list view -----------------------------------------------------------------------------

const TEnumInfo& ViewStyleType() {
    static const TEnumInfo info = TEnumInfo::Sequential("TViewStyle", {"vsIcon", "vsSmallIcon", "vsList", "vsReport"});
    return info;
}

const TClassInfo& TCustomListView::StaticClass() {
    static const TClassInfo info =
        DescribeClass<TCustomListView>("TCustomListView")
            .Bool("GridLines", &TCustomListView::GridLines, &TCustomListView::SetGridLines)
            .Default(0)
            .Bool("RowSelect", &TCustomListView::RowSelect, &TCustomListView::SetRowSelect)
            .Default(0)
            .Enum("ViewStyle", ViewStyleType(), &TCustomListView::ViewStyle, &TCustomListView::SetViewStyle)
            .Default(int(TViewStyle::vsIcon))
            .Event("OnChange", &TCustomListView::OnChange)
            .Event("OnColumnClick", &TCustomListView::OnColumnClick)
            .Done();
    return info;
}

const TClassInfo& TListView::StaticClass() {
    static const TClassInfo info = DescribeClass<TListView>("TListView").Done();
    return info;
}

TCustomListView::TCustomListView(TComponent* owner) : TWinControl(owner) {
    SetBoundsFields(0, 0, 250, 150);
    SetTabStop(true);
    InitColor(clWindow, false);
    Brush().SetColor(clWindow);
}

void TCustomListView::CreateParams(TCreateParams& p) {
    EnsureCommonControls();
    TWinControl::CreateParams(p);
    p.sysClassName = WC_LISTVIEWW;
    p.exStyle |= WS_EX_CLIENTEDGE;
    p.style |= LVS_SHAREIMAGELISTS | LVS_SHOWSELALWAYS | LVS_SINGLESEL;
    switch (viewStyle_) {
        case TViewStyle::vsIcon: p.style |= LVS_ICON; break;
        case TViewStyle::vsSmallIcon: p.style |= LVS_SMALLICON; break;
        case TViewStyle::vsList: p.style |= LVS_LIST; break;
        case TViewStyle::vsReport: p.style |= LVS_REPORT; break;
    }
}

void TCustomListView::CreateWindowHandle(const TCreateParams& p) {
    TWinControl::CreateWindowHandle(p);
    UpdateExtendedStyle();
    for (int i = 0; i < ColumnCount(); ++i) WriteColumn(i);
    for (int i = 0; i < ItemCount(); ++i) WriteItem(i);
}

void TCustomListView::UpdateExtendedStyle() {
    if (!HandleAllocated()) return;
    const DWORD mask = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES;
    const DWORD bits = (rowSelect_ ? LVS_EX_FULLROWSELECT : 0) | (gridLines_ ? LVS_EX_GRIDLINES : 0);
    ::SendMessageW(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, mask, bits);
}

void TCustomListView::SetViewStyle(TViewStyle v) {
    if (v == viewStyle_) return;
    viewStyle_ = v;
    RecreateWnd();
}

void TCustomListView::SetRowSelect(bool v) {
    rowSelect_ = v;
    UpdateExtendedStyle();
}

void TCustomListView::SetGridLines(bool v) {
    gridLines_ = v;
    UpdateExtendedStyle();
}

void TCustomListView::WriteColumn(int index) {
    if (!HandleAllocated()) return;
    const TListColumn& c = columns_[std::size_t(index)];
    std::wstring text = text::Widen(c.Caption);
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    col.pszText = text.data();
    col.cx = c.Width;
    col.fmt = ColumnFormat(c.Alignment);
    col.iSubItem = index;
    ::SendMessageW(Handle(), LVM_INSERTCOLUMNW, WPARAM(index), reinterpret_cast<LPARAM>(&col));
}

void TCustomListView::WriteItem(int index) {
    if (!HandleAllocated()) return;
    const auto& texts = items_[std::size_t(index)];
    std::wstring caption = text::Widen(texts.empty() ? std::string() : texts[0]);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = caption.data();
    ::SendMessageW(Handle(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    for (std::size_t k = 1; k < texts.size(); ++k) {
        std::wstring sub = text::Widen(texts[k]);
        LVITEMW s{};
        s.iSubItem = int(k);
        s.pszText = sub.data();
        ::SendMessageW(Handle(), LVM_SETITEMTEXTW, WPARAM(index), reinterpret_cast<LPARAM>(&s));
    }
}

TListColumn TCustomListView::Column(int index) const {
    TListColumn c = columns_.at(std::size_t(index));
    if (HandleAllocated())
        c.Width = int(::SendMessageW(const_cast<TCustomListView*>(this)->Handle(), LVM_GETCOLUMNWIDTH, WPARAM(index), 0));
    return c;
}

int TCustomListView::AddColumn(const std::string& caption, int width, TAlignment alignment) {
    columns_.push_back({caption, std::max(0, width), alignment});
    WriteColumn(ColumnCount() - 1);
    return ColumnCount() - 1;
}

int TCustomListView::AddItem(const std::string& caption, const std::vector<std::string>& subItems) {
    std::vector<std::string> texts{caption};
    texts.insert(texts.end(), subItems.begin(), subItems.end());
    items_.push_back(std::move(texts));
    WriteItem(ItemCount() - 1);
    return ItemCount() - 1;
}

std::string TCustomListView::ItemText(int item, int column) const {
    const auto& texts = items_.at(std::size_t(item));
    return std::size_t(column) < texts.size() ? texts[std::size_t(column)] : std::string();
}

void TCustomListView::ClearItems() {
    items_.clear();
    if (HandleAllocated()) ::SendMessageW(Handle(), LVM_DELETEALLITEMS, 0, 0);
}

int TCustomListView::ItemIndex() const {
    if (!HandleAllocated()) return -1;
    return int(::SendMessageW(const_cast<TCustomListView*>(this)->Handle(), LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
}

void TCustomListView::SetItemIndex(int index) {
    if (!HandleAllocated()) return;
    LVITEMW clear{};
    clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(Handle(), LVM_SETITEMSTATE, WPARAM(-1), reinterpret_cast<LPARAM>(&clear));
    if (index < 0 || index >= ItemCount()) return;
    LVITEMW set{};
    set.state = set.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(Handle(), LVM_SETITEMSTATE, WPARAM(index), reinterpret_cast<LPARAM>(&set));
}

void TCustomListView::HandleMessage(TMessage& m) {
    if (m.Msg == CN_NOTIFY) {
        const auto* hdr = reinterpret_cast<const NMHDR*>(m.LParam);
        if (hdr->code == UINT(LVN_COLUMNCLICK)) {
            if (OnColumnClick) OnColumnClick(this, reinterpret_cast<const NMLISTVIEW*>(m.LParam)->iSubItem);
            m.Result = 0;
            return;
        }
        if (hdr->code == UINT(LVN_ITEMCHANGED)) {
            const auto* n = reinterpret_cast<const NMLISTVIEW*>(m.LParam);
            // Once per item that became selected.
            if ((n->uChanged & LVIF_STATE) && (n->uNewState & LVIS_SELECTED) && !(n->uOldState & LVIS_SELECTED) &&
                OnChange)
                OnChange(this);
            m.Result = 0;
            return;
        }
    }
    TWinControl::HandleMessage(m);
}

}  // namespace tv
