#include "skin/core/WinSkinDlg.h"

#include <algorithm>

#include "base/Ascii.h"
#include "base/CallbackGuard.h"
#include "base/Text.h"
#include "framework/Forms.h"
#include "skin/core/WinSkinData.h"
#include "skin/core/WinSkinMenu.h"

namespace skin {

namespace {
std::unique_ptr<TSkinManage>& ManagerSlot() {
    static std::unique_ptr<TSkinManage> manager;
    return manager;
}

long classNameQueries = 0;

std::string ClassOf(HWND window) {
    ++classNameQueries;
    wchar_t buffer[256] = {};
    const int n = ::GetClassNameW(window, buffer, 256);
    return text::Narrow(std::wstring_view(buffer, std::size_t(std::max(n, 0))));
}

bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }
}  // namespace

// The form skinner's few out-of-line parts: they need the manager.

namespace {
TFormSkinnerFactory& Factory() {
    static TFormSkinnerFactory factory;
    return factory;
}
}  // namespace

void SetFormSkinnerFactory(TFormSkinnerFactory factory) { Factory() = std::move(factory); }
const TFormSkinnerFactory& FormSkinnerFactory() { return Factory(); }

const tv::TClassInfo& TFormSkinner::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TFormSkinner>("TFormSkinner").Done();
    return info;
}

TFormSkinner::~TFormSkinner() {
    if (TSkinManage* manager = SkinManager()) manager->Forget(this);
}


TSkinManage* SkinManager() { return ManagerSlot().get(); }

TSkinManage& EnsureSkinManager() {
    if (!ManagerSlot()) ManagerSlot() = std::make_unique<TSkinManage>();
    return *ManagerSlot();
}

void FreeSkinManager() {
    // Moved out first: skinners freed now find no manager to leave.
    std::unique_ptr<TSkinManage> manager = std::move(ManagerSlot());
}

tv::TWinControl* FormOfWindow(HWND window) {
    // Only forms that have their window: asking the others for one would create it.
    for (tv::TCustomForm* form : tv::FormList())
        if (form->HandleAllocated() && form->Handle() == window) return form;
    return ControlFromHandle(window);
}

bool IsEmbeddedChild(HWND window) {
    const auto style = ::GetWindowLongPtrW(window, GWL_STYLE);
    const auto exStyle = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
    if (!(style & WS_CHILD) || (exStyle & WS_EX_MDICHILD)) return false;
    return base::AsciiLower(ClassOf(::GetParent(window))) != "mdiclient";
}

TSkinManage::TSkinManage() {
    commandTimer_.SetEnabled(false);
    commandTimer_.SetInterval(100);
    commandTimer_.OnTimer = [this](tv::TObject*) { RunCommand(); };
}

TSkinManage::~TSkinManage() {
    StartState = kManagerClosing;
    Enabled = false;
    commandTimer_.SetEnabled(false);
    // From the last to the first; each is out of the registry before it is freed.
    while (!formSkinners_.empty()) {
        std::unique_ptr<TFormSkinner> skinner = std::move(formSkinners_.back());
        formSkinners_.pop_back();
        base::Guarded([&] { skinner->DetachOnDestroy(); });
    }
    popupSkinners_.clear();  // each gives its window back
    skinDataList_.clear();
    if (hook_) ::UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
}

long TSkinManage::ClassNameQueries() { return classNameQueries; }

void TSkinManage::InstallHook() {
    if (hook_) return;
    hook_ = ::SetWindowsHookExW(WH_CBT, CBTHookProc, nullptr, ::GetCurrentThreadId());
}

LRESULT CALLBACK TSkinManage::CBTHookProc(int code, WPARAM wParam, LPARAM lParam) {
    TSkinManage* manager = SkinManager();
    if (code >= 0 && manager)
        base::Guarded([&] { manager->HandleHook(code, wParam, lParam); });
    return ::CallNextHookEx(manager ? manager->hook_ : nullptr, code, wParam, lParam);
}

