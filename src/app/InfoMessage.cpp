#include "app/InfoMessage.h"

#include <windows.h>

#include "base/Text.h"
#include "framework/Application.h"

void ShowInfoMessage(const std::string& text) {
    HWND owner = tv::Application ? tv::Application->Handle() : nullptr;
    ::MessageBoxW(owner, text::Widen(text).c_str(), L"提示", MB_ICONINFORMATION);
}
