#include "skin/forms/ControlClassification.h"

#include <vector>

#include "base/Ascii.h"
#include "base/CallbackGuard.h"
#include "base/Text.h"
#include "framework/Buttons.h"
#include "framework/Controls.h"
#include "framework/CoolBars.h"
#include "framework/Edits.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/PropAccess.h"
#include "framework/ScrollBars.h"
#include "framework/ScrollBox.h"
#include "framework/StdCtrls.h"
#include "framework/ToolBars.h"
#include "skin/core/WinSkinData.h"
#include "skin/core/WinSkinDlg.h"
#include "skin/forms/LabelColours.h"
#include "skin/forms/ToolBarDrawing.h"
#include "skin/forms/ToolButtonMenus.h"
#include "skin/forms/ChildSkinner.h"

#include <commctrl.h>

namespace skin {

namespace {

using X = TSkinControlType;

// How a skinner is attached.
enum class How { Control, Window, Special };

struct Walk {
    TSkinnerHost& fs;
    TSkinData& data;

    bool Has(X kind) const { return data.SkinControls.Contains(kind); }
    bool TabElement() const { return data.Tabs != nullptr; }

    // Asks for the skinner named skinnerClass and attaches it; the request is seen by the
    // observer whether or not such a skinner exists yet.
    TChildSkinner* Attach(const std::string& skinnerClass, tv::TControl& control, bool recolor = false,
                          int variant = 0, How how = How::Control, const std::string& graphic = {}) {
        HWND window = nullptr;
        if (auto* win = dynamic_cast<tv::TWinControl*>(&control); win && win->HandleAllocated())
            window = win->Handle();
        if (const auto& observer = SkinnerRequestObserver()) observer({skinnerClass, &control, window, variant});
        TChildSkinner* s = CreateChildSkinner(skinnerClass, &control);
        if (!s) return nullptr;
        s->SetVariant(variant);
        if (!graphic.empty()) s->SetGraphicProperty(graphic);
        switch (how) {
            case How::Control: s->AttachControl(&fs, &data, recolor, &fs.ScratchCanvas()); break;
            case How::Special: s->AttachSpecial(&control, &data, &fs, &fs.ScratchCanvas()); break;
            case How::Window: s->AttachWindow(window, &data, &fs, &fs.ScratchCanvas()); break;
        }
        return KeepIfAttached(s);
    }

    // A skinner the window turned away (someone skins it already) is not kept.
    static TChildSkinner* KeepIfAttached(TChildSkinner* s) {
        if (s->State() != kChildCreated) return s;
        delete s;
        return nullptr;
    }

    // A bare window's skinner belongs to the form skinner.
    TChildSkinner* AttachBare(const std::string& skinnerClass, HWND window) {
        if (!window) return nullptr;
        if (const auto& observer = SkinnerRequestObserver()) observer({skinnerClass, nullptr, window, 0});
        TChildSkinner* s = CreateChildSkinner(skinnerClass, fs.HostComponent());
        if (!s) return nullptr;
        s->AttachWindow(window, &data, &fs, &fs.ScratchCanvas());
        return KeepIfAttached(s);
    }

    void ForEachChild(tv::TControl& control, const std::function<void(tv::TControl&)>& f) {
        auto* win = dynamic_cast<tv::TWinControl*>(&control);
        if (!win) return;
        std::vector<tv::WeakPtr<tv::TControl>> children;
        for (int i = 0; i < win->ControlCount(); ++i) children.emplace_back(win->Controls(i));
        for (const auto& child : children)
            if (tv::TControl* c = child.Get()) f(*c);
    }

