#include "framework/ComCtrls.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/MessageCrackers.h"

namespace tv {

namespace {

bool Loading(const TComponent& c) { return c.HasState(TComponentState::Loading); }

// While the control pushes its own fields into the window, the window's answers are not
// read back: a half-set range would clamp the position not yet sent.
class Pushing {
public:
    explicit Pushing(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~Pushing() { flag_ = old_; }
    Pushing(const Pushing&) = delete;
    Pushing& operator=(const Pushing&) = delete;

private:
    bool& flag_;
    bool old_;
};

}  // namespace

void EnsureCommonControls() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX icc{sizeof(INITCOMMONCONTROLSEX), ICC_PROGRESS_CLASS | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS |
                                                                  ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
        return ::InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)done;
}

// ---- progress bar --------------------------------------------------------------------------

const TEnumInfo& ProgressBarOrientationType() {
    static const TEnumInfo info = TEnumInfo::Sequential("TProgressBarOrientation", {"pbHorizontal", "pbVertical"});
    return info;
}

namespace {
bool pushingProgress = false;
}

const TClassInfo& TProgressBar::StaticClass() {
    static const TClassInfo info =
        DescribeClass<TProgressBar>("TProgressBar")
            .Int("Max", &TProgressBar::Max, &TProgressBar::SetMax)
            .Default(100)
            .Int("Min", &TProgressBar::Min, &TProgressBar::SetMin)
            .Default(0)
            .Enum("Orientation", ProgressBarOrientationType(), &TProgressBar::Orientation,
                  &TProgressBar::SetOrientation)
            .Default(int(TProgressBarOrientation::pbHorizontal))
            .Int("Position", &TProgressBar::Position, &TProgressBar::SetPosition)
            .Default(0)
            .Bool("Smooth", &TProgressBar::Smooth, &TProgressBar::SetSmooth)
            .Default(0)
            .Int("Step", &TProgressBar::Step, &TProgressBar::SetStep)
            .Default(10)
            .Done();
    return info;
}

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) {
    SetBoundsFields(0, 0, 150, 16);
    InitColor(clBtnFace, true);
    Brush().SetColor(clBtnFace);
}

void TProgressBar::CreateParams(TCreateParams& p) {
    EnsureCommonControls();
    TWinControl::CreateParams(p);
    p.sysClassName = PROGRESS_CLASSW;
    if (orientation_ == TProgressBarOrientation::pbVertical) p.style |= PBS_VERTICAL;
    if (smooth_) p.style |= PBS_SMOOTH;
}

void TProgressBar::CreateWindowHandle(const TCreateParams& p) {
    TWinControl::CreateWindowHandle(p);
    UpdateWindow();
}

void TProgressBar::UpdateWindow() {
    if (!HandleAllocated()) return;
    const Pushing pushing(pushingProgress);
    ::SendMessageW(Handle(), PBM_SETRANGE32, WPARAM(min_), LPARAM(max_));
    ::SendMessageW(Handle(), PBM_SETSTEP, WPARAM(step_), 0);
    ::SendMessageW(Handle(), PBM_SETPOS, WPARAM(position_), 0);
}

void TProgressBar::ReadBack() {
    if (!HandleAllocated()) return;
    min_ = int(::SendMessageW(Handle(), PBM_GETRANGE, TRUE, 0));
    max_ = int(::SendMessageW(Handle(), PBM_GETRANGE, FALSE, 0));
    position_ = int(::SendMessageW(Handle(), PBM_GETPOS, 0, 0));
}

void TProgressBar::SetParams(int position, int min, int max) {
    if (Loading(*this)) {
        // Properties come in any order: the checks wait for Loaded.
        position_ = position, min_ = min, max_ = max;
        return;
    }
    if (max < min) throw EPropertyError("Progress bar: Max must not be less than Min");
    min_ = min, max_ = max;
    position_ = std::clamp(position, min_, max_);
    UpdateWindow();
}

void TProgressBar::Loaded() {
    TWinControl::Loaded();
    if (max_ < min_) max_ = min_;
    position_ = std::clamp(position_, min_, max_);
    UpdateWindow();
}

