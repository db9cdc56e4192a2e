// Actions: one command with its caption, state and handlers, shared by the menu items
// (and later buttons) that show it. An action's change reaches every item linked to it;
// Update lets the program's OnUpdate set the state before the command is shown.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Classes.h"
#include "framework/TypInfo.h"

namespace tv {

class TBasicAction;
class TCustomImageList;

// What shows an action: told whenever the action's state changed, and when it goes.
class TActionClient {
public:
    virtual void ActionChanged(TBasicAction* action) = 0;
    virtual void ActionFreed(TBasicAction* action) = 0;

protected:
    ~TActionClient() = default;
};

class TBasicAction : public TComponent {
    TV_CLASS(TBasicAction, TComponent)
    explicit TBasicAction(TComponent* owner);
    ~TBasicAction() override;

    // Runs OnExecute; false when there is none.
    virtual bool Execute();
    // Runs OnUpdate; false when there is none.
    virtual bool Update();
    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;

    void RegisterClient(TActionClient* client);
    void UnregisterClient(TActionClient* client);

protected:
    void Change();

private:
    std::vector<TActionClient*> clients_;
};

// Short-cut keys: the virtual key in the low byte, the modifiers in the high bits.
using TShortCut = std::uint16_t;
inline constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;
inline constexpr TShortCut ShortCut(unsigned key, TShortCut modifiers) { return TShortCut((key & 0xFF) | modifiers); }
// "Ctrl+Shift+S", "F2", "Alt+F4", "Del"; empty for 0.
std::string ShortCutToText(TShortCut shortCut);
// The reverse; 0 for a text that names no key.
TShortCut TextToShortCut(std::string_view text);

class TAction : public TBasicAction {
    TV_CLASS(TAction, TBasicAction)
    using TBasicAction::TBasicAction;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    bool Checked() const { return checked_; }
    void SetChecked(bool v);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v);
    int ShortCutValue() const { return shortCut_; }
    void SetShortCutValue(int v);
    std::string Hint;

    // A disabled action does not run.
    bool Execute() override;

private:
    template <class V>
    void Assign(V& field, const V& value);
    std::string caption_;
    bool enabled_ = true, checked_ = false, visible_ = true;
    int imageIndex_ = -1;
    int shortCut_ = 0;
};

// Holds actions (the form owns them; the list groups them and lends them images).
class TActionList : public TComponent {
    TV_CLASS(TActionList, TComponent)
    using TComponent::TComponent;
    // Every action owned by the list's owner that the list holds, updated.
    void UpdateActions();
    TCustomImageList* Images = nullptr;
};

}  // namespace tv
