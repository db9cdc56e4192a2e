// TovalinGallery.exe: the gallery window under the engine, like Tovalin's main window.
//   --skin NAME    start with one of the packed skins
//   --stock        start without a skin
//   --dialog       open the bare dialog too
//   --shot FILE    save a screenshot (BMP) once everything has painted, then exit
//   --menu, --context        ... with the menu bar's first drop-down or the context menu open
//   --combo        ... with the long combo box's list open
//   --page tabs    the second page (tabs, lists and tool bars) in front
//   --page containers  the third page (boxes, a frame, a form inside the form) in front
//   --repaint-timing FILE  write the microseconds of one full repaint there, then exit
//   --skin-cycles N --report FILE  skin on and off N times, write the handle counts there, exit
//   --system file|colour|font ... with that system dialog open
//   --mdi, --mdi-max  open the MDI window too (with its active child maximized); a shot shows it alone
#include <windows.h>

#include <shellapi.h>

#include <exception>
#include <string>
#include <vector>

#include "base/System.h"
#include "gallery/GalleryForm.h"
#include "skin/controls/SkinControl.h"
#include "skin/core/WinSkinDlg.h"
#include "skin/forms/WinSkinForm.h"

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

std::vector<std::wstring> Arguments() {
    int count = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::wstring> args;
    for (int i = 1; i < count; ++i) args.emplace_back(argv[i]);
    if (argv) ::LocalFree(argv);
    return args;
}

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

void ReleaseForms() noexcept {
    try {
        tv::DoneFramework();
    } catch (...) {
    }
    GalleryForm = nullptr;
    skin::FreeSkinManager();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int status = 0;
    try {
        TGalleryForm::Options = ParseGalleryOptions(Arguments());
        if (!TGalleryForm::Options.error.empty()) {
            // A script reads the exit code; a person the message.
            if (TGalleryForm::Options.shot.empty())
                sys::ShowModalMessage(TGalleryForm::Options.error, "Tovalin Gallery", sys::MessageKind::Error);
            return kExitUsage;
        }
        tv::InitFramework();
        tv::RegisterFrameworkClasses();
        skin::InstallFormSkinning();  // before the gallery's container starts the manager
        skin::InstallControlSkinning();
        tv::Application->Initialize();
        tv::Application->CreateForm(GalleryForm);
        if (!TGalleryForm::Options.error.empty()) {
            if (TGalleryForm::Options.shot.empty())
                sys::ShowModalMessage(TGalleryForm::Options.error, "Tovalin Gallery", sys::MessageKind::Error);
            status = kExitUsage;
        } else {
            tv::Application->Run();
            status = TGalleryForm::ExitCode;
        }
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