    bool ByTable(tv::TControl& control, const std::string& u);
    // The kind a Skin3rd line gives the class (upper case); false when no line names it.
    bool MappedKind(const std::string& u, std::string& kind) const;
    bool ByMapping(const std::string& u, tv::TControl& control);
    void ToolButton(tv::TToolButton& button);
    void ToolButtons(tv::TToolBar& bar);
    void Control(tv::TControl& control, tv::TControl* container);
    void Components(tv::TComponent& container);
    void Children(tv::TControl& control) {
        ForEachChild(control, [&](tv::TControl& c) { Control(c, &control); });
    }
};

// Classes of our framework are tested by dynamic_cast; those it does not have (other
// libraries', and kinds still to come) by the framework's class chain, by name: a class of
// that name, or one derived from it, answers.
bool Is(const tv::TControl& control, std::string_view className) { return control.InheritsFrom(className); }

template <class T>
bool Is(const tv::TControl& control) {
    return dynamic_cast<const T*>(&control) != nullptr;
}

bool HasWindow(tv::TControl& control) {
    auto* win = dynamic_cast<tv::TWinControl*>(&control);
    return win && win->HandleAllocated();
}

// A windowed control with a scroll bar style, or one of the classes that scroll.
bool HasScrollBars(tv::TControl& control) {
    auto* win = dynamic_cast<tv::TWinControl*>(&control);
    if (!win) return false;
    if (win->HandleAllocated() && (::GetWindowLongW(win->Handle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL))) return true;
    return Is<tv::TCustomListBox>(control) || Is<tv::TMemo>(control) || Is(control, "TCustomTreeView") ||
           Is<tv::TScrollBox>(control);
}

std::string Lower(std::string_view s) { return base::AsciiLower(s); }

bool WindowSkinned(HWND window) { return window && ::SendMessageW(window, SKM_ISSKINNED, 0, 0) == 1; }

}  // namespace

// ---- framework controls --------------------------------------------------------------------

bool Walk::ByTable(tv::TControl& control, const std::string& u) {
    // 1: tab controls.
    if (Is(control, "TCustomTabControl") && Has(X::xcTab) && TabElement()) {
        if (!Is(control, "TPageControl")) Attach("TSkinTab", control, false, 2);
        else if (Lower(tv::GetEnumPropByName(&control, "Style")) != "tstabs") Attach("TSkinTabBtn", control);
        else Attach("TSkinTab", control);
        return true;
    }
    // 2, 3: tool buttons and cool bars are drawn through their owners' menus and bands.
    if (Is(control, "TToolButton") && fs.SkinFrame()) return true;
    if (Is(control, "TCoolBar") && Has(X::xcToolbar)) {
        // The bands' backgrounds take the skin's face; their controls are skinned as any.
        if (auto* bar = dynamic_cast<tv::TCoolBar*>(&control)) RecolourBands(fs, *bar, data);
        return true;
    }
    if (u == "TTABSET" && Has(X::xcTab) && TabElement()) return Attach("TSkinTab31", control), true;
    if (Is(control, "TTabSheet") && Has(X::xcTab) && TabElement()) return Attach("TSkinTabSheet", control), true;
    if (u == "TTABBEDNOTEBOOK" && Has(X::xcTab) && TabElement()) return Attach("TSkinTab", control), true;
    if (u == "TMVCPANEL") return Children(control), true;
    if (Is(control, "THeaderControl") && Has(X::xcPanel)) return Attach("TSkinHeader", control), true;
    if (Is(control, "TCustomCheckBox") && Has(X::xcCheckBox)) return Attach("TSkinCheckBox", control), true;
    if (Is(control, "TTrackBar") && Has(X::xcTrackBar)) return Attach("TSkinTrackBar", control), true;
    if ((u == "TUPDOWN" || u == "TSPINBUTTON") && Has(X::xcSpin)) return Attach("TSkinUpDown", control), true;
    if (u == "TMEDIAPLAYER" && Has(X::xcButton)) return Attach("TSkinMP", control), true;
    // 13: a radio group's buttons, then the group.
    if (Is(control, "TCustomRadioGroup") && Has(X::xcRadioButton)) {
        ForEachChild(control, [&](tv::TControl& c) { Attach("TSkinRadioButton", c); });
        Attach("TSkinGroupBox", control, true);
        return true;
    }
    if (u == "TDBNAVIGATOR" && Has(X::xcPanel)) {
        Attach("TSkinBox", control, true);
        Children(control);
        return true;
    }
    if ((u == "TRZDBCHECKBOX" || u == "TRZCHECKBOX") && Has(X::xcCheckBox))
        return Attach("TSkinObjImage", control, true, 1), true;
    if ((u == "TRZRADIOBUTTON" || u == "TRZDBRADIOBUTTON") && Has(X::xcRadioButton))
        return Attach("TSkinObjImage", control, true, 2), true;
    if ((u == "TCXDBCHECKBOX" || u == "TCXCHECKBOX") && Has(X::xcCheckBox))
        return Attach("TSkinObjImage", control, true, 3), true;
    if (Is(control, "TCustomGroupBox") && Has(X::xcPanel)) {
        Children(control);
        Attach("TSkinGroupBox", control);
        return true;
    }
    if (Is(control, "TRadioButton") && Has(X::xcRadioButton)) return Attach("TSkinRadioButton", control), true;
    // 20: a tool bar is drawn flat on the skin.
    if (Is(control, "TToolBar") && Has(X::xcToolbar)) {
        tv::SetPropByName(&control, "Flat", "True");
        if (auto* bar = dynamic_cast<tv::TToolBar*>(&control)) InstallToolBarDrawing(fs, *bar);
        Attach("TSkinBox", control);
        return true;
    }
    if (Is(control, "TCustomStatusBar") && Has(X::xcStatusBar)) return Attach("TSkinStatusBar", control), true;
    if (Is(control, "TProgressBar") && Has(X::xcProgress)) return Attach("TSkinProgress", control), true;
    if (Is<tv::TScrollBar>(control) && Has(X::xcScrollbar))
        return Attach("TSkinScControl", control, false, 0, How::Special), true;
    if (u == "TTNTCOMBOBOX" && Has(X::xcCombo)) return Attach("TSkinComBox", control), true;
    if (Is(control, "TCustomComboBox") && Has(X::xcCombo)) return Attach("TSkinComBox", control), true;
    if (Is(control, "TDateTimePicker") && Has(X::xcEdit)) {
        const bool upDown = Lower(tv::GetEnumPropByName(&control, "DateMode")) == "dmupdown" ||
                            Lower(tv::GetEnumPropByName(&control, "Kind")) == "dtktime";
        Attach(upDown ? "TSkinEdit" : "TSkinDateTime", control);
        return true;
    }
    if (Has(X::xcScrollbar) && (u == "TRICHEDIT" || u == "TWWDBRICHEDIT" || u == "TDXDBMEMO"))
        return Attach("TSkinScrollbar", control, false, 0, How::Special), true;
    // 28: a glyph button never falls through to the plain button below.
    if (Is<tv::TBitBtn>(control)) {
        if (Has(X::xcBitBtn)) Attach("TSkinBitButton", control);
        return true;
    }
    if (Is<tv::TSpeedButton>(control) && Has(X::xcSpeedButton))
        return Attach("TSkinSpeedButton", control, false, 0, How::Special), true;
    if (Is<tv::TCustomPanel>(control) && Has(X::xcPanel)) {
        Children(control);
        Attach("TSkinBox", control, true);
        return true;
    }
    if ((u == "TDXTREELIST" || u == "TDXDBTREELIST" || u == "TDXDBGRID") && Has(X::xcScrollbar))
        return Attach("TSkinScrollbar", control, false, 0, How::Special), true;
    if (Is(control, "TCustomListView") && Has(X::xcScrollbar))
        return Attach("TSkinListView", control, false, 0, How::Special), true;
    if (Has(X::xcScrollbar) && (Is<tv::TCustomMemo>(control) || Is(control, "TCustomGrid") || HasScrollBars(control)))
        return Attach("TSkinScrollbar", control, false, 0, How::Special), true;
    if (Is<tv::TButton>(control) && Has(X::xcButton)) return Attach("TSkinButton", control), true;
    if (Is<tv::TCustomEdit>(control) && Has(X::xcEdit)) return Attach("TSkinEdit", control), true;
    if (u == "TDCEDIT" || u == "TDCDBEDIT") {
        const auto buttons = tv::GetIntPropByName(&control, "NumButtons");
        if (buttons == 1 && Has(X::xcCombo)) Attach("TSkinComBox", control);
        else if (buttons == 0 && Has(X::xcEdit)) Attach("TSkinEdit", control, false, 0, How::Window);
        return true;
    }
    if (Is(control, "TCustomFrame")) return Components(control), true;
    // 38: a form placed inside another.
    if (Is<tv::TCustomForm>(control)) {
        Attach("TSkinBox", control, true);
        Components(control);
        return true;
    }
    return false;
}

bool Walk::MappedKind(const std::string& u, std::string& kind) const {
    const std::string key = Lower(u) + "=";
    const tv::TStringList& lines = data.Skin3rd();
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string line = Lower(lines.Get(i));
        if (line.compare(0, key.size(), key) != 0) continue;
        kind = line.substr(key.size(), 50);
        return true;
    }
    return false;
}

