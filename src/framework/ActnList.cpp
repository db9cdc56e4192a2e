#include "framework/ActnList.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "base/Ascii.h"
#include "framework/ImgList.h"

namespace tv {

const TClassInfo& TBasicAction::StaticClass() {
    static const TClassInfo info = DescribeClass<TBasicAction>("TBasicAction")
                                       .Event("OnExecute", &TBasicAction::OnExecute)
                                       .Event("OnUpdate", &TBasicAction::OnUpdate)
                                       .Done();
    return info;
}

TBasicAction::TBasicAction(TComponent* owner) : TComponent(owner) {}

TBasicAction::~TBasicAction() {
    // A copy: a client lets go of us while it is told.
    const std::vector<TActionClient*> clients = std::move(clients_);
    clients_.clear();
    for (TActionClient* c : clients) c->ActionFreed(this);
}

bool TBasicAction::Execute() {
    if (!OnExecute) return false;
    OnExecute(this);
    return true;
}

bool TBasicAction::Update() {
    if (!OnUpdate) return false;
    OnUpdate(this);
    return true;
}

void TBasicAction::RegisterClient(TActionClient* client) {
    if (client && std::find(clients_.begin(), clients_.end(), client) == clients_.end()) clients_.push_back(client);
}

void TBasicAction::UnregisterClient(TActionClient* client) {
    clients_.erase(std::remove(clients_.begin(), clients_.end(), client), clients_.end());
}

void TBasicAction::Change() {
    const std::vector<TActionClient*> clients = clients_;
    for (TActionClient* c : clients)
        if (std::find(clients_.begin(), clients_.end(), c) != clients_.end()) c->ActionChanged(this);
}

// ---- short cuts ----

namespace {
struct KeyName {
    unsigned key;
    const char* name;
};
constexpr KeyName kKeyNames[] = {
    {VK_BACK, "BkSp"}, {VK_TAB, "Tab"},   {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"},  {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"}, {VK_END, "End"},     {VK_HOME, "Home"},   {VK_LEFT, "Left"},
    {VK_UP, "Up"},      {VK_RIGHT, "Right"}, {VK_DOWN, "Down"}, {VK_INSERT, "Ins"},  {VK_DELETE, "Del"},
};
}  // namespace

std::string ShortCutToText(TShortCut shortCut) {
    const unsigned key = shortCut & 0xFF;
    std::string name;
    if (key >= 'A' && key <= 'Z') name = std::string(1, char(key));
    else if (key >= '0' && key <= '9') name = std::string(1, char(key));
    else if (key >= VK_F1 && key <= VK_F24) name = "F" + std::to_string(key - VK_F1 + 1);
    else
        for (const KeyName& k : kKeyNames)
            if (k.key == key) name = k.name;
    if (name.empty()) return "";
    std::string text;
    if (shortCut & scCtrl) text += "Ctrl+";
    if (shortCut & scShift) text += "Shift+";
    if (shortCut & scAlt) text += "Alt+";
    return text + name;
}

TShortCut TextToShortCut(std::string_view text) {
    TShortCut modifiers = 0;
    std::string rest = base::AsciiLower(std::string(text));
    for (;;) {
        auto take = [&rest](const char* prefix) {
            const std::size_t n = std::char_traits<char>::length(prefix);
            if (rest.compare(0, n, prefix) != 0) return false;
            rest.erase(0, n);
            return true;
        };
        if (take("ctrl+")) modifiers |= scCtrl;
        else if (take("shift+")) modifiers |= scShift;
        else if (take("alt+")) modifiers |= scAlt;
        else break;
    }
    for (unsigned key = 1; key < 256; ++key) {
        const std::string name = ShortCutToText(TShortCut(key));
        if (!name.empty() && base::AsciiLower(name) == rest) return ShortCut(key, modifiers);
    }
    return 0;
}

// ---- actions ----

const TClassInfo& TAction::StaticClass() {
    static const TClassInfo info = DescribeClass<TAction>("TAction")
                                       .Str("Caption", &TAction::Caption, &TAction::SetCaption)
                                       .Bool("Checked", &TAction::Checked, &TAction::SetChecked)
                                       .Default(0)
                                       .Bool("Enabled", &TAction::Enabled, &TAction::SetEnabled)
                                       .Default(1)
                                       .Str("Hint", &TAction::Hint)
                                       .Int("ImageIndex", &TAction::ImageIndex, &TAction::SetImageIndex)
                                       .Default(-1)
                                       .Int("ShortCut", &TAction::ShortCutValue, &TAction::SetShortCutValue)
                                       .Default(0)
                                       .Bool("Visible", &TAction::Visible, &TAction::SetVisible)
                                       .Default(1)
                                       .Done();
    return info;
}

template <class V>
void TAction::Assign(V& field, const V& value) {
    if (field == value) return;
    field = value;
    Change();
}

void TAction::SetCaption(const std::string& v) { Assign(caption_, v); }
void TAction::SetEnabled(bool v) { Assign(enabled_, v); }
void TAction::SetChecked(bool v) { Assign(checked_, v); }
void TAction::SetVisible(bool v) { Assign(visible_, v); }
void TAction::SetImageIndex(int v) { Assign(imageIndex_, v); }
void TAction::SetShortCutValue(int v) {
    if (v < 0 || v > 0xFFFF) throw EPropertyError("ShortCut out of range: " + std::to_string(v));
    Assign(shortCut_, v);
}

bool TAction::Execute() { return enabled_ && TBasicAction::Execute(); }

const TClassInfo& TActionList::StaticClass() {
    static const TClassInfo info = DescribeClass<TActionList>("TActionList")
                                       .Obj<TCustomImageList>("Images", &TActionList::Images, &TActionList::Images)
                                       .Done();
    return info;
}

void TActionList::UpdateActions() {
    if (!Owner()) return;
    for (int i = 0; i < Owner()->ComponentCount(); ++i)
        if (auto* a = dynamic_cast<TBasicAction*>(Owner()->Components(i))) a->Update();
}

}  // namespace tv