void TSkinManage::HandleHook(int code, WPARAM wParam, LPARAM lParam) {
    HWND window = reinterpret_cast<HWND>(wParam);
    switch (code) {
        case HCBT_CREATEWND: {
            const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
            const CREATESTRUCTW* cs = create ? create->lpcs : nullptr;
            if (!cs) return;
            const std::string cls = ClassOf(window);
            // A size grip made inside a skinned window is skinned with it.
            if (cls == "ScrollBar" && (cs->style & SBS_SIZEGRIP)) {
                if (TFormSkinner* owner = FindFormSkinner(cs->hwndParent)) owner->AttachChildSkinner(window);
            }
            if (!(cs->style & WS_CHILD) && cls == "#32768") SkinPopupMenu(window);
            if (cs->dwExStyle & WS_EX_MDICHILD) SkinWindow(window);
            return;
        }
        case HCBT_DESTROYWND: UnskinPopupMenu(window); return;
        case HCBT_ACTIVATE:
            if (StartState == kManagerWaiting) StartState = kManagerStarted;
            SkinWindow(window);
            return;
        default: return;
    }
}

bool TSkinManage::SkinPopupMenu(HWND window) {
    if (!Enabled || !window || ::SendMessageW(window, SKM_ISSKINNED, 0, 0) == 1 || IsPopupSkinned(window)) return false;
    TSkinData* data = ChooseSkinData(window);
    if (!data || data->SkinEmpty) return false;
    const auto& kinds = data->SkinControls;
    switch (PopupKind) {
        case kPopupContext:
            if (!kinds.Contains(TSkinControlType::xcPopupMenu)) return false;
            break;
        case kPopupMenuBar:
            if (!kinds.Contains(TSkinControlType::xcMainMenu) && !kinds.Contains(TSkinControlType::xcMenuItem))
                return false;
            break;
        case kPopupSystemMenu:
            if (!kinds.Contains(TSkinControlType::xcSystemMenu)) return false;
            break;
        default: break;
    }
    auto skinner = std::make_unique<TWinSkinPopMenu>();
    skinner->Attach(window, data, nullptr, &Enabled);
    popupSkinners_.push_back(std::move(skinner));
    return true;
}

bool TSkinManage::UnskinPopupMenu(HWND window) {
    bool had = false;
    for (auto it = popupSkinners_.begin(); it != popupSkinners_.end(); ++it)
        if ((*it)->Window() == window) {
            std::unique_ptr<TWinSkinPopMenu> skinner = std::move(*it);
            popupSkinners_.erase(it);
            skinner->Detach();
            had = true;
            break;
        }
    if (popupSkinners_.empty()) {
        MenuBarPopup = false;
        PopupKind = kPopupContext;
    }
    return had;
}

bool TSkinManage::IsPopupSkinned(HWND window) const {
    for (const auto& s : popupSkinners_)
        if (s->Window() == window) return true;
    return false;
}

void TSkinManage::AssignPopupMenu(HMENU menu) {
    // The newest popup without a menu is the one being drawn.
    for (auto it = popupSkinners_.rbegin(); it != popupSkinners_.rend(); ++it)
        if (!(*it)->MenuHandle()) {
            (*it)->SetMenuHandle(menu);
            return;
        }
}

const raster::Bitmap* TSkinManage::PopupBackground(HMENU menu) const {
    for (const auto& s : popupSkinners_)
        if (s->MenuHandle() == menu) return &s->Background();
    return nullptr;
}

void TSkinManage::AddSkinData(TSkinData* data) {
    if (std::find(skinDataList_.begin(), skinDataList_.end(), data) != skinDataList_.end()) return;
    skinDataList_.push_back(data);
    if (!mainSkin_ && data->SkinFormtype == TSkinFormType::sfMainform) mainSkin_ = data;
}

void TSkinManage::RemoveSkinData(TSkinData* data) {
    skinDataList_.erase(std::remove(skinDataList_.begin(), skinDataList_.end(), data), skinDataList_.end());
    if (mainSkin_ == data) mainSkin_ = nullptr;
    // A command about a container that is gone has nothing left to do.
    if (commandOwner_ == data) {
        commandOwner_ = nullptr;
        commandTimer_.SetEnabled(false);
    }
}

void TSkinManage::PostCommand(int command, int delay, TSkinData* owner) {
    pendingCommand_ = command;
    commandOwner_ = owner;
    // A new command replaces the pending one and starts the delay again.
    commandTimer_.SetEnabled(false);
    commandTimer_.SetInterval(unsigned(std::max(delay, 1)));
    if (StartState != kManagerWaiting) {
        commandTimer_.SetEnabled(true);
        return;
    }
    // No window has been activated yet: the first activation skins through the hook.
    if (command == kCommandSkin) Enabled = true;
    if (command == kCommandUnskin) Enabled = false;
}

