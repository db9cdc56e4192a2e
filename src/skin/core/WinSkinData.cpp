#include "skin/core/WinSkinData.h"

#include <new>
#include <optional>

#include "base/Handles.h"
#include "base/Text.h"
#include "framework/Application.h"
#include "framework/Streaming.h"
#include "base/Handles.h"
#include "skin/resources/SkinRead.h"

namespace skin {

namespace {

// Loaded at start-up, freed at shutdown; a missing entry point stays null.
class User32Library {
public:
    User32Library() : module_(::LoadLibraryA("user32.dll")) {
        if (!module_) return;
        auto find = [this](auto& slot, const char* name) {
            slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(
                reinterpret_cast<void*>(::GetProcAddress(module_, name)));
        };
        find(entries_.GetScrollBarInfo, "GetScrollBarInfo");
        find(entries_.TrackMouseEvent, "TrackMouseEvent");
        find(entries_.GetComboBoxInfo, "GetComboBoxInfo");
        find(entries_.DisableProcessWindowsGhosting, "DisableProcessWindowsGhosting");
    }
    ~User32Library() {
        if (module_) ::FreeLibrary(module_);
    }
    User32Library(const User32Library&) = delete;
    User32Library& operator=(const User32Library&) = delete;
    const OptionalUser32& Entries() const { return entries_; }

private:
    HMODULE module_;
    OptionalUser32 entries_;
};

const User32Library& User32() {
    static const User32Library library;
    return library;
}
// Looked up when the program starts, as every other unit expects them to be there.
[[maybe_unused]] const User32Library& kUser32AtStart = User32();

// The file's bytes; nothing when it cannot be opened. A file larger than any skin we
// accept, or one there is no memory for, reads as empty: no skin.
std::optional<std::vector<std::uint8_t>> ReadSkinFileBytes(const std::string& name) {
    const base::OwnedHandle file(::CreateFileW(text::Widen(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 || size.QuadPart > TSkinReader::kMaxUnpackedSize)
        return bytes;
    try {
        bytes.resize(std::size_t(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return std::vector<std::uint8_t>();
    }
    DWORD read = 0;
    if (!::ReadFile(file.Get(), bytes.data(), DWORD(bytes.size()), &read, nullptr)) read = 0;
    bytes.resize(read);
    return bytes;
}

}  // namespace

const OptionalUser32& User32Entries() { return User32().Entries(); }

const tv::TEnumInfo& SkinControlTypeInfo() {
    static const tv::TEnumInfo info = tv::TEnumInfo::Sequential(
        "TSkinControlType",
        {"xcMainMenu", "xcPopupMenu", "xcMenuItem", "xcToolbar", "xcControlbar", "xcCombo", "xcCheckBox",
         "xcRadioButton", "xcProgress", "xcScrollbar", "xcEdit", "xcButton", "xcBitBtn", "xcSpeedButton", "xcSpin",
         "xcPanel", "xcGroupBox", "xcStatusBar", "xcTab", "xcTrackBar", "xcSystemMenu", "xcFastReport"});
    return info;
}

const tv::TEnumInfo& SkinOptionInfo() {
    static const tv::TEnumInfo info = tv::TEnumInfo::Sequential(
        "TSkinOption", {"xoMDIScrollbar", "xoMenuMerge", "xoTransparent", "xoPreview", "xoParentBackGround",
                        "xoNoFocusRect", "xoToolbarBK", "xoToolbarButton", "xoMDIChildBorder", "xoMenuBG",
                        "xoFormScrollbar"});
    return info;
}

const tv::TEnumInfo& SkinFormTypeInfo() {
    static const tv::TEnumInfo info =
        tv::TEnumInfo::Sequential("TSkinFormType", {"sfMainform", "sfOnlyThisForm", "sfDialog", "sfDLL"});
    return info;
}

const std::vector<std::string>& DefaultSkin3rd() {
    static const std::vector<std::string> lines = [] {
        std::vector<std::string> v;
        auto group = [&v](const char* kind, std::initializer_list<const char*> classes) {
            for (const char* c : classes) v.push_back(std::string(c) + "=" + kind);
        };
        group("scrollbar", {"TCategoryButtons", "TVirtualStringTree", "TVirtualDrawTree", "TAdvPanelGroup",
                            "THTMLViewer", "TDBCtrlGrid", "TImageEnMView", "TImageEnView", "TAdvMemo", "TDBAdvMemo"});
        group("pngbitbtn", {"TPngBitBtn"});
        group("Panel", {"TTBXDockablePanel", "TControlBar", "TTBDock", "TTBToolbar", "TRzGroup", "TLMDCalculator",
                        "TLMDGROUPBOX", "TLMDSIMPLEPANEL", "TLMDDBCalendar", "TLMDButtonPanel", "TLMDLMDCalculator",
                        "TLMDHeaderPanel", "TLMDTechnicalLine", "TLMDLMDClock", "TLMDTrackbar"});
        group("combobox",
              {"TComboboxex", "TcxDBLookupComboBox", "TcxDBComboBox", "TcxDBDateEdit", "TcxDBImageComboBox",
               "TcxDBCalcEdit", "TcxDBBlobEdit", "TcxDBPopupEdit", "TcxDBFontNameComboBox", "TcxDBShellComboBox",
               "TRxLookupEdit", "TRxDBLookupCombo", "TRzDateTimeEdit", "TRzColorEdit", "TRzDateTimePicker",
               "TRzDBDateTimeEdit", "TRzDbColorEdit", "TRzDBDateTimePicker", "TLMDListCombobox",
               "TLMDCheckListCombobox", "TLMDHeaderListCombobox", "TLMDImageCombobox", "TLMDColorCombobox",
               "TLMDFontCombobox", "TLMDFontSizeCombobox", "TLMDFontSizeCombobox", "TLMDPrinterCombobox",
               "TLMDDriveCombobox", "TLMDCalculatorComboBox", "TLMDTrackBarComboBox", "TLMDCalendarComboBox",
               "TLMDTreeComboBox", "TDBLookupCombobox", "TWWDBCombobox", "TWWDBLookupCombo", "TWWDBCombobox",
               "TWWKeyCombo", "TWWTempKeyCombo", "TWWDBDateTimePicker"});
        group("speedbutton", {"TRxSpeedButton", "TfrSpeedButton", "TfrTBButton"});
        group("button", {"TRzButton"});
        group("bitbtn", {"TRzBitbtn", "TLMDButton", "TcxButton"});
        group("menubtn", {"TRzMenuButton"});
        group("CheckGroup", {"TRzCheckGroup", "TLMDCheckGroup", "TLMDDBCheckGroup"});
        group("Radiogroup", {"TRzRadioGroup", "TRzDBRadioGroup", "TLMDRADIOGROUP", "TLMDDBRADIOGROUP",
                             "TWWRADIOGROUP", "TcxDBRadioGroup", "TcxRadioGroup"});
        group("Radiobutton", {"TRzDBRadioButton", "TLMDRadiobutton"});
        group("Edit", {"TRzButtonEdit", "TLMDCalculatorEdit", "TLMDEDIT", "TLMDMASKEDIT", "TLMDBROWSEEDIT",
                       "TLMDEXTSPINEDIT", "TLMDCALENDAREDIT", "TLMDFILEOPENEDIT", "TLMDFILESAVEEDIT",
                       "TLMDCOLOREDIT", "TLMDDBEDIT", "TLMDDBMASKEDIT", "TLMDDBEXTSPINEDIT", "TLMDDBSPINEDIT",
                       "TLMDDBEDITDBLookup", "TLMDEDITDBLookup", "TWWDBEDIT", "TOVCPICTUREFIELD",
                       "TOVCDBPICTUREFIELD", "TOVCSLIDEREDIT", "TOVCDBSLIDEREDIT", "TOVCSIMPLEFIELD",
                       "TOVCDBSIMPLEFIELD", "TO32DBFLEXEDIT", "TOVCNUMERICFIELD", "TOVCDBNUMERICFIELD"});
        group("Groupbox", {"TLMDGroupBox", "TcxGroupbox"});
        group("Checkbox", {"TDBCheckboxEh", "TDBCheckboxEh", "TLMDCHECKBOX", "TLMDDBCHECKBOX"});
        return v;
    }();
    return lines;
}

const tv::TClassInfo& TSkinData::StaticClass() {
    static const tv::TClassInfo info =
        tv::DescribeClass<TSkinData>("TSkinData")
            .Bool("Active", &TSkinData::Active, &TSkinData::SetActive)
            .Int("DisableTag", &TSkinData::DisableTag)
            .Set("SkinControls", SkinControlTypeInfo(), &TSkinData::SkinControls)
            .Set("Options", SkinOptionInfo(), &TSkinData::Options)
            .Obj<tv::TStrings>("Skin3rd", [](TSkinData& d) -> tv::TStrings* { return &d.Skin3rd(); }, nullptr)
            .Str("SkinFile", &TSkinData::SkinFile, &TSkinData::SetSkinFile)
            .Str("SkinStore", &TSkinData::SkinStore, &TSkinData::SetSkinStore)
            .Enum("SkinFormtype", SkinFormTypeInfo(), &TSkinData::SkinFormtype)
            .Str("Version", &TSkinData::Version, &TSkinData::SetVersion)
            .Bool("MenuUpdate", &TSkinData::MenuUpdate)
            .Bool("MenuMerge", &TSkinData::MenuMerge)
            .Event("OnFormSkin", &TSkinData::OnFormSkin)
            .Event("OnSkinChanged", &TSkinData::OnSkinChanged)
            .Event("OnSkinControl", &TSkinData::OnSkinControl)
            .Event("OnBeforeSkinForm", &TSkinData::OnBeforeSkinForm)
            .Event("OnAfterSkinForm", &TSkinData::OnAfterSkinForm)
            .Done();
    return info;
}

TSkinData::TSkinData(tv::TComponent* owner) : TSkinModel(owner) {
    SkinFormtype = TSkinFormType::sfMainform;
    SkinEmpty = true;
    AppIcon.SetPixelFormat(raster::PixelFormat::Bgr24);
    FramePainting = true;
    skin3rd_ = std::make_unique<tv::TStringList>();
    for (const std::string& line : DefaultSkin3rd()) skin3rd_->Add(line);
    MenuUpdate = true;
    MenuMerge = false;
    Options = TSkinOptions::FromBits(kDefaultSkinOptions);
    DisableTag = 99;
    SkinControls = TSkinControlTypes::FromBits(kDefaultSkinControls);
    menuGlyphs_ = std::make_unique<tv::TImageList>(nullptr);
    menuGlyphs_->SetSize(16, 16);
    menuGlyphs_->LoadFromResourceName(::GetModuleHandleW(nullptr), "PELAGEMENU", 16, tv::clWhite);
}



bool TSkinData::LoadSkinGuarded() {
    LoadError.clear();
    // A skin that fails to load in any way leaves the window unskinned; it never stops the
    // form from loading. LoadSkin raises only ESkinLoadError; the rest is a last net.
    try {
        return LoadSkin();
    } catch (const std::exception& e) {
        LoadError = e.what();
    } catch (...) {
    }
    if (LoadError.empty()) LoadError = "the skin could not be loaded";
    SkinEmpty = true;
    return false;
}

void TSkinData::SetSkinFile(const std::string& name) {
    SkinEmpty = true;
    skinFile_ = name;
    if (HasState(tv::TComponentState::Designing)) {
        if (!name.empty() && SkinStream.Size() > 0) SkinStream.Clear();  // the file replaces the stored skin
        return;
    }
    if (name.empty()) return;
    const auto bytes = ReadSkinFileBytes(name);
    if (!bytes) return;
    SkinStream.Clear();
    if (!bytes->empty()) SkinStream.LoadFromBytes(bytes->data(), bytes->size());
    LoadSkinGuarded();
    ApplyNewSkin();
}

std::string TSkinData::SkinStore() const {
    if (HasState(tv::TComponentState::Designing) && !SkinStream.Bytes().empty()) return "(Good)";
    return "(none)";
}

void TSkinData::DefineProperties(tv::TFiler& filer) {
    TSkinModel::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "SkinStream", [this](tv::TStream& s) { ReadSkinStream(s); }, [this](tv::TStream& s) { WriteSkinStream(s); },
        true);
}

void TSkinData::ReadSkinStream(tv::TStream& stream) {
    const std::int32_t n = stream.ReadInt32();
    if (n <= 0) return;
    // A count beyond the stored bytes is a damaged description: refuse it before allocating.
    if (n > stream.Size() - stream.Position()) throw tv::EStreamError("SkinStream holds fewer bytes than its count");
    SkinStream.Clear();
    SkinStream.SetSize(n);
    stream.ReadBuffer(SkinStream.Memory(), std::size_t(n));
    SkinStream.SetPosition(0);
    if (!HasState(tv::TComponentState::Designing)) LoadSkinGuarded();
}

void TSkinData::WriteSkinStream(tv::TStream& stream) {
    const auto size = std::int32_t(SkinStream.Size());
    stream.WriteInt32(size);
    if (size > 0) stream.WriteBuffer(SkinStream.Memory(), std::size_t(size));
}



void TSkinData::QueryFormSkin(HWND, const std::string& className, bool& DoSkin) {
    if (OnFormSkin) {
        OnFormSkin(this, className, DoSkin);
        return;
    }
    if (className == "SysMonthCal32")
        DoSkin = false;
    else if (SkinControls.Contains(TSkinControlType::xcFastReport) && className.rfind("Tfr", 0) == 0)
        DoSkin = false;
}

void TSkinData::NotifySkinChanged() {
    if (OnSkinChanged) OnSkinChanged(this);
}

void TSkinData::CaptureAppIcon() {
    HWND app = tv::Application ? tv::Application->Handle() : nullptr;
    if (!app) return;
    HICON icon = reinterpret_cast<HICON>(::SendMessageW(app, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(::SendMessageW(app, WM_GETICON, ICON_BIG, 0));
    if (!icon) return;
    const int cx = ::GetSystemMetrics(SM_CXSMICON), cy = ::GetSystemMetrics(SM_CYSMICON);
    tv::TBitmap bitmap;
    bitmap.SetPixelFormat(raster::PixelFormat::Bgr24);
    bitmap.SetSize(cx, cy);
    bitmap.Canvas().Brush().SetColor(tv::clFuchsia);
    const RECT all{0, 0, cx, cy};
    bitmap.Canvas().FillRect(all);
    const base::OwnedIcon copy(static_cast<HICON>(::CopyImage(icon, IMAGE_ICON, cx, cy, LR_COPYFROMRESOURCE)));
    if (copy) ::DrawIconEx(bitmap.Canvas().Handle(), 0, 0, copy.Get(), cx, cy, 0, nullptr, DI_NORMAL);
    AppIcon.Assign(bitmap);
    AppIcon.TransparentColor = tv::clFuchsia;
    AppIcon.Transparent = true;
}

void TSkinData::ReplaceFaceBrush() {
    faceBrush_.Reset(::CreateSolidBrush(tv::ColorToRGB(SkinColors.ButtonFace)));
}

// ---- helpers ----

int DrawTextWide(HDC dc, const std::wstring& text, RECT& rect, UINT format) {
    if ((::GetVersion() & 0x80000000u) == 0)  // the NT family draws wide text itself
        return ::DrawTextW(dc, text.c_str(), int(text.size()), &rect, format);
    std::string narrow(std::size_t(::WideCharToMultiByte(CP_ACP, 0, text.c_str(), int(text.size()), nullptr, 0,
                                                         nullptr, nullptr)),
                       '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), int(text.size()), narrow.data(), int(narrow.size()), nullptr,
                          nullptr);
    return ::DrawTextA(dc, narrow.c_str(), -1, &rect, format);
}

std::wstring AnsiToWide(const std::string& text) {
    if (text.empty()) return {};
    const int n = ::MultiByteToWideChar(SkinCodePage, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(std::size_t(n > 0 ? n : 0), L'\0');
    if (n > 0) ::MultiByteToWideChar(SkinCodePage, 0, text.data(), int(text.size()), wide.data(), n);
    return wide;
}

tv::TWinControl* ControlFromHandle(HWND window) { return window ? tv::FindControl(window) : nullptr; }

bool QueryScrollBarInfo(HWND window, LONG objectId, SCROLLBARINFO& info) {
    const auto fn = User32Entries().GetScrollBarInfo;
    return fn && fn(window, objectId, &info) != FALSE;
}

void TrackMouseLeave(HWND window) {
    const auto fn = User32Entries().TrackMouseEvent;
    if (!fn) return;
    TRACKMOUSEEVENT tme{};
    tme.cbSize = sizeof tme;
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = window;
    fn(&tme);
}

}  // namespace skin