void TProgressBar::SetOrientation(TProgressBarOrientation v) {
    if (v == orientation_) return;
    orientation_ = v;
    // A new orientation swaps the long and the short side.
    if (!Loading(*this)) SetBounds(Left(), Top(), Height(), Width());
    if (HandleAllocated()) RecreateWnd();
}

void TProgressBar::SetSmooth(bool v) {
    if (v == smooth_) return;
    smooth_ = v;
    if (HandleAllocated()) RecreateWnd();
}

void TProgressBar::SetStep(int v) {
    step_ = v;
    if (HandleAllocated()) {
        const Pushing pushing(pushingProgress);
        ::SendMessageW(Handle(), PBM_SETSTEP, WPARAM(v), 0);
    }
}

void TProgressBar::HandleMessage(TMessage& m) {
    switch (m.Msg) {
        case PBM_SETRANGE:
        case PBM_SETPOS:
        case PBM_DELTAPOS:
        case PBM_STEPIT:
        case PBM_SETRANGE32:
            // Sent to the window by someone else: the properties follow.
            DefaultHandler(m);
            if (!pushingProgress) ReadBack();
            return;
        case PBM_SETSTEP:
            DefaultHandler(m);
            if (!pushingProgress) step_ = int(m.WParam);
            return;
        default: break;
    }
    TWinControl::HandleMessage(m);
}

// ---- track bar -----------------------------------------------------------------------------

const TEnumInfo& TrackBarOrientationType() {
    static const TEnumInfo info = TEnumInfo::Sequential("TTrackBarOrientation", {"trHorizontal", "trVertical"});
    return info;
}

const TEnumInfo& TickStyleType() {
    static const TEnumInfo info = TEnumInfo::Sequential("TTickStyle", {"tsNone", "tsAuto", "tsManual"});
    return info;
}

const TEnumInfo& TickMarkType() {
    static const TEnumInfo info = TEnumInfo::Sequential("TTickMark", {"tmBottomRight", "tmTopLeft", "tmBoth"});
    return info;
}

namespace {
bool pushingTrack = false;
}

const TClassInfo& TTrackBar::StaticClass() {
    static const TClassInfo info =
        DescribeClass<TTrackBar>("TTrackBar")
            .Int("Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency)
            .Default(1)
            .Int("LineSize", &TTrackBar::LineSize, &TTrackBar::SetLineSize)
            .Default(1)
            .Int("Max", &TTrackBar::Max, &TTrackBar::SetMax)
            .Default(10)
            .Int("Min", &TTrackBar::Min, &TTrackBar::SetMin)
            .Default(0)
            .Enum("Orientation", TrackBarOrientationType(), &TTrackBar::Orientation, &TTrackBar::SetOrientation)
            .Default(int(TTrackBarOrientation::trHorizontal))
            .Int("PageSize", &TTrackBar::PageSize, &TTrackBar::SetPageSize)
            .Default(2)
            .Int("Position", &TTrackBar::Position, &TTrackBar::SetPosition)
            .Default(0)
            .Enum("TickMarks", TickMarkType(), &TTrackBar::TickMarks, &TTrackBar::SetTickMarks)
            .Default(int(TTickMark::tmBottomRight))
            .Enum("TickStyle", TickStyleType(), &TTrackBar::TickStyle, &TTrackBar::SetTickStyle)
            .Default(int(TTickStyle::tsAuto))
            .Event("OnChange", &TTrackBar::OnChange)
            .Done();
    return info;
}

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner) {
    SetBoundsFields(0, 0, 150, 45);
    SetTabStop(true);
    InitColor(clBtnFace, true);
    Brush().SetColor(clBtnFace);
}

void TTrackBar::CreateParams(TCreateParams& p) {
    EnsureCommonControls();
    TWinControl::CreateParams(p);
    p.sysClassName = TRACKBAR_CLASSW;
    if (orientation_ == TTrackBarOrientation::trVertical) p.style |= TBS_VERT;
    switch (tickStyle_) {
        case TTickStyle::tsNone: p.style |= TBS_NOTICKS; break;
        case TTickStyle::tsAuto: p.style |= TBS_AUTOTICKS; break;
        case TTickStyle::tsManual: break;
    }
    switch (tickMarks_) {
        case TTickMark::tmBottomRight: break;
        case TTickMark::tmTopLeft: p.style |= TBS_TOP; break;
        case TTickMark::tmBoth: p.style |= TBS_BOTH; break;
    }
}

