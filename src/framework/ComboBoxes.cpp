#include "framework/ComboBoxes.h"

#include <algorithm>

#include "base/Text.h"
#include "framework/Graphics.h"
#include "framework/MessageCrackers.h"

#include <commctrl.h>

namespace tv {

const TEnumInfo& ComboBoxStyleType() {
    static const TEnumInfo info = TEnumInfo::Sequential(
        "TComboBoxStyle", {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed"});
    return info;
}

// ---- items ----

const TClassInfo& TComboBoxStrings::StaticClass() {
    static const TClassInfo info = DescribeClass<TComboBoxStrings>("TComboBoxStrings").Done();
    return info;
}

HWND TComboBoxStrings::Window() const { return owner_.HandleAllocated() ? owner_.Handle() : nullptr; }

void TComboBoxStrings::CheckIndex(int index, bool forInsert) const {
    const int limit = forInsert ? Count() : Count() - 1;
    if (index < 0 || index > limit)
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

int TComboBoxStrings::Count() const {
    if (HWND w = Window()) return int(::SendMessageW(w, CB_GETCOUNT, 0, 0));
    return pending_.Count();
}

std::string TComboBoxStrings::Get(int index) const {
    HWND w = Window();
    if (!w) return pending_.Get(index);
    CheckIndex(index);
    const LRESULT len = ::SendMessageW(w, CB_GETLBTEXTLEN, WPARAM(index), 0);
    if (len == CB_ERR) throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
    std::wstring text(std::size_t(len) + 1, L'\0');
    const LRESULT got = ::SendMessageW(w, CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::size_t(std::clamp<LRESULT>(got, 0, len)));
    return text::Narrow(text);
}

TObject* TComboBoxStrings::Objects(int index) const {
    HWND w = Window();
    if (!w) return pending_.Objects(index);
    CheckIndex(index);
    return reinterpret_cast<TObject*>(::SendMessageW(w, CB_GETITEMDATA, WPARAM(index), 0));
}

void TComboBoxStrings::SetObject(int index, TObject* object) {
    HWND w = Window();
    if (!w) return pending_.SetObject(index, object);
    CheckIndex(index);
    ::SendMessageW(w, CB_SETITEMDATA, WPARAM(index), reinterpret_cast<LPARAM>(object));
}

void TComboBoxStrings::Insert(int index, const std::string& s) {
    HWND w = Window();
    if (!w) return pending_.Insert(index, s);
    CheckIndex(index, true);
    const std::wstring text = text::Widen(s);
    // A sorted list puts every item in its place, whatever index was asked for.
    const UINT msg = owner_.Sorted() ? CB_ADDSTRING : CB_INSERTSTRING;
    if (::SendMessageW(w, msg, WPARAM(index), reinterpret_cast<LPARAM>(text.c_str())) < 0)
        throw EStringListError("The combo box refused an item");
}

void TComboBoxStrings::Delete(int index) {
    HWND w = Window();
    if (!w) return pending_.Delete(index);
    CheckIndex(index);
    ::SendMessageW(w, CB_DELETESTRING, WPARAM(index), 0);
}

void TComboBoxStrings::Clear() {
    if (HWND w = Window()) {
        // The edit of a drop-down combo keeps its text: a cleared list has nothing chosen.
        ::SendMessageW(w, CB_RESETCONTENT, 0, 0);
    } else {
        pending_.Clear();
        owner_.pendingIndex_ = -1;
    }
}

// ---- combo box ----

const TClassInfo& TCustomComboBox::StaticClass() {
    static const TClassInfo info =
        DescribeClass<TCustomComboBox>("TCustomComboBox")
            .Enum("Style", ComboBoxStyleType(), &TCustomComboBox::Style, &TCustomComboBox::SetStyle)
            .Default(int(TComboBoxStyle::csDropDown))
            .Bool("Sorted", &TCustomComboBox::Sorted, &TCustomComboBox::SetSorted)
            .Default(0)
            .Obj<TStrings>("Items", &TCustomComboBox::ItemsPtr, nullptr)
            .Int("ItemIndex", &TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex)
            .Default(-1)
            .Int("DropDownCount", &TCustomComboBox::DropDownCount, &TCustomComboBox::SetDropDownCount)
            .Default(8)
            .Event("OnChange", &TCustomComboBox::OnChange)
            .Event("OnDropDown", &TCustomComboBox::OnDropDown)
            .Event("OnCloseUp", &TCustomComboBox::OnCloseUp)
            .Done();
    return info;
}

const TClassInfo& TComboBox::StaticClass() {
    static const TClassInfo info = DescribeClass<TComboBox>("TComboBox").Done();
    return info;
}

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TComboBoxStrings>(*this)) {
    SetBoundsFields(0, 0, 145, 21);
    SetTabStop(true);
    InitColor(clWindow, false);
    Brush().SetColor(clWindow);
}

TCustomComboBox::~TCustomComboBox() = default;

void TCustomComboBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.sysClassName = L"COMBOBOX";
    p.style |= WS_VSCROLL | CBS_AUTOHSCROLL | CBS_HASSTRINGS;
    switch (style_) {
        case TComboBoxStyle::csDropDown: p.style |= CBS_DROPDOWN; break;
        case TComboBoxStyle::csSimple: p.style |= CBS_SIMPLE; break;
        case TComboBoxStyle::csDropDownList: p.style |= CBS_DROPDOWNLIST; break;
        case TComboBoxStyle::csOwnerDrawFixed: p.style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED; break;
    }
    if (sorted_) p.style |= CBS_SORT;
    // The window's height is the field and its dropped list together; the list's part is
    // set again at each drop-down from DropDownCount.
    if (style_ != TComboBoxStyle::csSimple) p.height = std::max(p.height, 21) + 200;
    // The text goes in once the window and its items are there: a fixed field shows the
    // item of that text, an editable one's edit is made after the caption is read.
    pendingText_ = TControl::GetText();
    p.caption.clear();
}

void TCustomComboBox::CreateWindowHandle(const TCreateParams& p) {
    TWinControl::CreateWindowHandle(p);
    if (!HandleAllocated()) return;
    HWND w = Handle();
    for (int i = 0; i < items_->pending_.Count(); ++i) {
        const std::wstring text = text::Widen(items_->pending_.Get(i));
        const LRESULT at = ::SendMessageW(w, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (at >= 0)
            ::SendMessageW(w, CB_SETITEMDATA, WPARAM(at), reinterpret_cast<LPARAM>(items_->pending_.Objects(i)));
    }
    items_->pending_.Clear();
    if (pendingIndex_ >= 0) {
        ::SendMessageW(w, CB_SETCURSEL, WPARAM(pendingIndex_), 0);
    } else if (FixedField() && !pendingText_.empty()) {
        const std::wstring text = text::Widen(pendingText_);
        ::SendMessageW(w, CB_SETCURSEL,
                       WPARAM(::SendMessageW(w, CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(text.c_str()))),
                       0);
    }
    if (!FixedField() && !pendingText_.empty()) ::SetWindowTextW(w, text::Widen(pendingText_).c_str());
    pendingText_.clear();
}

void TCustomComboBox::DestroyWnd() {
    if (HandleAllocated()) {
        // Keep the items, the choice and the text for the next window.
        TStringList saved;
        for (int i = 0; i < items_->Count(); ++i) saved.AddObject(items_->Get(i), items_->Objects(i));
        pendingIndex_ = ItemIndex();
        const std::string text = GetText();
        TWinControl::DestroyWnd();
        items_->pending_.Assign(saved);
        TControl::SetText(text);
        return;
    }
    TWinControl::DestroyWnd();
}

int TCustomComboBox::ItemIndex() const {
    if (HandleAllocated())
        return int(::SendMessageW(const_cast<TCustomComboBox*>(this)->Handle(), CB_GETCURSEL, 0, 0));
    return pendingIndex_;
}

void TCustomComboBox::SetItemIndex(int index) {
    if (index < -1) index = -1;
    reportedAtClose_ = -2;
    if (HandleAllocated()) {
        if (index >= items_->Count()) index = -1;
        ::SendMessageW(Handle(), CB_SETCURSEL, WPARAM(index), 0);
        return;
    }
    // Read from a description before the items: kept and checked when the window comes.
    pendingIndex_ = index;
}

void TCustomComboBox::SetStyle(TComboBoxStyle v) {
    if (v == style_) return;
    style_ = v;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomComboBox::SetDropDownCount(int v) { dropDownCount_ = std::max(1, v); }

void TCustomComboBox::SetSorted(bool v) {
    if (v == sorted_) return;
    sorted_ = v;
    if (HandleAllocated()) RecreateWnd();
}

bool TCustomComboBox::DroppedDown() const {
    return HandleAllocated() &&
           ::SendMessageW(const_cast<TCustomComboBox*>(this)->Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool v) {
    if (HandleAllocated()) ::SendMessageW(Handle(), CB_SHOWDROPDOWN, v, 0);
}

HWND TCustomComboBox::ListHandle() const {
    if (!HandleAllocated()) return nullptr;
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (!::GetComboBoxInfo(const_cast<TCustomComboBox*>(this)->Handle(), &info)) return nullptr;
    return info.hwndList;
}

std::string TCustomComboBox::GetText() const {
    if (!HandleAllocated()) return FixedField() && pendingIndex_ >= 0 && pendingIndex_ < items_->Count()
                                       ? items_->Get(pendingIndex_)
                                       : TControl::GetText();
    if (FixedField()) {
        const int index = ItemIndex();
        return index >= 0 ? items_->Get(index) : std::string();
    }
    return TWinControl::GetText();
}

void TCustomComboBox::SetText(const std::string& v) {
    if (!FixedField() || !HandleAllocated()) {
        if (FixedField()) pendingIndex_ = -1;
        TWinControl::SetText(v);
        return;
    }
    const std::wstring text = text::Widen(v);
    const LRESULT at = ::SendMessageW(Handle(), CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(text.c_str()));
    ::SendMessageW(Handle(), CB_SETCURSEL, WPARAM(at == CB_ERR ? -1 : at), 0);
    TControl::SetText(at == CB_ERR ? std::string() : v);
}

void TCustomComboBox::FitDropDown() {
    if (!HandleAllocated()) return;
    HWND w = Handle();
    const int count = std::max(1, std::min(items_->Count(), dropDownCount_));
    const int itemHeight = std::max(1, int(::SendMessageW(w, CB_GETITEMHEIGHT, 0, 0)));
    ::SendMessageW(w, CB_SETMINVISIBLE, WPARAM(count), 0);
    // The system takes the list's height from the window's: the field plus the list.
    RECT r{};
    ::GetWindowRect(w, &r);
    const int field = int(::SendMessageW(w, CB_GETITEMHEIGHT, WPARAM(-1), 0)) + 6;
    ::SetWindowPos(w, nullptr, 0, 0, r.right - r.left, std::max(int(r.bottom - r.top), field) + count * itemHeight + 2,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

void TCustomComboBox::DrawItem(const DRAWITEMSTRUCT& di) {
    HDC dc = di.hDC;
    const bool selected = (di.itemState & ODS_SELECTED) != 0;
    RECT r = di.rcItem;
    ::FillRect(dc, &r, selected ? ::GetSysColorBrush(COLOR_HIGHLIGHT) : Brush().Handle());
    if (int(di.itemID) >= 0 && int(di.itemID) < items_->Count()) {
        const std::wstring text = text::Widen(items_->Get(int(di.itemID)));
        const SelectScope font(dc, Font().Handle());
        const COLORREF old = ::SetTextColor(dc, selected ? ::GetSysColor(COLOR_HIGHLIGHTTEXT) : ColorToRGB(Font().Color()));
        const int mode = ::SetBkMode(dc, TRANSPARENT);
        r.left += 2;
        ::DrawTextW(dc, text.c_str(), int(text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        ::SetBkMode(dc, mode);
        ::SetTextColor(dc, old);
    }
    if (di.itemState & ODS_FOCUS) ::DrawFocusRect(dc, &di.rcItem);
}

void TCustomComboBox::HandleMessage(TMessage& m) {
    if (m.Msg == CN_COMMAND) {
        switch (CommandParams::From(m).code) {
            case CBN_DROPDOWN:
                dropped_ = true;
                indexAtDrop_ = ItemIndex();
                FitDropDown();
                if (OnDropDown) OnDropDown(this);
                break;
            case CBN_CLOSEUP: {
                // A choice made in the open list counts once, when the list closes: the list
                // moves the selection on its way (arrow keys, the pointer held down).
                const int index = ItemIndex();
                const bool changed = dropped_ && index != indexAtDrop_;
                dropped_ = false;
                reportedAtClose_ = changed ? index : -2;
                if (OnCloseUp) OnCloseUp(this);
                if (changed && OnChange) OnChange(this);
                break;
            }
            case CBN_SELCHANGE: {
                // The system may say so after the close-up too: that choice was told already.
                const int index = ItemIndex();
                const bool told = reportedAtClose_ == index;
                reportedAtClose_ = -2;
                if (!dropped_ && !told && OnChange) OnChange(this);
                break;
            }
            case CBN_EDITCHANGE:
                if (OnChange) OnChange(this);
                break;
            default: break;
        }
        m.Result = 0;
        return;
    }
    if (m.Msg == WM_ERASEBKGND && style_ == TComboBoxStyle::csSimple && Parent()) {
        // Below a list of whole items a simple combo shows its own background: the parent's.
        HDC dc = reinterpret_cast<HDC>(m.WParam);
        RECT r{};
        ::GetClientRect(Handle(), &r);
        const int saved = ::SaveDC(dc);
        // Around the edit and the list, which paint themselves.
        for (HWND child = ::GetWindow(Handle(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            RECT c{};
            ::GetWindowRect(child, &c);
            ::MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&c), 2);
            ::ExcludeClipRect(dc, c.left, c.top, c.right, c.bottom);
        }
        const OwnedBrush brush(::CreateSolidBrush(ColorToRGB(Parent()->Color())));
        ::FillRect(dc, &r, brush.Get());
        ::RestoreDC(dc, saved);
        m.Result = 1;
        return;
    }
    if (m.Msg == CN_DRAWITEM) {
        if (const auto* di = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam)) DrawItem(*di);
        m.Result = 1;
        return;
    }
    TWinControl::HandleMessage(m);
}

}  // namespace tv