bool Walk::ByMapping(const std::string& u, tv::TControl& control) {
    const std::string key = Lower(u) + "=";
    std::string kind;
    if (!MappedKind(u, kind)) return false;
    if (kind == "nil") return true;

    const auto eachChild = [&](const std::function<void(tv::TControl&)>& f) { ForEachChild(control, f); };
    if (kind == "combobox") {
        if (Has(X::xcCombo)) Attach("TSkinComBox", control);
    } else if (kind == "edit") {
        if (Has(X::xcEdit) && HasWindow(control)) {
            HWND w = dynamic_cast<tv::TWinControl&>(control).Handle();
            RECT wr{}, cr{};
            ::GetWindowRect(w, &wr);
            ::GetClientRect(w, &cr);
            // Only an edit with a border of its own gets the skinned border.
            if (wr.right - wr.left > cr.right || wr.bottom - wr.top > cr.bottom) Attach("TSkinEdit", control);
        }
    } else if (kind == "radiobutton") {
        if (Has(X::xcRadioButton)) Attach("TSkinRadioButton", control);
    } else if (kind == "panel") {
        if (Has(X::xcPanel)) {
            tv::SetPropByName(&control, "Transparent", "True");
            Attach("TSkinBox", control, true);
        }
    } else if (kind == "trackbar") {
        if (Has(X::xcButton)) {
            tv::SetPropByName(&control, "Transparent", "True");
            Attach("TSkinTrackBar", control);
        }
    } else if (kind == "button") {
        if (Has(X::xcButton)) Attach("TSkinButton", control);
    } else if (kind == "datetimepicker") {
        if (Has(X::xcCombo)) Attach("TSkinDateTime", control);
    } else if (kind == "mediaplayer") {
        if (Has(X::xcButton)) Attach("TSkinMP", control);
    } else if (kind == "bitbtn") {
        if (Has(X::xcButton)) {
            const bool dropDown =
                key == "tcxbutton=" && Lower(tv::GetEnumPropByName(&control, "Kind")) == "cxbkdropdownbutton";
            Attach(dropDown ? "TSkinMenuButton" : "TSkinBitButton", control);
        }
    } else if (kind == "pngbitbtn") {
        if (Has(X::xcButton)) Attach("TSkinBitButton", control, false, 0, How::Control, "PngImage");
    } else if (kind == "menubtn") {
        if (Has(X::xcButton)) Attach("TSkinMenuButton", control);
    } else if (kind == "speedbutton") {
        if (Has(X::xcSpeedButton)) Attach("TSkinSpeedButton", control, false, 0, How::Special);
    } else if (kind == "tab") {
        if (Has(X::xcTab) && TabElement()) Attach("TSkinTab", control);
    } else if (kind == "progress") {
        if (Has(X::xcProgress)) Attach("TSkinProgress", control);
    } else if (kind == "scrollbar") {
        if (Has(X::xcScrollbar)) {
            Attach("TSkinScrollbar", control, false, 0, How::Special);
            Children(control);
        }
    } else if (kind == "singlescrollbar") {
        if (Has(X::xcScrollbar)) Attach("TSkinScrollbar", control, false, 1, How::Special);
    } else if (kind == "embedscrollbar") {
        if (Has(X::xcScrollbar)) eachChild([&](tv::TControl& c) {
            if (Is<tv::TScrollBar>(c)) Attach("TSkinScControl", c, false, 0, How::Special);
            else if (HasScrollBars(c)) Attach("TSkinScrollbar", c, false, 0, How::Special);
        });
    } else if (kind == "container") {
        Children(control);
    } else if (kind == "groupbox") {
        if (Has(X::xcGroupBox)) Attach("TSkinGroupBox", control, true);
    } else if (kind == "advpagecontrol") {
        if (Has(X::xcTab)) Attach("TSkinAdvPage", control, true, 4);
    } else if (kind == "radiogroup") {
        if (Has(X::xcGroupBox)) {
            if (Has(X::xcRadioButton)) eachChild([&](tv::TControl& c) {
                if (u.find("TRZ") != std::string::npos) Attach("TSkinObjImage", c, true, 2);
                else Attach("TSkinRadioButton", c);
            });
            Attach("TSkinGroupBox", control, true);
        }
    } else if (kind == "checkgroup") {
        if (Has(X::xcPanel)) {
            if (Has(X::xcRadioButton)) eachChild([&](tv::TControl& c) {
                if (u.find("TRZ") != std::string::npos) Attach("TSkinObjImage", c, true, 1);
                else Attach("TSkinCheckBox", c);
            });
            if (Has(X::xcGroupBox)) Attach("TSkinGroupBox", control, true);
        }
    } else if (kind == "checkbox") {
        if (Has(X::xcCheckBox)) Attach("TSkinCheckBox", control);
    }
    // A line with a kind nobody knows still decides: the control stays as it is.
    return true;
}

