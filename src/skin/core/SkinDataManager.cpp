// The container's dealings with the skin manager: joining it when loaded, switching
// skinning on and off, telling it of a new skin, leaving it when freed.
#include "framework/Forms.h"
#include "skin/core/WinSkinData.h"
#include "skin/core/WinSkinDlg.h"

namespace skin {

TSkinData::~TSkinData() {
    if (TSkinManage* manager = SkinManager()) manager->RemoveSkinData(this);
}

void TSkinData::SetActive(bool value) {
    if (value == active_) return;
    active_ = value;
    if (HasState(tv::TComponentState::Designing) || HasState(tv::TComponentState::Loading)) return;
    TSkinManage& manager = EnsureSkinManager();
    switch (SkinFormtype) {
        case TSkinFormType::sfMainform:
            if (value) {
                if (SkinEmpty) return;
                manager.PostCommand(kCommandSkin, 250, this);
                manager.StartState = kManagerStarted;
            } else {
                manager.PostCommand(kCommandUnskin, 250, this);
            }
            return;
        case TSkinFormType::sfOnlyThisForm:
            if (value && SkinEmpty) return;
            manager.PostCommand(value ? kCommandSkin : kCommandUnskin, 250, this);
            return;
        default: return;
    }
}

void TSkinData::Loaded() {
    TSkinModel::Loaded();
    if (HasState(tv::TComponentState::Designing)) return;
    if (!User32Entries().GetScrollBarInfo) SkinControls.Exclude(TSkinControlType::xcScrollbar);
    TSkinManage& manager = EnsureSkinManager();
    manager.AddSkinData(this);
    // A skin of one form or of dialogs is done once it has joined the manager.
    if (SkinFormtype != TSkinFormType::sfMainform) {
        manager.Enabled = true;
        ++manager.StartState;
        if (auto* form = dynamic_cast<tv::TCustomForm*>(Owner()); form && active_) manager.SkinWindow(form->Handle());
        return;
    }
    manager.InstallHook();
    if (active_) {
        // A main skin without a parsed skin cannot stay active.
        if (SkinEmpty)
            active_ = false;
        else
            manager.PostCommand(kCommandSkin, 250, this);
    }
    if (SkinControls.Contains(TSkinControlType::xcMainMenu))
        SkinControls.Exclude(TSkinControlType::xcMenuItem);
    else
        SkinControls.Exclude(TSkinControlType::xcSystemMenu);
    CaptureAppIcon();
}

void TSkinData::ApplyNewSkin() {
    if (HasState(tv::TComponentState::Designing) || HasState(tv::TComponentState::Reading)) return;
    if (!SkinManager()) Loaded();
    TSkinManage& manager = EnsureSkinManager();
    manager.ReleaseCaptionButtons(this);
    if (manager.StartState == kManagerStarted) manager.PostCommand(kCommandSkinChanged, 250, this);
}

}  // namespace skin