void TTrackBar::CreateWindowHandle(const TCreateParams& p) {
    TWinControl::CreateWindowHandle(p);
    UpdateWindow();
}

void TTrackBar::UpdateWindow() {
    if (!HandleAllocated()) return;
    const Pushing pushing(pushingTrack);
    HWND h = Handle();
    ::SendMessageW(h, TBM_SETRANGEMIN, FALSE, LPARAM(min_));
    ::SendMessageW(h, TBM_SETRANGEMAX, FALSE, LPARAM(max_));
    ::SendMessageW(h, TBM_SETPAGESIZE, 0, LPARAM(pageSize_));
    ::SendMessageW(h, TBM_SETLINESIZE, 0, LPARAM(lineSize_));
    if (tickStyle_ == TTickStyle::tsAuto) ::SendMessageW(h, TBM_SETTICFREQ, WPARAM(frequency_), 0);
    ::SendMessageW(h, TBM_SETPOS, TRUE, LPARAM(position_));
}

void TTrackBar::ReadBack() {
    if (!HandleAllocated()) return;
    HWND h = Handle();
    const int old = position_;
    min_ = int(::SendMessageW(h, TBM_GETRANGEMIN, 0, 0));
    max_ = int(::SendMessageW(h, TBM_GETRANGEMAX, 0, 0));
    pageSize_ = int(::SendMessageW(h, TBM_GETPAGESIZE, 0, 0));
    lineSize_ = int(::SendMessageW(h, TBM_GETLINESIZE, 0, 0));
    position_ = int(::SendMessageW(h, TBM_GETPOS, 0, 0));
    Changed(old);
}

void TTrackBar::Changed(int old) {
    if (position_ != old && !Loading(*this) && OnChange) OnChange(this);
}

void TTrackBar::SetParams(int position, int min, int max) {
    if (Loading(*this)) {
        position_ = position, min_ = min, max_ = max;
        return;
    }
    if (max < min) throw EPropertyError("Track bar: Max must not be less than Min");
    const int old = position_;
    min_ = min, max_ = max;
    position_ = std::clamp(position, min_, max_);
    UpdateWindow();
    Changed(old);
}

void TTrackBar::Loaded() {
    TWinControl::Loaded();
    if (max_ < min_) max_ = min_;
    position_ = std::clamp(position_, min_, max_);
    UpdateWindow();
}

void TTrackBar::SetOrientation(TTrackBarOrientation v) {
    if (v == orientation_) return;
    orientation_ = v;
    if (!Loading(*this)) SetBounds(Left(), Top(), Height(), Width());
    if (HandleAllocated()) RecreateWnd();
}

void TTrackBar::SetTickStyle(TTickStyle v) {
    if (v == tickStyle_) return;
    tickStyle_ = v;
    if (HandleAllocated()) RecreateWnd();
}

void TTrackBar::SetTickMarks(TTickMark v) {
    if (v == tickMarks_) return;
    tickMarks_ = v;
    if (HandleAllocated()) RecreateWnd();
}

void TTrackBar::SetFrequency(int v) {
    frequency_ = std::max(1, v);
    UpdateWindow();
}

void TTrackBar::SetPageSize(int v) {
    pageSize_ = std::max(0, v);
    UpdateWindow();
}

void TTrackBar::SetLineSize(int v) {
    lineSize_ = std::max(0, v);
    UpdateWindow();
}

void TTrackBar::SetTick(int value) {
    if (HandleAllocated()) ::SendMessageW(Handle(), TBM_SETTIC, 0, LPARAM(value));
}