void Walk::Control(tv::TControl& control, tv::TControl* container) {
    auto* win = dynamic_cast<tv::TWinControl*>(&control);
    if (control.Tag() == data.DisableTag) {
        // A disabled group keeps its buttons stock too.
        if (win && win->ControlCount() > 0) {
            const std::string lower = Lower(control.ClassName());
            if (lower.find("radiogroup") != std::string::npos || lower.find("checkgroup") != std::string::npos)
                for (int i = 0; i < win->ControlCount(); ++i) win->Controls(i)->SetTag(data.DisableTag);
        }
        return;
    }
    if (!control.Parent() || fs.IsSkinnedControl(&control)) return;
    const std::string u = base::AsciiUpper(control.ClassName());
    if (win && !win->HandleAllocated()) {
        bool made = false;
        base::Guarded([&] {
            win->HandleNeeded();
            made = win->HandleAllocated();
        }, base::OnFailure::Swallow);
        if (!made) return;
    }
    if (data.OnSkinControl) {
        tv::TComponent* skinned = nullptr;
        data.OnSkinControl(fs.HostComponent(), &data, container, &control, u, skinned);
        if (auto* s = dynamic_cast<TChildSkinner*>(skinned)) {
            bool listed = false;
            for (int i = 0; i < fs.SkinnerCount(); ++i) listed = listed || fs.Skinners(i) == s;
            if (!listed) s->AttachControl(&fs, &data, s->Recolors(), &fs.ScratchCanvas());
        }
        if (dynamic_cast<tv::TCustomPanel*>(&control)) Children(control);
        return;
    }
    if (ByMapping(u, control)) return;
    if (u == "TDBCOMBOBOXEH" || u == "TFRDESIGNERPAGE" || u == "TFRPBOX") return;
    ByTable(control, u);
    // A bar's buttons are its components, not controls: reached through the bar too, for
    // those the form does not own.
    if (auto* bar = dynamic_cast<tv::TToolBar*>(&control)) ToolButtons(*bar);
}

