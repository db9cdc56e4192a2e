// Reflection: a parent hands the notifications its children cause (WM_COMMAND,
// WM_NOTIFY, WM_DRAWITEM, WM_CTLCOLOR*, scrolling...) back to the child's control as
// CN_BASE + msg, so that each control handles its own.
#include "framework/Controls.h"
#include "framework/MessageCrackers.h"

namespace tv {

bool TWinControl::ReflectToChild(HWND child, TMessage& m) {
    TWinControl* c = FindControl(child);
    if (!c || c == this) return false;
    m.Result = c->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
    return true;
}

bool TWinControl::HandleReflection(TMessage& m) {
    switch (m.Msg) {
        case WM_COMMAND: {
            // Menus and accelerators (no control window) are for whoever shows the menu.
            CommandParams p = CommandParams::From(m);
            return p.control && ReflectToChild(p.control, m);
        }
        case WM_NOTIFY: {
            auto* hdr = StructFromLParam<NMHDR>(m);
            return hdr && ReflectToChild(hdr->hwndFrom, m);
        }
        case WM_DRAWITEM: {
            auto* di = StructFromLParam<DRAWITEMSTRUCT>(m);
            return di && di->CtlType != ODT_MENU && ReflectToChild(di->hwndItem, m);
        }
        case WM_MEASUREITEM: {
            // Only the parent knows the child by its id: the item has no window yet.
            auto* mi = StructFromLParam<MEASUREITEMSTRUCT>(m);
            return mi && mi->CtlType != ODT_MENU && handle_ && ReflectToChild(::GetDlgItem(handle_, int(mi->CtlID)), m);
        }
        case WM_DELETEITEM: {
            auto* di = StructFromLParam<DELETEITEMSTRUCT>(m);
            return di && di->CtlType != ODT_MENU && ReflectToChild(di->hwndItem, m);
        }
        case WM_COMPAREITEM: {
            auto* ci = StructFromLParam<COMPAREITEMSTRUCT>(m);
            return ci && ReflectToChild(ci->hwndItem, m);
        }
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_CHARTOITEM:
        case WM_VKEYTOITEM:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC: {
            HWND child = HandleFromLParam<HWND>(m);
            return child && ReflectToChild(child, m);
        }
        case CN_CTLCOLORMSGBOX:
        case CN_CTLCOLOREDIT:
        case CN_CTLCOLORLISTBOX:
        case CN_CTLCOLORBTN:
        case CN_CTLCOLORDLG:
        case CN_CTLCOLORSCROLLBAR:
        case CN_CTLCOLORSTATIC: {
            HDC dc = HandleFromWParam<HDC>(m);
            ::SetTextColor(dc, ColorToRGB(Font().Color()));
            ::SetBkColor(dc, ColorToRGB(Color()));
            m.Result = reinterpret_cast<LRESULT>(brush_.Handle());
            return true;
        }
        default: return false;
    }
}

}  // namespace tv
