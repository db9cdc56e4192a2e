// Program entry: the main window, then the message loop until it closes.
#include <windows.h>

#include <exception>
#include <string>

#include "app/Unit1.h"
#include "base/System.h"
#include "skin/controls/SkinControl.h"
#include "skin/core/WinSkinDlg.h"
#include "skin/forms/WinSkinForm.h"

namespace {

constexpr int kExitFailure = 1;

// Whatever reached the entry is told once, as the framework tells a handler's error;
// before the application exists (or after it is gone) through the plain message box.
void ReportFatal(const std::string& what) noexcept {
    try {
        if (tv::Application)
            tv::Application->ShowException(what);
        else
            sys::ShowModalMessage(what, "", sys::MessageKind::Error);
    } catch (...) {
        // nothing is left to tell it with
    }
}

// Forms and the skin container go now, in order, not in static destruction; then the
// skin manager with its hook and the skinners of windows that were not forms.
void ReleaseForms() noexcept {
    try {
        tv::DoneFramework();
    } catch (...) {
    }
    Form1 = nullptr;
    skin::FreeSkinManager();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int status = 0;
    try {
        tv::InitFramework();
        tv::RegisterFrameworkClasses();
        skin::InstallFormSkinning();  // before the main window's container starts the manager
        skin::InstallControlSkinning();
        tv::Application->Initialize();
        tv::Application->CreateForm(Form1);
        tv::Application->Run();
    } catch (const std::exception& e) {
        ReportFatal(e.what());
        status = kExitFailure;
    } catch (...) {
        ReportFatal("unknown error");
        status = kExitFailure;
    }
    ReleaseForms();
    return status;
}
