#include "framework/Edits.h"

#include <algorithm>

#include "framework/MessageCrackers.h"

namespace tv {

const TEnumInfo& ScrollStyleType() {
    static const TEnumInfo info =
        TEnumInfo::Sequential("TScrollStyle", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"});
    return info;
}

// ---- edit ----

const TClassInfo& TCustomEdit::StaticClass() {
    static const TClassInfo info =
        DescribeClass<TCustomEdit>("TCustomEdit")
            .Enum("BorderStyle", BorderStyleType(), &TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle)
            .Default(int(TBorderStyle::bsSingle))
            .Int("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength)
            .Default(0)
            .Bool("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly)
            .Default(0)
            .Event("OnChange", &TCustomEdit::OnChange)
            .Done();
    return info;
}

const TClassInfo& TEdit::StaticClass() {
    static const TClassInfo info = DescribeClass<TEdit>("TEdit").Done();
    return info;
}

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    SetBoundsFields(0, 0, 121, 21);
    SetTabStop(true);
    InitColor(clWindow, false);
    Brush().SetColor(clWindow);
}

void TCustomEdit::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.sysClassName = L"EDIT";
    p.style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL;
    if (readOnly_) p.style |= ES_READONLY;
    if (borderStyle_ == TBorderStyle::bsSingle) p.exStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateWindowHandle(const TCreateParams& p) {
    TWinControl::CreateWindowHandle(p);
    if (HandleAllocated()) ::SendMessageW(Handle(), EM_LIMITTEXT, WPARAM(maxLength_), 0);
}

void TCustomEdit::SetReadOnly(bool v) {
    readOnly_ = v;
    if (HandleAllocated()) ::SendMessageW(Handle(), EM_SETREADONLY, v, 0);
}

void TCustomEdit::SetMaxLength(int v) {
    maxLength_ = std::max(0, v);
    if (HandleAllocated()) ::SendMessageW(Handle(), EM_LIMITTEXT, WPARAM(maxLength_), 0);
}

void TCustomEdit::SetBorderStyle(TBorderStyle v) {
    if (v == borderStyle_) return;
    borderStyle_ = v;
    if (!HandleAllocated()) return;
    HWND w = Handle();
    LONG_PTR ex = ::GetWindowLongPtrW(w, GWL_EXSTYLE);
    ex = v == TBorderStyle::bsSingle ? ex | WS_EX_CLIENTEDGE : ex & ~LONG_PTR(WS_EX_CLIENTEDGE);
    ::SetWindowLongPtrW(w, GWL_EXSTYLE, ex);
    ::SetWindowPos(w, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomEdit::HandleMessage(TMessage& m) {
    // A multi-line edit says nothing of text set by code (nor does any edit before it
    // has a window): the control says it.
    if (m.Msg == CM_TEXTCHANGED && OnChange &&
        (!HandleAllocated() || (::GetWindowLongPtrW(Handle(), GWL_STYLE) & ES_MULTILINE)))
        OnChange(this);
    if (m.Msg == CN_COMMAND) {
        if (CommandParams::From(m).code == EN_CHANGE && OnChange) OnChange(this);
        m.Result = 0;
        return;
    }
    TWinControl::HandleMessage(m);
}

// ---- memo lines ----

const TClassInfo& TMemoStrings::StaticClass() {
    static const TClassInfo info = DescribeClass<TMemoStrings>("TMemoStrings").Done();
    return info;
}

std::vector<std::string> TMemoStrings::Lines() const {
    if (batch_) return *batch_;
    return SplitLines(owner_.Text());
}

void TMemoStrings::Store(std::vector<std::string> lines) {
    if (batch_) {
        *batch_ = std::move(lines);
        return;
    }
    // Every line ends with a break, so that an empty last line survives the round trip.
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    owner_.SetText(text);
}

void TMemoStrings::CheckIndex(int index, int count) const {
    if (index < 0 || index >= count)
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

int TMemoStrings::Count() const { return int(Lines().size()); }

std::string TMemoStrings::Get(int index) const {
    auto lines = Lines();
    CheckIndex(index, int(lines.size()));
    return lines[std::size_t(index)];
}

void TMemoStrings::Put(int index, const std::string& s) {
    auto lines = Lines();
    CheckIndex(index, int(lines.size()));
    lines[std::size_t(index)] = s;
    Store(std::move(lines));
}

void TMemoStrings::Insert(int index, const std::string& s) {
    auto lines = Lines();
    CheckIndex(index, int(lines.size()) + 1);
    // A line with breaks of its own becomes several lines, as it does in the window.
    auto parts = SplitLines(s);
    if (parts.empty()) parts.emplace_back();
    lines.insert(lines.begin() + index, parts.begin(), parts.end());
    Store(std::move(lines));
}

void TMemoStrings::Delete(int index) {
    auto lines = Lines();
    CheckIndex(index, int(lines.size()));
    lines.erase(lines.begin() + index);
    Store(std::move(lines));
}

void TMemoStrings::Clear() { Store({}); }

void TMemoStrings::BeginUpdate() {
    if (UpdateCount() == 0) batch_ = Lines();
    TStrings::BeginUpdate();
}

void TMemoStrings::EndUpdate() {
    TStrings::EndUpdate();
    if (UpdateCount() == 0 && batch_) {
        auto lines = std::move(*batch_);
        batch_.reset();
        Store(std::move(lines));
    }
}

// ---- memo ----

const TClassInfo& TCustomMemo::StaticClass() {
    static const TClassInfo info =
        DescribeClass<TCustomMemo>("TCustomMemo")
            .Obj<TStrings>("Lines", &TCustomMemo::LinesPtr, nullptr)
            .Enum("ScrollBars", ScrollStyleType(), &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars)
            .Default(int(TScrollStyle::ssNone))
            .Bool("WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap)
            .Default(1)
            .Done();
    return info;
}

const TClassInfo& TMemo::StaticClass() {
    static const TClassInfo info = DescribeClass<TMemo>("TMemo").Done();
    return info;
}

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner), lines_(std::make_unique<TMemoStrings>(*this)) {
    SetBoundsFields(0, 0, 185, 89);
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::CreateParams(TCreateParams& p) {
    TCustomEdit::CreateParams(p);
    p.style |= ES_MULTILINE | ES_WANTRETURN;
    // Wrapped lines never run past the right edge: nothing to scroll sideways to.
    if (wordWrap_) p.style &= ~DWORD(ES_AUTOHSCROLL);
    if (scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth) p.style |= WS_HSCROLL;
    if (scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth) p.style |= WS_VSCROLL;
}

void TCustomMemo::SetScrollBars(TScrollStyle v) {
    if (v == scrollBars_) return;
    scrollBars_ = v;
    RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool v) {
    if (v == wordWrap_) return;
    wordWrap_ = v;
    RecreateWnd();
}

}  // namespace tv
