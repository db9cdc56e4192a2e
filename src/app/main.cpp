// Program entry: the main window, then the message loop until it closes.
#include <windows.h>

#include "app/Unit1.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    tv::InitFramework();
    tv::RegisterFrameworkClasses();
    tv::Application->Initialize();
    tv::Application->CreateForm(Form1);
    tv::Application->Run();
    // Forms and the skin container go now, in order, not in static destruction.
    tv::DoneFramework();
    Form1 = nullptr;
    return 0;
}