// 2: a tool button on a skinned frame has its menu item's drop-down drawn by the skin.
void Walk::ToolButton(tv::TToolButton& button) {
    if (button.Tag() == data.DisableTag || !button.ToolBar()) return;
    std::string kind;
    // A mapping line for the class decides, whatever its kind: kinds are for controls.
    if (MappedKind(base::AsciiUpper(button.ClassName()), kind)) return;
    if (fs.SkinFrame()) SkinToolButtonMenu(fs, data, button);
}

void Walk::ToolButtons(tv::TToolBar& bar) {
    std::vector<tv::WeakPtr<tv::TToolButton>> buttons;
    for (int i = 0; i < bar.ButtonCount(); ++i) buttons.emplace_back(bar.Buttons(i));
    for (const auto& b : buttons)
        if (tv::TToolButton* button = b.Get()) ToolButton(*button);
}

void Walk::Components(tv::TComponent& container) {
    // Weak: skinning one control may free another (a recreated window's old skinner).
    std::vector<tv::WeakPtr<tv::TComponent>> owned;
    for (int i = 0; i < container.ComponentCount(); ++i) owned.emplace_back(container.Components(i));
    auto* asControl = dynamic_cast<tv::TControl*>(&container);
    for (const auto& c : owned) {
        if (auto* control = dynamic_cast<tv::TControl*>(c.Get())) Control(*control, asControl);
        else if (auto* button = dynamic_cast<tv::TToolButton*>(c.Get())) ToolButton(*button);
    }
}

