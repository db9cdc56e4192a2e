#include "framework/CheckBoxes.h"

#include <algorithm>
#include <cstdlib>

#include "framework/Graphics.h"
#include "framework/MessageCrackers.h"

namespace tv {

namespace {

bool Loading(const TComponent& c) { return c.HasState(TComponentState::Loading); }

// Height of a line of text in font.
int LineHeight(TFont& font) {
    WindowDC screen(nullptr);
    if (!screen.Get()) return std::max(std::abs(font.Height()), 13);
    const SelectScope select(screen.Get(), font.Handle());
    TEXTMETRICW tm{};
    ::GetTextMetricsW(screen.Get(), &tm);
    return tm.tmHeight;
}

}  // namespace

// ---- check box ----

const TEnumInfo& CheckBoxStateType() {
    static const TEnumInfo info = TEnumInfo::Sequential("TCheckBoxState", {"cbUnchecked", "cbChecked", "cbGrayed"});
    return info;
}

const TClassInfo& TCustomCheckBox::StaticClass() {
    static const TClassInfo info =
        DescribeClass<TCustomCheckBox>("TCustomCheckBox")
            .Enum("Alignment", AlignmentType(), &TCustomCheckBox::Alignment, &TCustomCheckBox::SetAlignment)
            .Default(int(TAlignment::taRightJustify))
            .Bool("AllowGrayed", &TCustomCheckBox::AllowGrayed, &TCustomCheckBox::SetAllowGrayed)
            .Default(0)
            .Bool("Checked", &TCustomCheckBox::Checked, &TCustomCheckBox::SetChecked)
            .NotStored()
            .Enum("State", CheckBoxStateType(), &TCustomCheckBox::State, &TCustomCheckBox::SetState)
            .Default(int(TCheckBoxState::cbUnchecked))
            .Done();
    return info;
}

const TClassInfo& TCheckBox::StaticClass() {
    static const TClassInfo info = DescribeClass<TCheckBox>("TCheckBox").Done();
    return info;
}

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner) {
    SetBoundsFields(0, 0, 97, 17);
    InitColor(clBtnFace, true);
    Brush().SetColor(clBtnFace);
}

void TCustomCheckBox::CreateParams(TCreateParams& p) {
    TButtonControl::CreateParams(p);
    p.sysClassName = L"BUTTON";
    // Not automatic: the state is ours, the window only shows it.
    p.style |= BS_3STATE | (alignment_ == TAlignment::taLeftJustify ? BS_LEFTTEXT : 0);
}

void TCustomCheckBox::CreateWindowHandle(const TCreateParams& p) {
    TButtonControl::CreateWindowHandle(p);
    if (HandleAllocated()) ::SendMessageW(Handle(), BM_SETCHECK, WPARAM(state_), 0);
}

void TCustomCheckBox::SetState(TCheckBoxState s) {
    if (s == state_) return;
    state_ = s;
    if (HandleAllocated()) ::SendMessageW(Handle(), BM_SETCHECK, WPARAM(s), 0);
    if (!Loading(*this)) Click();
}

void TCustomCheckBox::SetAlignment(TAlignment a) {
    if (a == TAlignment::taCenter) a = TAlignment::taRightJustify;
    if (a == alignment_) return;
    alignment_ = a;
    if (HandleAllocated()) {
        LONG style = ::GetWindowLongW(Handle(), GWL_STYLE);
        style = a == TAlignment::taLeftJustify ? style | BS_LEFTTEXT : style & ~LONG(BS_LEFTTEXT);
        ::SetWindowLongW(Handle(), GWL_STYLE, style);
        ::InvalidateRect(Handle(), nullptr, TRUE);
    }
}

void TCustomCheckBox::Toggle() {
    switch (state_) {
        case TCheckBoxState::cbUnchecked:
            SetState(allowGrayed_ ? TCheckBoxState::cbGrayed : TCheckBoxState::cbChecked);
            break;
        case TCheckBoxState::cbGrayed: SetState(TCheckBoxState::cbChecked); break;
        case TCheckBoxState::cbChecked: SetState(TCheckBoxState::cbUnchecked); break;
    }
}

void TCustomCheckBox::HandleMessage(TMessage& m) {
    switch (m.Msg) {
        case CN_COMMAND:
            if (CommandParams::From(m).code == BN_CLICKED) Toggle();
            m.Result = 0;
            return;
        case BM_SETCHECK:
            // Someone set the window's check directly: the state follows it, and the
            // window keeps showing what the state says.
            if (m.WParam <= BST_INDETERMINATE) {
                const auto s = TCheckBoxState(m.WParam);
                if (s != state_) {
                    state_ = s;
                    DefaultHandler(m);
                    if (!Loading(*this)) Click();
                    return;
                }
            }
            break;
        default: break;
    }
    TButtonControl::HandleMessage(m);
}

// ---- radio button ----

