#include "framework/StdCtrls.h"

#include <algorithm>

#include "framework/Forms.h"
#include "framework/MessageCrackers.h"
#include "base/Text.h"

namespace tv {

// ---- buttons ----

const TClassInfo& TButtonControl::StaticClass() {
    static const TClassInfo info = DescribeClass<TButtonControl>("TButtonControl").Done();
    return info;
}

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) { SetTabStop(true); }

const TClassInfo& TButton::StaticClass() {
    static const TClassInfo info = DescribeClass<TButton>("TButton")
                                       .Bool("Default", &TButton::Default, &TButton::SetDefault)
                                       .Default(0)
                                       .Bool("Cancel", &TButton::Cancel, &TButton::SetCancel)
                                       .Default(0)
                                       .Int("ModalResult", &TButton::ModalResult, &TButton::SetModalResult,
                                            &ModalResultIdents())
                                       .Default(0)
                                       .Done();
    return info;
}

TButton::TButton(TComponent* owner) : TButtonControl(owner) {
    SetBoundsFields(0, 0, 75, 25);
    InitColor(clBtnFace, false);
    Brush().SetColor(clBtnFace);
}

void TButton::SetDefault(bool v) {
    if (v == default_) return;
    default_ = v;
    if (HandleAllocated()) ::SendMessageW(Handle(), BM_SETSTYLE, v ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::CreateParams(TCreateParams& p) {
    TButtonControl::CreateParams(p);
    p.sysClassName = L"BUTTON";
    p.style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::Click() {
    if (modalResult_ != mrNone)
        if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
    TButtonControl::Click();
}

namespace {
// Whether ch is the character after '&' in caption (case-insensitive, ASCII and BMP).
bool IsAccel(WPARAM ch, const std::string& caption) {
    std::wstring w = text::Widen(caption);
    for (std::size_t i = 0; i + 1 < w.size(); ++i) {
        if (w[i] != L'&') continue;
        if (w[i + 1] == L'&') {
            ++i;
            continue;
        }
        return ::CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(w[i + 1]))) ==
               ::CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(ch)));
    }
    return false;
}
}  // namespace

void TButton::HandleMessage(TMessage& m) {
    switch (m.Msg) {
        case CN_COMMAND:
            if (CommandParams::From(m).code == BN_CLICKED) Click();
            m.Result = 0;
            return;
        case CM_DIALOGKEY:
            if (WORD key = KeyParams::From(m).key;
                ((key == VK_RETURN && (default_ || Focused())) || (key == VK_ESCAPE && cancel_)) &&
                CanFocus()) {
                Click();
                m.Result = 1;
                return;
            }
            break;
        case CM_DIALOGCHAR:
            if (IsAccel(KeyParams::From(m).key, Caption()) && CanFocus()) {
                Click();
                m.Result = 1;
                return;
            }
            break;
        default: break;
    }
    TButtonControl::HandleMessage(m);
}

// ---- list box ----

const TClassInfo& TListBoxStrings::StaticClass() {
    static const TClassInfo info = DescribeClass<TListBoxStrings>("TListBoxStrings").Done();
    return info;
}

HWND TListBoxStrings::Window() const { return owner_.HandleAllocated() ? owner_.Handle() : nullptr; }