bool TSkinManage::SkinWindow(HWND window) {
    if (!Enabled || !window || !::IsWindow(window)) return false;
    PurgeDeadForms();
    if (::SendMessageW(window, SKM_ISSKINNED, 0, 0) == 1 || FindFormSkinner(window)) return false;
    tv::TWinControl* form = FormOfWindow(window);
    if (!Forced && IsEmbeddedChild(window)) return false;
    const std::string cls = ClassOf(window);
    const bool ours =
        reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(window, GWLP_HINSTANCE)) == ::GetModuleHandleW(nullptr);
    if (!form && !ours && cls != "#32770") return false;
    RECT r{};
    ::GetWindowRect(window, &r);
    const bool mdiChild = (::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0;
    if ((r.right - r.left) * (r.bottom - r.top) == 0 && !mdiChild) return false;
    // A fixed tag, whatever the containers' DisableTag says.
    if (form && form->Tag() == 99) return false;
    if (Contains(cls, "TcxPopupEditPopupWindow") || Contains(cls, "TTERenderWindow") || cls == "TApplication")
        return false;
    if (!AcceptWindow(window, cls)) return false;
    TSkinData* data = ChooseSkinData(window);
    if (!data || data->SkinEmpty) return false;
    const TFormSkinnerFactory& factory = FormSkinnerFactory();
    if (!factory) return false;
    std::unique_ptr<TFormSkinner> skinner(factory(form, window, cls));
    if (!skinner) return false;
    skinner->ManagerId = 0;
    skinner->WindowClassName = cls;
    // Registered once attached: a skinner that failed to attach is freed at once.
    if (form)
        skinner->AttachForm(data, form);
    else
        skinner->AttachWindow(data);
    formSkinners_.push_back(std::move(skinner));
    ::PostMessageW(window, SKM_ACTIVATESKIN, 0, 1000);
    return true;
}

bool TSkinManage::AcceptWindow(HWND window, const std::string& className) const {
    bool result = true;
    if (!mainSkin_) return result;
    const std::string lower = base::AsciiLower(className);
    if (!mainSkin_->Options.Contains(TSkinOption::xoPreview) && Contains(lower, "preview")) result = false;
    if (className == "#32770" && (::GetWindowLongPtrW(window, GWL_STYLE) & DS_SETFOREGROUND)) result = false;
    if (lower == "tpopupdbtreeview") result = false;
    mainSkin_->QueryFormSkin(window, className, result);
    return result;
}

TSkinData* TSkinManage::ChooseSkinData(HWND window) const {
    auto last = [&](auto pred) -> TSkinData* {
        for (auto it = skinDataList_.rbegin(); it != skinDataList_.rend(); ++it)
            if (pred(**it)) return *it;
        return nullptr;
    };
    if (TSkinData* own = last([&](const TSkinData& d) {
            auto* owner = dynamic_cast<tv::TWinControl*>(d.Owner());
            return d.SkinFormtype == TSkinFormType::sfOnlyThisForm && owner && owner->HandleAllocated() &&
                   owner->Handle() == window;
        }))
        return own;
    const std::string lower = base::AsciiLower(ClassOf(window));
    if (lower == "tmessageform" || lower == "#32770")
        if (TSkinData* dialog = last([](const TSkinData& d) { return d.SkinFormtype == TSkinFormType::sfDialog; }))
            return dialog;
    if (TSkinData* main = last([](const TSkinData& d) { return d.SkinFormtype == TSkinFormType::sfMainform; }))
        return main;
    return skinDataList_.empty() ? nullptr : skinDataList_.front();
}

TFormSkinner* TSkinManage::FindFormSkinner(HWND window) const {
    for (const auto& s : formSkinners_)
        if (s->Handle() == window) return s.get();
    return nullptr;
}

void TSkinManage::ForgetWindow(HWND window) {
    if (StartState == kManagerClosing) return;
    for (auto it = formSkinners_.begin(); it != formSkinners_.end(); ++it)
        if ((*it)->Handle() == window) {
            (void)it->release();  // its owner frees it
            formSkinners_.erase(it);
            return;
        }
}