const TClassInfo& TRadioButton::StaticClass() {
    static const TClassInfo info =
        DescribeClass<TRadioButton>("TRadioButton")
            .Enum("Alignment", AlignmentType(), &TRadioButton::Alignment, &TRadioButton::SetAlignment)
            .Default(int(TAlignment::taRightJustify))
            .Bool("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked)
            .Default(0)
            .Done();
    return info;
}

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {
    SetBoundsFields(0, 0, 113, 17);
    InitColor(clBtnFace, true);
    Brush().SetColor(clBtnFace);
}

void TRadioButton::CreateParams(TCreateParams& p) {
    TButtonControl::CreateParams(p);
    p.sysClassName = L"BUTTON";
    p.style |= BS_RADIOBUTTON | (alignment_ == TAlignment::taLeftJustify ? BS_LEFTTEXT : 0);
}

void TRadioButton::CreateWindowHandle(const TCreateParams& p) {
    TButtonControl::CreateWindowHandle(p);
    if (HandleAllocated()) ::SendMessageW(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetAlignment(TAlignment a) {
    if (a == TAlignment::taCenter) a = TAlignment::taRightJustify;
    if (a == alignment_) return;
    alignment_ = a;
    if (HandleAllocated()) {
        LONG style = ::GetWindowLongW(Handle(), GWL_STYLE);
        style = a == TAlignment::taLeftJustify ? style | BS_LEFTTEXT : style & ~LONG(BS_LEFTTEXT);
        ::SetWindowLongW(Handle(), GWL_STYLE, style);
        ::InvalidateRect(Handle(), nullptr, TRUE);
    }
}

void TRadioButton::SetChecked(bool v) {
    if (v == checked_) return;
    checked_ = v;
    if (HandleAllocated()) ::SendMessageW(Handle(), BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!v) return;
    if (TWinControl* parent = Parent())
        for (int i = 0; i < parent->ControlCount(); ++i)
            if (auto* other = dynamic_cast<TRadioButton*>(parent->Controls(i)); other && other != this)
                other->SetChecked(false);
    if (!Loading(*this)) Click();
}

TRadioButton* TRadioButton::Neighbour(bool forward) const {
    TWinControl* parent = Parent();
    if (!parent) return nullptr;
    std::vector<TRadioButton*> group;
    for (int i = 0; i < parent->ControlCount(); ++i)
        if (auto* r = dynamic_cast<TRadioButton*>(parent->Controls(i)); r && (r == this || (r->Enabled() && r->Visible())))
            group.push_back(r);
    auto it = std::find(group.begin(), group.end(), this);
    if (it == group.end() || group.size() < 2) return nullptr;
    const std::size_t at = std::size_t(it - group.begin());
    return group[forward ? (at + 1) % group.size() : (at + group.size() - 1) % group.size()];
}

void TRadioButton::HandleMessage(TMessage& m) {
    switch (m.Msg) {
        case CN_COMMAND:
            if (CommandParams::From(m).code == BN_CLICKED) SetChecked(true);
            m.Result = 0;
            return;
        case BM_SETCHECK:
            // Checked from outside (a dialog's arrow keys, a program): same as SetChecked.
            if ((m.WParam == BST_CHECKED) != checked_) {
                SetChecked(m.WParam == BST_CHECKED);
                m.Result = 0;
                return;
            }
            break;
        case CN_KEYDOWN: {
            // Arrows move the check along the buttons beside this one, as in a dialog.
            const WORD key = KeyParams::From(m).key;
            const bool arrow = key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN;
            if (arrow && ::GetKeyState(VK_CONTROL) >= 0 && ::GetKeyState(VK_MENU) >= 0)
                if (TRadioButton* next = Neighbour(key == VK_RIGHT || key == VK_DOWN)) {
                    next->SetFocus();
                    next->SetChecked(true);
                    m.Result = 1;
                    return;
                }
            break;
        }
        default: break;
    }
    TButtonControl::HandleMessage(m);
}

// ---- group box ----

const TClassInfo& TCustomGroupBox::StaticClass() {
    static const TClassInfo info = DescribeClass<TCustomGroupBox>("TCustomGroupBox").Done();
    return info;
}

const TClassInfo& TGroupBox::StaticClass() {
    static const TClassInfo info = DescribeClass<TGroupBox>("TGroupBox").Done();
    return info;
}

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner) {
    SetBoundsFields(0, 0, 185, 105);
    InitColor(clBtnFace, true);
    Brush().SetColor(clBtnFace);
}

void TCustomGroupBox::CreateParams(TCreateParams& p) {
    TCustomControl::CreateParams(p);
    p.style |= WS_CLIPCHILDREN;
    p.classStyle = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
}

void TCustomGroupBox::HandleMessage(TMessage& m) {
    if (m.Msg == CM_TEXTCHANGED) Invalidate();
    TCustomControl::HandleMessage(m);
}

void TCustomGroupBox::Paint() {
    TCanvas& canvas = Canvas();
    RECT r = ClientRect();
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(r);
    canvas.Font().Assign(Font());
    const std::string caption = Caption();
    const int h = canvas.TextHeight(caption.empty() ? std::string("0") : caption);
    RECT frame = r;
    frame.top += h / 2;
    ::DrawEdge(canvas.Handle(), &frame, EDGE_ETCHED, BF_RECT);
    if (caption.empty()) return;
    RECT text{8, 0, 8 + canvas.TextWidth(caption) + 4, h};
    canvas.FillRect(text);
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    if (!Enabled()) canvas.Font().SetColor(clGrayText);
    canvas.DrawText(caption, text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}

// ---- radio group ----

const TClassInfo& TCustomRadioGroup::StaticClass() {
    static const TClassInfo info =
        DescribeClass<TCustomRadioGroup>("TCustomRadioGroup")
            .Int("Columns", &TCustomRadioGroup::Columns, &TCustomRadioGroup::SetColumns)
            .Default(1)
            .Obj<TStrings>("Items", &TCustomRadioGroup::ItemsPtr, nullptr)
            .Int("ItemIndex", &TCustomRadioGroup::ItemIndex, &TCustomRadioGroup::SetItemIndex)
            .Default(-1)
            .Done();
    return info;
}

const TClassInfo& TRadioGroup::StaticClass() {
    static const TClassInfo info = DescribeClass<TRadioGroup>("TRadioGroup").Done();
    return info;
}

TCustomRadioGroup::TCustomRadioGroup(TComponent* owner)
    : TCustomGroupBox(owner), items_(std::make_unique<TStringList>()) {
    items_->OnChange = [this](TObject*) {
        if (!Loading(*this)) UpdateButtons();
    };
}

TCustomRadioGroup::~TCustomRadioGroup() {
    // The buttons go with the group (they are its components); nothing may rebuild them now.
    items_->OnChange = nullptr;
}

void TCustomRadioGroup::Loaded() {
    TCustomGroupBox::Loaded();
    UpdateButtons();
}

void TCustomRadioGroup::SetColumns(int n) {
    n = std::clamp(n, 1, 16);
    if (n == columns_) return;
    columns_ = n;
    ArrangeButtons();
}

void TCustomRadioGroup::SetItemIndex(int index) {
    if (index < -1 || (!Loading(*this) && index >= int(buttons_.size()))) index = -1;
    if (index == itemIndex_) return;
    itemIndex_ = index;
    if (Loading(*this)) return;
    updating_ = true;
    for (std::size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->SetChecked(int(i) == index);
    updating_ = false;
    Click();
}

void TCustomRadioGroup::ButtonClicked(TRadioButton* button) {
    if (updating_ || !button->Checked()) return;
    const auto it = std::find(buttons_.begin(), buttons_.end(), button);
    if (it == buttons_.end()) return;
    const int index = int(it - buttons_.begin());
    if (index == itemIndex_) return;
    itemIndex_ = index;
    Click();
}

void TCustomRadioGroup::UpdateButtons() {
    updating_ = true;
    while (buttons_.size() > std::size_t(items_->Count())) {
        TRadioButton* b = buttons_.back();
        buttons_.pop_back();
        delete b;
    }
    while (buttons_.size() < std::size_t(items_->Count())) {
        auto* b = new TRadioButton(this);
        b->OnClick = [this, b](TObject*) { ButtonClicked(b); };
        b->SetParent(this);
        buttons_.push_back(b);
    }
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        buttons_[i]->SetCaption(items_->Get(int(i)));
        buttons_[i]->SetEnabled(Enabled());
    }
    if (itemIndex_ >= int(buttons_.size())) itemIndex_ = -1;
    for (std::size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->SetChecked(int(i) == itemIndex_);
    updating_ = false;
    ArrangeButtons();
}

void TCustomRadioGroup::ArrangeButtons() {
    if (buttons_.empty()) return;
    const int count = int(buttons_.size());
    const int perColumn = (count + columns_ - 1) / columns_;
    const int textHeight = LineHeight(Font());
    const int buttonWidth = std::max((Width() - 10) / columns_, 1);
    const int room = std::max(Height() - textHeight - 5, 0);
    const int buttonHeight = std::max(room / perColumn, 1);
    const int topMargin = textHeight + 1 + (room % perColumn) / 2;
    for (int i = 0; i < count; ++i)
        buttons_[std::size_t(i)]->SetBounds((i / perColumn) * buttonWidth + 8,
                                            (i % perColumn) * buttonHeight + topMargin, buttonWidth - 8,
                                            buttonHeight);
}

void TCustomRadioGroup::HandleMessage(TMessage& m) {
    switch (m.Msg) {
        case WM_SIZE:
        case CM_FONTCHANGED: ArrangeButtons(); break;
        case CM_ENABLEDCHANGED:
            for (TRadioButton* b : buttons_) b->SetEnabled(Enabled());
            break;
        default: break;
    }
    TCustomGroupBox::HandleMessage(m);
}

}  // namespace tv