void TListBoxStrings::CheckIndex(int index, bool forInsert) const {
    int limit = forInsert ? Count() : Count() - 1;
    if (index < 0 || index > limit)
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

int TListBoxStrings::Count() const {
    if (HWND w = Window()) return int(::SendMessageW(w, LB_GETCOUNT, 0, 0));
    return pending_.Count();
}

std::string TListBoxStrings::Get(int index) const {
    HWND w = Window();
    if (!w) return pending_.Get(index);
    CheckIndex(index);
    LRESULT len = ::SendMessageW(w, LB_GETTEXTLEN, WPARAM(index), 0);
    if (len == LB_ERR) throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
    std::wstring text(std::size_t(len) + 1, L'\0');
    LRESULT got = ::SendMessageW(w, LB_GETTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::size_t(std::max<LRESULT>(got, 0)));
    return text::Narrow(text);
}

TObject* TListBoxStrings::Objects(int index) const {
    HWND w = Window();
    if (!w) return pending_.Objects(index);
    CheckIndex(index);
    return reinterpret_cast<TObject*>(::SendMessageW(w, LB_GETITEMDATA, WPARAM(index), 0));
}

void TListBoxStrings::SetObject(int index, TObject* object) {
    HWND w = Window();
    if (!w) return pending_.SetObject(index, object);
    CheckIndex(index);
    ::SendMessageW(w, LB_SETITEMDATA, WPARAM(index), reinterpret_cast<LPARAM>(object));
}

void TListBoxStrings::Insert(int index, const std::string& s) {
    HWND w = Window();
    if (!w) return pending_.Insert(index, s);
    CheckIndex(index, true);
    std::wstring text = text::Widen(s);
    if (::SendMessageW(w, LB_INSERTSTRING, WPARAM(index), reinterpret_cast<LPARAM>(text.c_str())) < 0)
        throw EStringListError("The list box refused an item");
}

void TListBoxStrings::Delete(int index) {
    HWND w = Window();
    if (!w) return pending_.Delete(index);
    CheckIndex(index);
    ::SendMessageW(w, LB_DELETESTRING, WPARAM(index), 0);
}

void TListBoxStrings::Clear() {
    if (HWND w = Window())
        ::SendMessageW(w, LB_RESETCONTENT, 0, 0);
    else
        pending_.Clear();
}

const TClassInfo& TCustomListBox::StaticClass() {
    static const TClassInfo info =
        DescribeClass<TCustomListBox>("TCustomListBox")
            .Obj<TStrings>("Items", &TCustomListBox::ItemsPtr, nullptr)
            .Int("ItemHeight", &TCustomListBox::ItemHeight, &TCustomListBox::SetItemHeight)
            .Int("ItemIndex", &TCustomListBox::ItemIndex, &TCustomListBox::SetItemIndex)
            .NotStored()
            .Int("ScrollWidth", &TCustomListBox::ScrollWidth, &TCustomListBox::SetScrollWidth)
            .Default(0)
            .Done();
    return info;
}

TCustomListBox::TCustomListBox(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TListBoxStrings>(*this)) {
    SetBoundsFields(0, 0, 121, 97);
    SetTabStop(true);
    InitColor(clWindow, false);
    Brush().SetColor(clWindow);
}

TCustomListBox::~TCustomListBox() = default;

void TCustomListBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.sysClassName = L"LISTBOX";
    // The system shows each bar only when the items need it.
    p.style |= WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
    p.exStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::CreateWindowHandle(const TCreateParams& p) {
    TWinControl::CreateWindowHandle(p);
    if (!HandleAllocated()) return;
    HWND w = Handle();
    ::SendMessageW(w, LB_SETITEMHEIGHT, 0, itemHeight_);
    ::SendMessageW(w, LB_SETHORIZONTALEXTENT, WPARAM(scrollWidth_), 0);
    for (int i = 0; i < items_->pending_.Count(); ++i) {
        std::wstring text = text::Widen(items_->pending_.Get(i));
        LRESULT at = ::SendMessageW(w, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        ::SendMessageW(w, LB_SETITEMDATA, WPARAM(at), reinterpret_cast<LPARAM>(items_->pending_.Objects(i)));
    }
    items_->pending_.Clear();
    if (pendingIndex_ >= 0) ::SendMessageW(w, LB_SETCURSEL, WPARAM(pendingIndex_), 0);
}

void TCustomListBox::DestroyWnd() {
    if (HandleAllocated()) {
        // Keep the items for the next window.
        TStringList saved;
        for (int i = 0; i < items_->Count(); ++i) saved.AddObject(items_->Get(i), items_->Objects(i));
        pendingIndex_ = ItemIndex();
        TWinControl::DestroyWnd();
        items_->pending_.Assign(saved);
        return;
    }
    TWinControl::DestroyWnd();
}

int TCustomListBox::ItemIndex() const {
    if (HandleAllocated())
        return int(::SendMessageW(const_cast<TCustomListBox*>(this)->Handle(), LB_GETCURSEL, 0, 0));
    return pendingIndex_;
}

void TCustomListBox::SetItemIndex(int index) {
    if (HandleAllocated())
        ::SendMessageW(Handle(), LB_SETCURSEL, WPARAM(index), 0);
    else
        pendingIndex_ = index < items_->Count() ? index : -1;
}

void TCustomListBox::SetItemHeight(int h) {
    if (h <= 0) return;
    itemHeight_ = h;
    if (HandleAllocated()) {
        ::SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, h);
        Invalidate();
    }
}

void TCustomListBox::SetScrollWidth(int w) {
    scrollWidth_ = std::max(0, w);
    if (HandleAllocated()) ::SendMessageW(Handle(), LB_SETHORIZONTALEXTENT, WPARAM(scrollWidth_), 0);
}

void TCustomListBox::HandleMessage(TMessage& m) {
    if (m.Msg == CN_COMMAND) {
        switch (CommandParams::From(m).code) {
            case LBN_SELCHANGE: Click(); break;
            case LBN_DBLCLK:
                if (OnDblClick) OnDblClick(this);
                break;
            default: break;
        }
        m.Result = 0;
        return;
    }
    TWinControl::HandleMessage(m);
}

// ---- label ----

const TEnumInfo& AlignmentType() {
    static const TEnumInfo info =
        TEnumInfo::Sequential("TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"});
    return info;
}

