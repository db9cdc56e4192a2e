// Controls: TControl (placed on a parent, maybe windowless) and TWinControl (owns
// one real window). Every message reaches a control through its replaceable
// WindowProc; the default WndProc runs the class's message handlers and then the
// framework's own handling, which ends in the window class's original procedure.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Classes.h"
#include "framework/Graphics.h"

namespace tv {

// Framework notifications.
inline constexpr UINT CM_BASE = 0xB000;
inline constexpr UINT CM_ACTIVATE = CM_BASE + 0x00, CM_DEACTIVATE = CM_BASE + 0x01,
                      CM_DIALOGKEY = CM_BASE + 0x05, CM_DIALOGCHAR = CM_BASE + 0x06,
                      CM_FOCUSCHANGED = CM_BASE + 0x07, CM_PARENTFONTCHANGED = CM_BASE + 0x08,
                      CM_PARENTCOLORCHANGED = CM_BASE + 0x09, CM_VISIBLECHANGED = CM_BASE + 0x0B,
                      CM_ENABLEDCHANGED = CM_BASE + 0x0C, CM_COLORCHANGED = CM_BASE + 0x0D,
                      CM_FONTCHANGED = CM_BASE + 0x0E, CM_CURSORCHANGED = CM_BASE + 0x0F,
                      CM_TEXTCHANGED = CM_BASE + 0x12, CM_MOUSEENTER = CM_BASE + 0x13,
                      CM_MOUSELEAVE = CM_BASE + 0x14, CM_MENUCHANGED = CM_BASE + 0x15,
                      CM_SHOWINGCHANGED = CM_BASE + 0x19, CM_ENTER = CM_BASE + 0x1A, CM_EXIT = CM_BASE + 0x1B,
                      CM_RELEASE = CM_BASE + 0x21, CM_RECREATEWND = CM_BASE + 0x33;
// Reflected notifications: the parent sends CN_BASE + msg to the child that caused msg.
inline constexpr UINT CN_BASE = 0xBC00;
inline constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND, CN_NOTIFY = CN_BASE + WM_NOTIFY,
                      CN_DRAWITEM = CN_BASE + WM_DRAWITEM, CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM,
                      CN_DELETEITEM = CN_BASE + WM_DELETEITEM, CN_COMPAREITEM = CN_BASE + WM_COMPAREITEM,
                      CN_HSCROLL = CN_BASE + WM_HSCROLL, CN_VSCROLL = CN_BASE + WM_VSCROLL,
                      CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX, CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT,
                      CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX, CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN,
                      CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG, CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR,
                      CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC, CN_KEYDOWN = CN_BASE + WM_KEYDOWN,
                      CN_KEYUP = CN_BASE + WM_KEYUP, CN_CHAR = CN_BASE + WM_CHAR, CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN,
                      CN_SYSCHAR = CN_BASE + WM_SYSCHAR, CN_CHARTOITEM = CN_BASE + WM_CHARTOITEM,
                      CN_VKEYTOITEM = CN_BASE + WM_VKEYTOITEM, CN_PARENTNOTIFY = CN_BASE + WM_PARENTNOTIFY;

// A control's window method. Copies share the installed target, so a skinner can
// tell whether the method it installed is still the current one (==).
class TWndMethod {
public:
    TWndMethod() = default;
    template <class F, class = std::enable_if_t<std::is_invocable_v<F&, TMessage&> &&
                                                !std::is_same_v<std::decay_t<F>, TWndMethod>>>
    TWndMethod(F&& f)  // NOLINT: assigned from lambdas
        : fn_(std::make_shared<std::function<void(TMessage&)>>(std::forward<F>(f))) {}
    void operator()(TMessage& m) const { (*fn_)(m); }
    explicit operator bool() const { return fn_ && *fn_; }
    bool operator==(const TWndMethod& o) const { return fn_ == o.fn_; }

private:
    std::shared_ptr<std::function<void(TMessage&)>> fn_;
};

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
enum class TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;
using TMouseEvent = TEvent<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = TEvent<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = TEvent<void(TObject* Sender, WORD& Key, TShiftState Shift)>;

// Typed views of message parameters: the unpacking lives here only.
struct MouseParams {
    POINT pt;
    TShiftState shift;
    static MouseParams From(const TMessage& m);
};
TShiftState KeysToShiftState(WPARAM keys);
TShiftState KeyboardShiftState();

class TWinControl;

// A menu that a control shows on a right click (the framework's popup menu is one): kept
// apart from the menus themselves, which know controls, not the other way round.
class TPopupSource {
public:
    // Shows the menu at a screen point on behalf of component.
    virtual void PopupFor(TComponent* component, int x, int y) = 0;

protected:
    ~TPopupSource() = default;
};

enum class TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
const TEnumInfo& BiDiModeType();

// Where a control keeps itself in its parent's client area when either changes size.
enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
const TEnumInfo& AlignType();

class TControl : public TComponent {
    TV_CLASS(TControl, TComponent)
    explicit TControl(TComponent* owner);
    ~TControl() override;