void TTrackBar::HandleMessage(TMessage& m) {
    switch (m.Msg) {
        case CN_HSCROLL:
        case CN_VSCROLL:
            // The user moved the thumb (mouse or keys): the window has the new position.
            ReadBack();
            m.Result = 0;
            return;
        case TBM_SETPOS:
        case TBM_SETRANGE:
        case TBM_SETRANGEMIN:
        case TBM_SETRANGEMAX:
        case TBM_SETPAGESIZE:
        case TBM_SETLINESIZE:
            DefaultHandler(m);
            if (!pushingTrack) ReadBack();
            return;
        case TBM_SETTICFREQ:
            DefaultHandler(m);
            if (!pushingTrack) frequency_ = std::max(1, int(m.WParam));
            return;
        default: break;
    }
    TWinControl::HandleMessage(m);
}

// ---- up-down -------------------------------------------------------------------------------

const TEnumInfo& UDOrientationType() {
    static const TEnumInfo info = TEnumInfo::Sequential("TUDOrientation", {"udVertical", "udHorizontal"});
    return info;
}

const TClassInfo& TUpDown::StaticClass() {
    static const TClassInfo info =
        DescribeClass<TUpDown>("TUpDown")
            .Bool("ArrowKeys", &TUpDown::ArrowKeys, &TUpDown::SetArrowKeys)
            .Default(1)
            .Obj<TWinControl>("Associate", &TUpDown::Associate, &TUpDown::SetAssociate)
            .Int("Increment", &TUpDown::Increment, &TUpDown::SetIncrement)
            .Default(1)
            .Int("Max", &TUpDown::Max, &TUpDown::SetMax)
            .Default(100)
            .Int("Min", &TUpDown::Min, &TUpDown::SetMin)
            .Default(0)
            .Enum("Orientation", UDOrientationType(), &TUpDown::Orientation, &TUpDown::SetOrientation)
            .Default(int(TUDOrientation::udVertical))
            .Int("Position", &TUpDown::Position, &TUpDown::SetPosition)
            .Default(0)
            .Bool("Wrap", &TUpDown::Wrap, &TUpDown::SetWrap)
            .Default(0)
            .Event("OnChanging", &TUpDown::OnChanging)
            .Event("OnClick", &TUpDown::OnClick)
            .Done();
    return info;
}

TUpDown::TUpDown(TComponent* owner) : TWinControl(owner) {
    SetBoundsFields(0, 0, 17, 25);
    InitColor(clBtnFace, true);
    Brush().SetColor(clBtnFace);
}

void TUpDown::CreateParams(TCreateParams& p) {
    EnsureCommonControls();
    TWinControl::CreateParams(p);
    p.sysClassName = UPDOWN_CLASSW;
    // The edit shows the number; where the buttons go is ours to say (the system's
    // alignment would narrow the edit again at every new window).
    p.style |= UDS_SETBUDDYINT | UDS_NOTHOUSANDS;
    if (arrowKeys_) p.style |= UDS_ARROWKEYS;
    if (wrap_) p.style |= UDS_WRAP;
    if (orientation_ == TUDOrientation::udHorizontal) p.style |= UDS_HORZ;
}

void TUpDown::CreateWindowHandle(const TCreateParams& p) {
    TWinControl::CreateWindowHandle(p);
    UpdateWindow();
    Attach();
}

void TUpDown::UpdateWindow() {
    if (!HandleAllocated()) return;
    ::SendMessageW(Handle(), UDM_SETRANGE32, WPARAM(min_), LPARAM(max_));
    UDACCEL accel{0, UINT(std::max(1, increment_))};
    ::SendMessageW(Handle(), UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    ::SendMessageW(Handle(), UDM_SETPOS32, 0, LPARAM(position_));
}

void TUpDown::Attach() {
    if (!HandleAllocated() || Loading(*this)) return;
    TWinControl* edit = associate_.Get();
    if (!edit) {
        ::SendMessageW(Handle(), UDM_SETBUDDY, 0, 0);
        return;
    }
    if (edit->Parent() == Parent()) SetBounds(edit->Left() + edit->Width(), edit->Top(), Width(), edit->Height());
    ::SendMessageW(Handle(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit->Handle()), 0);
    // The edit shows the position from the start, not only after the first click.
    ::SendMessageW(Handle(), UDM_SETPOS32, 0, LPARAM(position_));
}

void TUpDown::SetAssociate(TWinControl* v) {
    if (v == this) v = nullptr;
    position_ = Position();
    if (TWinControl* old = associate_.Get(); old && old != v) RemoveFreeNotification(old);
    associate_ = v;
    associateKey_ = v;
    if (v) FreeNotification(v);
    Attach();
}

void TUpDown::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    // A control whose buddy window is gone takes no clicks: let go of it.
    if (operation == TOperation::Remove && component == associateKey_) {
        associate_ = nullptr;
        associateKey_ = nullptr;
        if (HandleAllocated()) ::SendMessageW(Handle(), UDM_SETBUDDY, 0, 0);
    }
}

