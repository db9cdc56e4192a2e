// Edits, combo boxes and date-time pickers: the text entry stays the control's own, the
// skinners only redraw the frames and the drop-down buttons.
//
// - TSkinEdit: the border of an edit (and of a picker in up-down mode) in the skin's
//   shadow colour, the rings inside it in the control's own background.
// - TSkinComBox: the whole frame and the drop-down button from the skin's combo strip
//   (each state: normal, pressed, disabled, hot or focused); the open list's vertical bar
//   painted by a TComboxScrollBar, a simple combo's list bars by a TSkinScrollbarH.
// - TSkinDateTime: the picker's border as an edit's, and its calendar button covered by
//   a small window of ours (TArrowButton) that shows the skin's arrow and opens the
//   calendar as the stock button does.
#pragma once

#include <windows.h>

#include <memory>

#include "skin/controls/SkinControl.h"

namespace skin {

// Makes the skinners below known to the classification by their class names.
void RegisterEditSkinners();

class TSkinEdit : public TSkinControl {
    TV_CLASS(TSkinEdit, TSkinControl)
    explicit TSkinEdit(tv::TComponent* owner);
    ~TSkinEdit() override;

    void AfterMessage(tv::TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    // The skinner of an up-down button inside the edit, when one is registered and found.
    tv::WeakPtr<TChildSkinner> UpDown;
};

class TComboEditHook;
class TComboxScrollBar;
class TSkinScrollbarH;

class TSkinComBox : public TSkinControl {
    TV_CLASS(TSkinComBox, TSkinControl)
    explicit TSkinComBox(tv::TComponent* owner);
    ~TSkinComBox() override;

    void AttachControl(TSkinnerHost* formSkinner, TSkinData* data, bool recolor, tv::TCanvas* canvas) override;
    void AttachWindow(HWND window, TSkinData* data, TSkinnerHost* formSkinner, tv::TCanvas* canvas) override;
    void Detach() override;
    void AfterMessage(tv::TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    // The frame of the skin's combo strip for the state now: 1 normal, 2 pressed,
    // 3 disabled, 4 hot or focused.
    int Look() const;
    // The combo's own edit child painted or was pressed.
    void EditPainted();
    void EditPressed(bool down);

    LONG Style = 0;
    LONG ExStyle = 0;
    HWND ListWindow = nullptr;
    HWND EditWindow = nullptr;
    RECT ButtonRect{};
    tv::WeakPtr<TSkinScrollbarH> ListScroll;
    tv::WeakPtr<TComboxScrollBar> ListBar;

private:
    bool ComboInfo(COMBOBOXINFO& info) const;
    // The list's bar skinner (lists) and the edit's hook, as the style asks.
    void AttachHelpers(bool lists);
    void HookEdit();
    void FreeHelpers();
    tv::WeakPtr<TComboEditHook> editHook_;
};

class TSkinDateTime;

// Covers the picker's calendar button: the skin's arrow, hot under the pointer; a press
// is handed to the picker at the stock button's place, which opens the calendar.
class TArrowButton {
public:
    TArrowButton();
    ~TArrowButton();
    TArrowButton(const TArrowButton&) = delete;
    TArrowButton& operator=(const TArrowButton&) = delete;

    void BindPicker(TSkinDateTime* skinner, HWND picker);
    // Back to the picker's right (left, for WS_EX_LEFTSCROLLBAR) edge at its size now.
    void Place();
    void Repaint();
    // Lit only while the pointer is over it now (after the calendar had the pointer).
    void RefreshHot();

    HWND Handle() const { return hwnd_; }
    bool Hot() const { return hot_; }
    int ArrowSize = 0;

private:
    static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc);
    TSkinDateTime* skinner_ = nullptr;
    HWND picker_ = nullptr;
    HWND hwnd_ = nullptr;
    bool hot_ = false;
    bool addedClipChildren_ = false;
};

class TSkinDateTime : public TSkinControl {
    TV_CLASS(TSkinDateTime, TSkinControl)
    explicit TSkinDateTime(tv::TComponent* owner);
    ~TSkinDateTime() override;

    void AttachControl(TSkinnerHost* formSkinner, TSkinData* data, bool recolor, tv::TCanvas* canvas) override;
    void AttachWindow(HWND window, TSkinData* data, TSkinnerHost* formSkinner, tv::TCanvas* canvas) override;
    void Detach() override;
    void AfterMessage(tv::TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    TArrowButton* Arrow() const { return arrow_.get(); }

private:
    void MakeArrow();
    std::unique_ptr<TArrowButton> arrow_;
};

}  // namespace skin