// ---- entry points --------------------------------------------------------------------------

void SkinFormControls(TSkinnerHost& formSkinner, tv::TWinControl& form) {
    TSkinData* data = formSkinner.SkinData();
    if (!data || data->SkinEmpty) return;
    formSkinner.FreeDeadSkinners();
    Walk walk{formSkinner, *data};
    walk.Components(form);
    std::vector<tv::WeakPtr<tv::TWinControl>> tabOrder;
    for (tv::TWinControl* c : form.TabList(true)) tabOrder.emplace_back(c);
    for (const auto& weak : tabOrder) {
        tv::TWinControl* c = weak.Get();
        if (!c || !c->HandleAllocated() || c->Tag() == data->DisableTag || WindowSkinned(c->Handle())) continue;
        walk.Control(*c, &form);
    }
}

void SkinComponents(TSkinnerHost& formSkinner, tv::TComponent& container) {
    TSkinData* data = formSkinner.SkinData();
    if (!data || data->SkinEmpty) return;
    Walk{formSkinner, *data}.Components(container);
}

void SkinChildren(TSkinnerHost& formSkinner, tv::TControl& control) {
    TSkinData* data = formSkinner.SkinData();
    if (!data || data->SkinEmpty) return;
    Walk{formSkinner, *data}.Children(control);
}

void SkinControl(TSkinnerHost& formSkinner, tv::TControl& control, tv::TControl* container) {
    TSkinData* data = formSkinner.SkinData();
    if (!data || data->SkinEmpty) return;
    Walk{formSkinner, *data}.Control(control, container);
}

bool SkinByMapping(TSkinnerHost& formSkinner, const std::string& upperClass, tv::TControl& control) {
    TSkinData* data = formSkinner.SkinData();
    if (!data || data->SkinEmpty) return false;
    return Walk{formSkinner, *data}.ByMapping(upperClass, control);
}

void SkinChildWindows(TSkinnerHost& formSkinner, HWND window) {
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (::GetWindowLongW(child, GWL_STYLE) & WS_CHILD) children.push_back(child);
    for (HWND child : children)
        if (::IsWindow(child)) SkinChildWindow(formSkinner, child);
}