void TSkinManage::Forget(TFormSkinner* skinner) {
    for (auto it = formSkinners_.begin(); it != formSkinners_.end(); ++it)
        if (it->get() == skinner) {
            (void)it->release();  // being freed by whoever frees it now
            formSkinners_.erase(it);
            return;
        }
}

void TSkinManage::FreeFormSkinner(std::size_t index, bool unskin) {
    std::unique_ptr<TFormSkinner> skinner = std::move(formSkinners_[index]);
    formSkinners_.erase(formSkinners_.begin() + std::ptrdiff_t(index));
    if (unskin) {
        base::Guarded([&] {
            skinner->Unskin();
            skinner->InvalidateWindow();
        });
    }
}

void TSkinManage::PurgeDeadForms() {
    if (StartState == kManagerClosing) return;
    for (std::size_t i = formSkinners_.size(); i-- > 0;)
        if (formSkinners_[i]->SkinState() == kSkinWindowGone) FreeFormSkinner(i, false);
}

void TSkinManage::SkinFormIfVisible(tv::TWinControl* form) {
    if (!form || !form->HandleAllocated()) return;
    HWND window = form->Handle();
    if (!::IsWindowVisible(window) || (::GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD)) return;
    SkinWindow(window);
}

void TSkinManage::ReleaseCaptionButtons(TSkinData* owner) {
    for (const auto& s : formSkinners_)
        if (s->SkinData() == owner) s->FreeCaptionButtons();
}

void TSkinManage::RunCommand() {
    commandTimer_.SetEnabled(false);
    TSkinData* owner = std::exchange(commandOwner_, nullptr);
    if (!owner) return;
    const int command = pendingCommand_;
    const auto& forms = tv::FormList();
    if (owner->SkinFormtype == TSkinFormType::sfOnlyThisForm) {
        if (command == kCommandSkin) {
            Enabled = true;
            Forced = true;
            for (auto it = forms.rbegin(); it != forms.rend(); ++it)
                if (*it == owner->Owner()) {
                    SkinFormIfVisible(*it);
                    break;
                }
            Forced = false;
        } else if (command == kCommandUnskin) {
            Enabled = false;
            PurgeDeadForms();
            for (std::size_t i = formSkinners_.size(); i-- > 0;)
                if (formSkinners_[i]->SkinData() == owner) {
                    FreeFormSkinner(i, true);
                    break;
                }
        } else if (command == kCommandSkinChanged) {
            PurgeDeadForms();
            for (const auto& s : formSkinners_)
                if (s->SkinData() == owner) {
                    s->FreeCaptionButtons();
                    s->ComputeFrameMetrics();
                    s->SkinChanged();
                    break;
                }
        }
    } else if (command == kCommandSkin) {
        Enabled = true;
        Forced = true;
        PurgeDeadForms();
        // A copy: skinning may create or free forms.
        const std::vector<tv::TCustomForm*> snapshot(forms.begin(), forms.end());
        for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) SkinFormIfVisible(*it);
        Forced = false;
    } else if (command == kCommandUnskin) {
        Enabled = false;
        PurgeDeadForms();
        while (!formSkinners_.empty()) FreeFormSkinner(0, true);
    } else if (command == kCommandSkinChanged) {
        PurgeDeadForms();
        std::vector<TFormSkinner*> changed;
        for (const auto& s : formSkinners_)
            if (s->SkinData() == owner) changed.push_back(s.get());
        for (TFormSkinner* s : changed) {
            s->FreeCaptionButtons();
            s->ComputeFrameMetrics();
        }
        for (TFormSkinner* s : changed) s->SkinChanged();
    }
    // Still registered: the command may have freed forms, and containers with them.
    if (std::find(skinDataList_.begin(), skinDataList_.end(), owner) != skinDataList_.end()) owner->NotifySkinChanged();
}

void TSkinManage::SetMergedMenuMode(bool on) {
    if (on == MergedMenuMode) return;
    MergedMenuMode = on;
    if (mainSkin_ && mainSkin_->Options.Contains(TSkinOption::xoMDIChildBorder)) return;
    for (const auto& s : formSkinners_) {
        if (s->MDIKind() != kMdiChild) continue;
        if (on) {
            if (s->SkinFrame()) s->ClearRegion();
        } else if (s->ShowState() != kShowMinimized) {
            s->SetShowState(kShowNormal);
            s->UpdateRegion();
            if (!s->SkinFrame()) s->FrameChanged();
        }
    }
}

}  // namespace skin