    // The replaceable window method; default: the virtual WndProc.
    TWndMethod WindowProc;
    // Sends a message through WindowProc and answers its result.
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
    virtual RECT ClientRect() const { return {0, 0, width_, height_}; }
    int ClientWidth() const;
    int ClientHeight() const;
    virtual void SetClientSize(int width, int height);
    void SetClientWidth(int w) { SetClientSize(w, ClientHeight()); }
    void SetClientHeight(int h) { SetClientSize(ClientWidth(), h); }
    POINT ClientToScreen(POINT p) const;
    POINT ScreenToClient(POINT p) const;

    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible and every parent is showing.
    virtual bool Showing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool v);

    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& v) { SetText(v); }
    std::string Text() const { return GetText(); }
    void SetTextProp(const std::string& v) { SetText(v); }
    virtual std::string GetText() const { return text_; }
    virtual void SetText(const std::string& v);

    TColor Color() const { return color_; }
    void SetColor(TColor v);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool v);
    TFont& Font() { return *font_; }
    const TFont& Font() const { return *font_; }
    TFont* FontPtr() { return font_.get(); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool v);
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor v);
    TBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TBiDiMode v);
    // Text of this control reads right to left (DT_RTLREADING when drawing it).
    bool UseRightToLeftReading() const { return biDiMode_ != TBiDiMode::bdLeftToRight; }
    TAlign Align() const { return align_; }
    void SetAlign(TAlign v);
    // An aligned control that moved, resized or showed itself has its parent lay out again.
    void RealignInParent();
    std::string Hint;
    // Shown on a right click (or the menu key) over the control; without one the request
    // goes on to the parent, so a form's menu serves the controls that have none.
    TComponent* PopupMenu() const { return popupMenu_.Get(); }
    void SetPopupMenu(TComponent* menu);  // a popup menu, or null

    virtual void Invalidate();
    virtual void Update();
    void Repaint();
    virtual void BringToFront();
    virtual void SendToBack();

    // Fires OnClick.
    virtual void Click();
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

    // The outermost windowed control this one sits in (itself when it has no parent):
    // the form that handles keyboard navigation for it.
    TWinControl* TopParent() const;

protected:
    // Runs the class's message handler for the message, else HandleMessage.
    virtual void WndProc(TMessage& m);
    // The framework's own handling; overrides call the base for what they do not handle.
    virtual void HandleMessage(TMessage& m);
    // Handlers registered in a class table may call this for the framework's handling.
public:
    void CallInherited(TMessage& m) { HandleMessage(m); }

    // Mouse reactions in client coordinates (skinners that swallow a press forward it here).
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);