void SkinChildWindow(TSkinnerHost& formSkinner, HWND window) {
    TSkinData* data = formSkinner.SkinData();
    if (!data || data->SkinEmpty || !::IsWindow(window)) return;
    if (formSkinner.FindSkinner(window) || WindowSkinned(window)) return;
    Walk walk{formSkinner, *data};
    wchar_t name[101] = {};
    const std::string c = Lower(text::Narrow(std::wstring(name, std::size_t(::GetClassNameW(window, name, 100)))));
    const LONG style = ::GetWindowLongW(window, GWL_STYLE);

    if (c == "button") {
        // The button kind is the whole type field: testing single bits of it would make a
        // split button a radio button and a command link a check box.
        const LONG type = style & BS_TYPEMASK;
        if (type == BS_OWNERDRAW || type == BS_GROUPBOX || (style & BS_BITMAP)) return;
        if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE) {
            if (walk.Has(X::xcCheckBox)) walk.AttachBare("TSkinCheckBox", window);
        } else if (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) {
            if (walk.Has(X::xcRadioButton)) walk.AttachBare("TSkinRadioButton", window);
        } else if (walk.Has(X::xcButton)) {
            walk.AttachBare("TSkinButton", window);
        }
    } else if (c == "combobox") {
        if (walk.Has(X::xcCombo) && (style & 3) != CBS_SIMPLE) walk.AttachBare("TSkinComBox", window);
    } else if (c == "comboboxex32") {
        if (walk.Has(X::xcCombo)) walk.AttachBare("TSkinComBox", ::GetWindow(window, GW_CHILD));
    } else if (c == "scrollbar") {
        if (!(style & WS_TABSTOP)) walk.AttachBare("TSkinSizer", window);
    } else if (c == "systreeview32") {
        // left alone
    } else if (c == "#32770") {
        if (!(style & WS_TABSTOP)) {
            SkinChildWindows(formSkinner, window);
            walk.AttachBare("TSkinBoxH", window);
        }
    } else if (c == "tpanel" || c == "ttntpanel.unicodeclass" || c == "ttntsilentpaintpanel.unicodeclass") {
        SkinChildWindows(formSkinner, window);
        if (tv::TWinControl* control = ControlFromHandle(window)) control->SetColor(data->SkinColors.ButtonFace);
    } else if (c == "tcheckbox") {
        if (walk.Has(X::xcCheckBox)) walk.AttachBare("TSkinCheckBox", window);
    } else if (c == "tcombobox") {
        if (walk.Has(X::xcCombo)) walk.AttachBare("TSkinComBox", window);
    } else if (c == "tbutton") {
        if (walk.Has(X::xcButton)) walk.AttachBare("TSkinButton", window);
    } else if (c == "tprogressbar") {
        walk.AttachBare("TSkinProgress", window);
    } else if (c == "msctls_progress32") {
        if (walk.Has(X::xcProgress)) walk.AttachBare("TSkinProgress", window);
    } else if (c == "msctls_trackbar32") {
        if (walk.Has(X::xcTrackBar)) walk.AttachBare("TSkinTrackBar", window);
    } else if (c == "msctls_updown32") {
        if (walk.Has(X::xcSpin)) walk.AttachBare("TSkinUpDown", window);
    } else if (c == "tsilentpaintpanel") {
        if (tv::TWinControl* control = ControlFromHandle(window)) control->SetColor(data->SkinColors.ButtonFace);
    } else if (c == "systabcontrol32") {
        if (walk.Has(X::xcTab) && !(style & TCS_OWNERDRAWFIXED)) walk.AttachBare("TSkinTab", window);
    } else if (c == "toolbarwindow32") {
        walk.AttachBare("TSkinBoxH", window);
    } else if (c == "edit") {
        if (walk.Has(X::xcEdit)) walk.AttachBare("TSkinEdit", window);
    } else if (c == "sysdatetimepick32") {
        // As the framework's picker: up-down fields get the edit border, a calendar its button.
        if (style & DTS_UPDOWN) {
            if (walk.Has(X::xcEdit)) walk.AttachBare("TSkinEdit", window);
        } else if (walk.Has(X::xcCombo)) {
            walk.AttachBare("TSkinDateTime", window);
        }
    }
}

}  // namespace skin
