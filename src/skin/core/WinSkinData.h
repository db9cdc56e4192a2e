// The skin container: the component a form carries to be skinned. It keeps the packed skin
// in the form's stored description (the binary property SkinStream), the settings that say
// what to skin, the class mappings for other libraries' controls, and the loaded skin model
// it derives from. Also the few helpers every skinner shares.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "framework/Strings.h"
#include "framework/Controls.h"
#include "framework/Graphics.h"
#include "framework/ImgList.h"
#include "skin/core/SkinModel.h"

namespace skin {

// Bit n of SkinControls is member n (the set is stored in 4 bytes).
enum class TSkinControlType {
    xcMainMenu, xcPopupMenu, xcMenuItem, xcToolbar, xcControlbar, xcCombo, xcCheckBox, xcRadioButton, xcProgress,
    xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton, xcSpin, xcPanel, xcGroupBox, xcStatusBar, xcTab,
    xcTrackBar, xcSystemMenu, xcFastReport,
};
using TSkinControlTypes = tv::TSet<TSkinControlType>;
const tv::TEnumInfo& SkinControlTypeInfo();

// Bit n of Options is member n (stored in 2 bytes).
enum class TSkinOption {
    xoMDIScrollbar, xoMenuMerge, xoTransparent, xoPreview, xoParentBackGround, xoNoFocusRect, xoToolbarBK,
    xoToolbarButton, xoMDIChildBorder, xoMenuBG, xoFormScrollbar,
};
using TSkinOptions = tv::TSet<TSkinOption>;
const tv::TEnumInfo& SkinOptionInfo();

enum class TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog, sfDLL };
const tv::TEnumInfo& SkinFormTypeInfo();

class TSkinData;
using TOnFormSkin = tv::TEvent<void(tv::TObject* Sender, const std::string& aName, bool& DoSkin)>;
using TOnSkinForm = tv::TEvent<void(tv::TObject* Sender, HWND ahwnd, const std::string& aName)>;
using TOnSkinControl = tv::TEvent<void(tv::TComponent* Sender, TSkinData* SkinData, tv::TControl* Form,
                                       tv::TControl* Control, const std::string& ControlClass,
                                       tv::TComponent*& SkinnedControl)>;

inline constexpr std::uint32_t kDefaultSkinControls = 0x001FFFFB;
inline constexpr std::uint32_t kDefaultSkinOptions = 0x0048;
inline constexpr const char* kSkinDataVersion = "4.86.06.13";

// The class-to-skinner lines a new container starts with (ClassName=kind).
const std::vector<std::string>& DefaultSkin3rd();

class TSkinData : public TSkinModel {
    TV_CLASS(TSkinData, TSkinModel)
    explicit TSkinData(tv::TComponent* owner);
    ~TSkinData() override;

    // Published settings.
    bool Active() const { return active_; }
    void SetActive(bool value);
    std::int32_t DisableTag = 99;
    TSkinControlTypes SkinControls = TSkinControlTypes::FromBits(kDefaultSkinControls);
    TSkinOptions Options = TSkinOptions::FromBits(kDefaultSkinOptions);
    tv::TStringList& Skin3rd() { return *skin3rd_; }
    const tv::TStringList& Skin3rd() const { return *skin3rd_; }
    void SetSkin3rd(const tv::TStrings& lines) { skin3rd_->Assign(lines); }
    const std::string& SkinFile() const { return skinFile_; }
    void SetSkinFile(const std::string& name);
    // "(Good)" only at design time with a stored skin; writing it changes nothing.
    std::string SkinStore() const;
    void SetSkinStore(const std::string&) {}
    TSkinFormType SkinFormtype = TSkinFormType::sfMainform;
    std::string Version() const { return kSkinDataVersion; }
    void SetVersion(const std::string&) {}
    bool MenuUpdate = true;
    bool MenuMerge = false;
    TOnFormSkin OnFormSkin;
    tv::TNotifyEvent OnSkinChanged;
    TOnSkinControl OnSkinControl;
    TOnSkinForm OnBeforeSkinForm;
    TOnSkinForm OnAfterSkinForm;

    void DefineProperties(tv::TFiler& filer) override;
    void Loaded() override;

    // The binary property: 32-bit count, then the packed skin, loaded at once.
    void ReadSkinStream(tv::TStream& stream);
    void WriteSkinStream(tv::TStream& stream);

    void ApplyNewSkin();
    // The last word on whether a window of this class is skinned.
    void QueryFormSkin(HWND window, const std::string& className, bool& DoSkin);
    void NotifySkinChanged();
    void CaptureAppIcon();

    // Solid brush of the skin's ButtonFace; null before the first load.
    HBRUSH FaceBrush() const { return faceBrush_.Get(); }
    // The system menu's item images: restore, maximize, minimize, close.
    tv::TImageList& MenuGlyphs() { return *menuGlyphs_; }
    // The application's small icon on magenta (transparent); empty until captured.
    tv::TBitmap AppIcon;
    bool FramePainting = true;
    // Why the stored skin did not load, when it did not; empty otherwise.
    std::string LoadError;

protected:
    void ReplaceFaceBrush() override;

private:
    bool LoadSkinGuarded();
    bool active_ = false;
    std::unique_ptr<tv::TStringList> skin3rd_;
    std::string skinFile_;
    tv::OwnedBrush faceBrush_;
    std::unique_ptr<tv::TImageList> menuGlyphs_;
};

// Entry points of user32 that older systems lack, looked up once at start-up.
struct OptionalUser32 {
    BOOL(WINAPI* GetScrollBarInfo)(HWND, LONG, PSCROLLBARINFO) = nullptr;
    BOOL(WINAPI* TrackMouseEvent)(LPTRACKMOUSEEVENT) = nullptr;
    BOOL(WINAPI* GetComboBoxInfo)(HWND, PCOMBOBOXINFO) = nullptr;
    void(WINAPI* DisableProcessWindowsGhosting)() = nullptr;
};
const OptionalUser32& User32Entries();

// Our strings are UTF-8: that is the code page the narrow helpers convert from.
inline UINT SkinCodePage = CP_UTF8;

// Draws wide text (DrawTextW, the text's length as count); returns what the call returns.
int DrawTextWide(HDC dc, const std::wstring& text, RECT& rect, UINT format);
std::wstring AnsiToWide(const std::string& text);
// The framework control that owns the window, or null (also for a null handle).
tv::TWinControl* ControlFromHandle(HWND window);
// False when the system lacks GetScrollBarInfo.
bool QueryScrollBarInfo(HWND window, LONG objectId, SCROLLBARINFO& info);
// Asks for WM_MOUSELEAVE when the system can tell it.
void TrackMouseLeave(HWND window);

}  // namespace skin
