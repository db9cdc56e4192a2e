// The skin manager: the one process-wide object that finds the windows to skin. The
// first skin container that finishes loading creates it; it hooks window creation and
// activation on the GUI thread, gives each qualifying top-level window a form
// skinner with the right container, keeps the registry of form skinners, and runs
// the containers' commands (skin all, unskin all, the skin changed) from a timer.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "framework/ExtCtrls.h"
#include "raster/Bitmap.h"
#include "skin/core/FormSkinner.h"

namespace skin {

class TSkinData;
class TWinSkinPopMenu;

// Private window messages of the engine that the manager sends or posts.
inline constexpr UINT SKM_ACTIVATESKIN = 0x3503;

// StartState of the manager.
enum : int { kManagerWaiting = 0, kManagerStarted = 1, kManagerClosing = 4 };

// PopupKind: which menu is about to open.
enum : int { kPopupContext = 0, kPopupMenuBar = 1, kPopupSystemMenu = 2 };

// Commands of the containers.
enum : int { kCommandSkin = 1, kCommandUnskin = 2, kCommandSkinChanged = 3 };

class TSkinManage {
public:
    TSkinManage();
    ~TSkinManage();
    TSkinManage(const TSkinManage&) = delete;
    TSkinManage& operator=(const TSkinManage&) = delete;

    void InstallHook();
    bool HookInstalled() const { return hook_ != nullptr; }
    void AddSkinData(TSkinData* data);
    void RemoveSkinData(TSkinData* data);
    // Runs command about the container owner after delay ms; a newer command replaces it.
    void PostCommand(int command, int delay, TSkinData* owner);
    // Skins a top-level window now if it qualifies; true when a form skinner was attached.
    bool SkinWindow(HWND window);
    TFormSkinner* FindFormSkinner(HWND window) const;
    // The form skinner of window leaves the registry without being freed.
    void ForgetWindow(HWND window);
    // The same for a form skinner that is being freed (its destructor).
    void Forget(TFormSkinner* skinner);
    // Every form skinner that uses owner frees its caption buttons (a new skin is coming).
    void ReleaseCaptionButtons(TSkinData* owner);
    void SetMergedMenuMode(bool on);

    // Popup menu windows: one popup skinner each, from the window's creation to its end.
    bool SkinPopupMenu(HWND window);
    bool UnskinPopupMenu(HWND window);
    bool IsPopupSkinned(HWND window) const;
    // The newest popup that does not know its menu yet shows menu.
    void AssignPopupMenu(HMENU menu);
    // The background of the popup showing menu, or null.
    const raster::Bitmap* PopupBackground(HMENU menu) const;
    int PopupSkinnerCount() const { return int(popupSkinners_.size()); }
    // Runs the pending command now (the timer does it after the delay).
    void RunCommand();

    int FormSkinnerCount() const { return int(formSkinners_.size()); }
    TFormSkinner* FormSkinners(int index) const { return formSkinners_.at(std::size_t(index)).get(); }
    const std::vector<TSkinData*>& SkinDataList() const { return skinDataList_; }
    TSkinData* MainSkin() const { return mainSkin_; }
    int PendingCommand() const { return pendingCommand_; }
    bool CommandScheduled() const { return commandTimer_.Enabled(); }
    // How many window class names the manager has asked for: the hook's cost per window.
    static long ClassNameQueries();

    bool Enabled = false;
    bool Forced = false;
    int StartState = kManagerWaiting;
    int PopupKind = 0;
    bool MenuBarPopup = false;
    bool MergedMenuMode = false;
    HWND MDIClientWindow = nullptr;
    tv::TWinControl* MDIMainForm = nullptr;

private:
    static LRESULT CALLBACK CBTHookProc(int code, WPARAM wParam, LPARAM lParam);
    void HandleHook(int code, WPARAM wParam, LPARAM lParam);
    bool AcceptWindow(HWND window, const std::string& className) const;
    TSkinData* ChooseSkinData(HWND window) const;
    void SkinFormIfVisible(tv::TWinControl* form);
    void PurgeDeadForms();
    void FreeFormSkinner(std::size_t index, bool unskin);

    tv::TTimer commandTimer_{nullptr};
    HHOOK hook_ = nullptr;
    std::vector<std::unique_ptr<TFormSkinner>> formSkinners_;
    std::vector<std::unique_ptr<TWinSkinPopMenu>> popupSkinners_;
    std::vector<TSkinData*> skinDataList_;
    int pendingCommand_ = 0;
    TSkinData* commandOwner_ = nullptr;
    TSkinData* mainSkin_ = nullptr;
};

// The manager; null until the first container has loaded, and after the program's end.
TSkinManage* SkinManager();
// Creates the manager when there is none.
TSkinManage& EnsureSkinManager();
// Frees the manager (the program's end; tests).
void FreeSkinManager();

// The framework form whose window is window, else the framework control of the window, else null.
tv::TWinControl* FormOfWindow(HWND window);
// A child window that is no MDI child: part of another window, never skinned as a form.
bool IsEmbeddedChild(HWND window);

}  // namespace skin