protected:
    virtual void FontChanged();
    virtual void ColorChanged();
    // Whether a left press and release over the control is a click (controls whose
    // window reports clicks itself answer false).
    virtual bool ClicksOnMouseUp() const { return true; }
    // Default colour of a control that does not take it from its parent.
    void InitColor(TColor c, bool parentColor) {
        color_ = c;
        parentColor_ = parentColor;
    }
    void ApplyParentFont();
    void ApplyParentColor();
    void SetVisibleField(bool v) { visible_ = v; }
    void SetBoundsFields(int l, int t, int w, int h) {
        left_ = l, top_ = t, width_ = w, height_ = h;
    }
    bool pressed_ = false;  // a left press inside that has not been released

private:
    WeakPtr<TComponent> popupMenu_;
    friend class TWinControl;
    TWinControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    std::string text_;
    TColor color_ = clWindow;
    bool parentColor_ = false;
    std::unique_ptr<TFont> font_;
    bool parentFont_ = true;
    bool applyingParent_ = false;
    TCursor cursor_ = crDefault;
    TBiDiMode biDiMode_ = TBiDiMode::bdLeftToRight;
    TAlign align_ = TAlign::alNone;
};

// A windowless control painted by its parent (labels, bevels).
class TGraphicControl : public TControl {
    TV_CLASS(TGraphicControl, TControl)
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;
    // Bound to the parent's DC while painting.
    TCanvas& Canvas() { return *canvas_; }
    void Invalidate() override;
    void Update() override;

protected:
    void HandleMessage(TMessage& m) override;
    virtual void Paint() {}

private:
    std::unique_ptr<TCanvas> canvas_;
};

struct TCreateParams {
    std::wstring caption;
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, width = 0, height = 0;
    HWND parent = nullptr;
    HMENU menuOrId = nullptr;
    std::wstring winClassName;  // the framework's class ("TButton")
    std::wstring sysClassName;  // the system class it superclasses ("BUTTON"); empty: own class
    UINT classStyle = CS_DBLCLKS;
};

class TWinControl : public TControl {
    TV_CLASS(TWinControl, TControl)
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // Creates the window (and its parents' windows) when there is none yet.
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded() { Handle(); }
    void DestroyHandle();
    void RecreateWnd();

    int ControlCount() const { return int(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(std::size_t(index)); }
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    // The windowless child at a client point (topmost first), or null.
    TControl* ControlAtPos(POINT p, bool allowDisabled = false) const;
    // Sends msg to every child control.
    void Broadcast(TMessage& m);
    // Lays the aligned children out in the client area: top, bottom, left, right, then
    // the rest to the client-aligned ones; each side in the order of their places.
    void AlignControls();
    // Paints the windowless children on dc (the window's client DC), from first on.
    void PaintControls(HDC dc, TControl* first);

    int TabOrder() const;
    void SetTabOrder(int order);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool v);
    // Windowed children in tab order; with nested ones, depth first.
    std::vector<TWinControl*> TabList(bool nested = false) const;
    bool Focused() const;
    bool CanFocus() const;
    virtual void SetFocus();
    // Whether control is this one or sits somewhere inside it.
    bool ContainsControl(const TControl* control) const;

    void SetBounds(int left, int top, int width, int height) override;
    RECT ClientRect() const override;
    void Loaded() override;
    void SetClientSize(int width, int height) override;
    bool Showing() const override;
    void SetEnabled(bool v) override;
    std::string GetText() const override;
    void SetText(const std::string& v) override;
    void Invalidate() override;
    void Update() override;
    void BringToFront() override;
    void SendToBack() override;

    // Brush of the control's colour (for WM_CTLCOLOR and erasing).
    TBrush& Brush() { return brush_; }

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    // After the window changed its size.
    TNotifyEvent OnResize;