const TEnumInfo& BorderStyleType() {
    static const TEnumInfo info = TEnumInfo::Sequential("TBorderStyle", {"bsNone", "bsSingle"});
    return info;
}

const TClassInfo& TCustomLabel::StaticClass() {
    static const TClassInfo info =
        DescribeClass<TCustomLabel>("TCustomLabel")
            .Enum("Alignment", AlignmentType(), &TCustomLabel::Alignment, &TCustomLabel::SetAlignment)
            .Default(0)
            .Bool("AutoSize", &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize)
            .Default(1)
            .Bool("ShowAccelChar", &TCustomLabel::ShowAccelChar, &TCustomLabel::SetShowAccelChar)
            .Default(1)
            .Bool("Transparent", &TCustomLabel::Transparent, &TCustomLabel::SetTransparent)
            .Default(0)
            .Bool("WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap)
            .Default(0)
            .Done();
    return info;
}

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
    SetBoundsFields(0, 0, 65, 17);
    InitColor(clBtnFace, true);
}

void TCustomLabel::SetAutoSize(bool v) {
    if (v == autoSize_) return;
    autoSize_ = v;
    AdjustBounds();
}

void TCustomLabel::SetAlignment(TAlignment a) {
    if (a == alignment_) return;
    alignment_ = a;
    Invalidate();
}

void TCustomLabel::SetTransparent(bool v) {
    if (v == transparent_) return;
    transparent_ = v;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool v) {
    if (v == wordWrap_) return;
    wordWrap_ = v;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool v) {
    if (v == showAccelChar_) return;
    showAccelChar_ = v;
    AdjustBounds();
    Invalidate();
}

UINT TCustomLabel::TextFlags() const {
    UINT flags = DT_EXPANDTABS;
    if (wordWrap_) flags |= DT_WORDBREAK;
    if (!showAccelChar_) flags |= DT_NOPREFIX;
    if (alignment_ == TAlignment::taCenter) flags |= DT_CENTER;
    if (alignment_ == TAlignment::taRightJustify) flags |= DT_RIGHT;
    if (UseRightToLeftReading()) flags |= DT_RTLREADING;
    return flags;
}

void TCustomLabel::AdjustBounds() {
    if (!autoSize_ || HasState(TComponentState::Loading)) return;
    RECT r{0, 0, wordWrap_ ? Width() : 0, 0};
    {
        WindowDC screen(nullptr);  // given back even when measuring throws
        if (!screen.Get()) return;
        std::wstring text = text::Widen(Caption());
        if (text.empty()) text = L" ";
        SelectScope font(screen.Get(), Font().Handle());
        ::DrawTextW(screen.Get(), text.c_str(), int(text.size()), &r, TextFlags() | DT_CALCRECT);
    }
    int left = Left();
    int width = r.right - r.left;
    if (alignment_ == TAlignment::taRightJustify) left += Width() - width;
    if (alignment_ == TAlignment::taCenter) left += (Width() - width) / 2;
    SetBounds(left, Top(), width, r.bottom - r.top);
}

void TCustomLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::HandleMessage(TMessage& m) {
    if (m.Msg == CM_TEXTCHANGED || m.Msg == CM_FONTCHANGED) {
        AdjustBounds();
        Invalidate();
    }
    TGraphicControl::HandleMessage(m);
}

void TCustomLabel::Paint() {
    TCanvas& canvas = Canvas();
    RECT r = ClientRect();
    if (!transparent_) {
        canvas.Brush().SetStyle(TBrushStyle::bsSolid);
        canvas.Brush().SetColor(Color());
        canvas.FillRect(r);
    }
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.Font().Assign(Font());
    if (!Enabled()) canvas.Font().SetColor(clGrayText);
    canvas.DrawText(Caption(), r, TextFlags());
}

}  // namespace tv

namespace tv {

const TClassInfo& TListBox::StaticClass() {
    static const TClassInfo info = DescribeClass<TListBox>("TListBox").Done();
    return info;
}

const TClassInfo& TLabel::StaticClass() {
    static const TClassInfo info = DescribeClass<TLabel>("TLabel").Done();
    return info;
}

}  // namespace tv