void TUpDown::SetMin(int v) {
    min_ = v;
    if (!Loading(*this)) position_ = std::clamp(Position(), std::min(min_, max_), std::max(min_, max_));
    UpdateWindow();
}

void TUpDown::SetMax(int v) {
    max_ = v;
    if (!Loading(*this)) position_ = std::clamp(Position(), std::min(min_, max_), std::max(min_, max_));
    UpdateWindow();
}

int TUpDown::Position() const {
    if (!HandleAllocated()) return position_;
    BOOL failed = FALSE;
    auto* self = const_cast<TUpDown*>(this);
    const int pos = int(::SendMessageW(self->Handle(), UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
    // Text in the edit that is no number leaves the last good position. Without an edit
    // the flag says only that there is no text to read.
    const bool hasBuddy = ::SendMessageW(self->Handle(), UDM_GETBUDDY, 0, 0) != 0;
    return failed && hasBuddy ? position_ : pos;
}

void TUpDown::SetPosition(int v) {
    if (!Loading(*this)) v = std::clamp(v, std::min(min_, max_), std::max(min_, max_));
    position_ = v;
    if (HandleAllocated()) ::SendMessageW(Handle(), UDM_SETPOS32, 0, LPARAM(v));
}

void TUpDown::SetIncrement(int v) {
    increment_ = std::max(1, v);
    // What the user typed into the edit stays.
    if (!Loading(*this)) position_ = Position();
    UpdateWindow();
}

void TUpDown::SetOrientation(TUDOrientation v) {
    if (v == orientation_) return;
    position_ = Position();
    orientation_ = v;
    if (!Loading(*this) && !associate_.Get()) SetBounds(Left(), Top(), Height(), Width());
    if (HandleAllocated()) RecreateWnd();
}

void TUpDown::SetWrap(bool v) {
    if (v == wrap_) return;
    position_ = Position();
    wrap_ = v;
    if (HandleAllocated()) RecreateWnd();
}

void TUpDown::SetArrowKeys(bool v) {
    if (v == arrowKeys_) return;
    position_ = Position();
    arrowKeys_ = v;
    if (HandleAllocated()) RecreateWnd();
}

void TUpDown::Loaded() {
    TWinControl::Loaded();
    position_ = std::clamp(position_, std::min(min_, max_), std::max(min_, max_));
    UpdateWindow();
    Attach();
}

void TUpDown::HandleMessage(TMessage& m) {
    switch (m.Msg) {
        case CN_NOTIFY: {
            auto* hdr = StructFromLParam<NMHDR>(m);
            if (hdr && hdr->code == UDN_DELTAPOS) {
                const auto* ud = reinterpret_cast<const NMUPDOWN*>(hdr);
                bool allow = true;
                if (OnChanging) OnChanging(this, allow);
                // The control reports the position after a refused change too: no click then.
                pendingClick_ = !allow ? 0 : ud->iDelta >= 0 ? 1 : -1;
                m.Result = allow ? 0 : 1;
                return;
            }
            break;
        }
        case CN_HSCROLL:
        case CN_VSCROLL:
            if (LOWORD(m.WParam) == SB_THUMBPOSITION) {
                position_ = Position();
                // Which button it was, from the change asked for: with Wrap, the next
                // position after Max is Min.
                const int click = pendingClick_;
                pendingClick_ = 0;
                if (click && OnClick) OnClick(this, click > 0 ? TUDBtnType::btNext : TUDBtnType::btPrev);
            }
            m.Result = 0;
            return;
        case WM_DESTROY:
            position_ = Position();
            break;
        default: break;
    }
    TWinControl::HandleMessage(m);
}

}  // namespace tv