    // The framework's window procedure, through which every framework window's messages pass.
    static LRESULT CALLBACK InitWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    virtual void CreateHandle();
    // After the window exists: font, children, text.
    virtual void CreateWindowHandle(const TCreateParams& params);
    // Runs create (which makes this control's window, however it does it) so that the
    // window's first messages already reach this control.
    void CreateLinkedWindow(const std::function<HWND()>& create);
    // Destroys the window itself (an MDI child asks its MDI client to).
    virtual void DestroyWindowHandle(HWND wnd) { ::DestroyWindow(wnd); }
    virtual void DestroyWnd();
    void HandleMessage(TMessage& m) override;
    void DefaultHandler(TMessage& m) override;
    // Painting of windows whose class paints nothing itself, before windowless children.
    virtual void PaintWindow(HDC dc);
    void FontChanged() override;
    void ColorChanged() override;
    // WM_GETDLGCODE-like wishes: which keys this control handles itself.
    virtual bool WantsKey(WORD key) const;
    // True when a reflected CN_* message was handled.
    bool ReflectToChild(HWND child, TMessage& m);
    bool hasOwnPaint_ = false;  // the window class has no painting of its own

    // The focus host of a top parent (a form) answers these; a plain windowed control
    // passes them on to its parent.
    // Makes child the focused control (now, or when the host is activated).
    virtual void FocusChild(TWinControl* child);
    // The keyboard focus has moved to child (its WM_SETFOCUS).
    virtual void ChildFocused(TWinControl* child);
    // control is leaving this host (destroyed or moved elsewhere) while still whole:
    // the host lets go of it and moves the focus away from it.
    virtual void ChildLeaving(TWinControl* control);
    // A host that previews keys sees a child's key first; it sets key to 0 when it took it.
    virtual void PreviewChildKey(WORD& key);

private:
    friend class TControl;
    void MainWndProc(TMessage& m);
    // By concern: reflection to the child that caused a notification, mouse routing
    // to windowless children, keys handed to the focus host. Each answers true when
    // it handled the message.
    bool HandleReflection(TMessage& m);
    bool HandleMouseRouting(TMessage& m);
    bool HandleKeys(TMessage& m);
    bool RouteMouseToChild(TMessage& m);
    void UpdateMouseControl(TControl* target);
    void ApplyBounds();
    // Width and height of the frame around the client area, estimated while there is no window.
    SIZE EstimatedFrame() const;
    HWND handle_ = nullptr;
    WNDPROC defWndProc_ = nullptr;
    std::vector<TControl*> controls_;  // in z order: later is on top
    std::vector<TWinControl*> tabList_;  // windowed children in tab order
    TBrush brush_;
    bool tabStop_ = false;
    int tabOrder_ = -1;
    WeakPtr<TControl> captureControl_;  // windowless child that got the left press
    bool trackingLeave_ = false;
    bool destroyingWnd_ = false;
    bool aligning_ = false;
    bool measuring_ = false;  // CreateParams asked for sizes only: no parent window needed
    int pendingClientW_ = -1, pendingClientH_ = -1;  // client size asked for before the window existed
};

// A windowed control that paints itself on its own canvas (panels, custom views).
class TCustomControl : public TWinControl {
    TV_CLASS(TCustomControl, TWinControl)
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;
    // Bound to the window's DC while painting.
    TCanvas& Canvas() { return *canvas_; }

protected:
    void PaintWindow(HDC dc) override;
    virtual void Paint() {}

private:
    std::unique_ptr<TCanvas> canvas_;
};

// The control whose window this is (through the window property), or null.
TWinControl* FindControl(HWND wnd);
// The control whose window is being made right now (before its first message), or null.
TWinControl* ControlBeingCreated();
// The name of the window property that links a window to its control:
// "ControlOfs" + module instance + thread id, each as 8 upper-case hex digits.
const std::wstring& ControlPropertyName();
HCURSOR CursorHandle(TCursor cursor);

// The control under the mouse, as the last CM_MOUSEENTER told it; null when none.
TControl* MouseControl();

}  // namespace tv
