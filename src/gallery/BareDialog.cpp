#include "gallery/BareDialog.h"

#include "base/CallbackGuard.h"

namespace {

HWND bareDialog = nullptr;

void DrawOwnerButton(const DRAWITEMSTRUCT& item) {
    // Drawn as plainly as a program of its own would: a frame, a face and its caption.
    RECT r = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    ::DrawFrameControl(item.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    wchar_t text[64] = {};
    ::GetWindowTextW(item.hwndItem, text, 64);
    ::SetBkMode(item.hDC, TRANSPARENT);
    ::SetTextColor(item.hDC, ::GetSysColor((item.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    if (pressed) ::OffsetRect(&r, 1, 1);
    ::DrawTextW(item.hDC, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (item.itemState & ODS_FOCUS) {
        RECT f = item.rcItem;
        ::InflateRect(&f, -3, -3);
        ::DrawFocusRect(item.hDC, &f);
    }
}

void Scroll(HWND bar, WORD request) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    ::GetScrollInfo(bar, SB_CTL, &si);
    int pos = si.nPos;
    switch (request) {
        case SB_LINELEFT: pos -= 1; break;
        case SB_LINERIGHT: pos += 1; break;
        case SB_PAGELEFT: pos -= int(si.nPage); break;
        case SB_PAGERIGHT: pos += int(si.nPage); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: pos = si.nTrackPos; break;
        case SB_LEFT: pos = si.nMin; break;
        case SB_RIGHT: pos = si.nMax; break;
        default: return;
    }
    si.fMask = SIF_POS;
    si.nPos = pos;
    ::SetScrollInfo(bar, SB_CTL, &si, TRUE);  // the system keeps it inside the range
}

INT_PTR Handle(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG: {
            HWND combo = ::GetDlgItem(dlg, IDC_BARE_COMBO);
            for (const wchar_t* item : {L"First choice", L"Second choice", L"Third choice"})
                ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
            ::SendMessageW(combo, CB_SETCURSEL, 1, 0);
            ::CheckDlgButton(dlg, IDC_BARE_CHECK, BST_CHECKED);
            ::CheckRadioButton(dlg, IDC_BARE_RADIO1, IDC_BARE_RADIO2, IDC_BARE_RADIO1);
            SCROLLINFO si{};
            si.cbSize = sizeof si;
            si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
            si.nMax = 100;
            si.nPage = 20;
            si.nPos = 40;
            ::SetScrollInfo(::GetDlgItem(dlg, IDC_BARE_SCROLL), SB_CTL, &si, FALSE);
            return TRUE;
        }
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item && item->CtlID == IDC_BARE_OWNERDRAWN) {
                DrawOwnerButton(*item);
                return TRUE;
            }
            return FALSE;
        }
        case WM_HSCROLL:
            if (reinterpret_cast<HWND>(lParam) == ::GetDlgItem(dlg, IDC_BARE_SCROLL)) Scroll(HWND(lParam), LOWORD(wParam));
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                case IDCANCEL:
                case IDC_BARE_CLOSE: ::DestroyWindow(dlg); return TRUE;
                default: return FALSE;
            }
        case WM_CLOSE: ::DestroyWindow(dlg); return TRUE;
        case WM_DESTROY:
            if (bareDialog == dlg) bareDialog = nullptr;
            return FALSE;
        default: return FALSE;
    }
}

INT_PTR CALLBACK BareDialogProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    return base::Guarded(INT_PTR(FALSE), [&] { return Handle(dlg, msg, wParam, lParam); });
}

}  // namespace

HWND BareDialogWindow() { return bareDialog; }

HWND OpenBareDialog(HWND owner) {
    if (bareDialog) {
        ::SetForegroundWindow(bareDialog);
        return bareDialog;
    }
    bareDialog = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_BARE_DIALOG), owner,
                                      BareDialogProc, 0);
    if (bareDialog) ::ShowWindow(bareDialog, SW_SHOW);
    return bareDialog;
}
