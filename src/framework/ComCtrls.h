// Range controls over the system's common controls: progress bars, track bars and
// up-down buttons.
//
// The control's fields are what the properties read; whatever changes the window's state
// (the user, or a message sent straight to the window) is read back into them, so that a
// property and the window never disagree. OnChange fires once per change of Position.
#pragma once

#include "framework/Controls.h"

namespace tv {

// Registers the common control classes these wrap (once).
void EnsureCommonControls();

enum class TProgressBarOrientation { pbHorizontal, pbVertical };
const TEnumInfo& ProgressBarOrientationType();

class TProgressBar : public TWinControl {
    TV_CLASS(TProgressBar, TWinControl)
    explicit TProgressBar(TComponent* owner);

    int Min() const { return min_; }
    void SetMin(int v) { SetParams(position_, v, max_); }
    int Max() const { return max_; }
    void SetMax(int v) { SetParams(position_, min_, v); }
    int Position() const { return position_; }
    // Kept inside Min .. Max, as the system's bar keeps it.
    void SetPosition(int v) { SetParams(v, min_, max_); }
    // Max below Min is refused (EPropertyError), except while loading.
    void SetParams(int position, int min, int max);
    TProgressBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TProgressBarOrientation v);
    bool Smooth() const { return smooth_; }
    void SetSmooth(bool v);
    int Step() const { return step_; }
    void SetStep(int v);
    // Position moves on by Step (or delta), stopping at the ends.
    void StepIt() { SetPosition(position_ + step_); }
    void StepBy(int delta) { SetPosition(position_ + delta); }

    void Loaded() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandle(const TCreateParams& params) override;
    void HandleMessage(TMessage& m) override;

private:
    void UpdateWindow();
    void ReadBack();
    int min_ = 0, max_ = 100, position_ = 0, step_ = 10;
    TProgressBarOrientation orientation_ = TProgressBarOrientation::pbHorizontal;
    bool smooth_ = false;
};

enum class TTrackBarOrientation { trHorizontal, trVertical };
enum class TTickStyle { tsNone, tsAuto, tsManual };
enum class TTickMark { tmBottomRight, tmTopLeft, tmBoth };
const TEnumInfo& TrackBarOrientationType();
const TEnumInfo& TickStyleType();
const TEnumInfo& TickMarkType();

class TTrackBar : public TWinControl {
    TV_CLASS(TTrackBar, TWinControl)
    explicit TTrackBar(TComponent* owner);

    int Min() const { return min_; }
    void SetMin(int v) { SetParams(position_, v, max_); }
    int Max() const { return max_; }
    void SetMax(int v) { SetParams(position_, min_, v); }
    int Position() const { return position_; }
    void SetPosition(int v) { SetParams(v, min_, max_); }
    // Max below Min is refused (EPropertyError), except while loading. Fires OnChange when
    // the position changed.
    void SetParams(int position, int min, int max);
    TTrackBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TTrackBarOrientation v);
    TTickStyle TickStyle() const { return tickStyle_; }
    void SetTickStyle(TTickStyle v);
    TTickMark TickMarks() const { return tickMarks_; }
    void SetTickMarks(TTickMark v);
    // Every Frequency-th position gets a tick (tsAuto).
    int Frequency() const { return frequency_; }
    void SetFrequency(int v);
    // What Page Up/Down and clicks beside the thumb move by; what the arrow keys move by.
    int PageSize() const { return pageSize_; }
    void SetPageSize(int v);
    int LineSize() const { return lineSize_; }
    void SetLineSize(int v);
    // A tick at that position (tsManual).
    void SetTick(int value);

    TNotifyEvent OnChange;

    void Loaded() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandle(const TCreateParams& params) override;
    void HandleMessage(TMessage& m) override;

private:
    void UpdateWindow();
    void ReadBack();
    void Changed(int old);
    int min_ = 0, max_ = 10, position_ = 0, frequency_ = 1, pageSize_ = 2, lineSize_ = 1;
    TTrackBarOrientation orientation_ = TTrackBarOrientation::trHorizontal;
    TTickStyle tickStyle_ = TTickStyle::tsAuto;
    TTickMark tickMarks_ = TTickMark::tmBottomRight;
};

enum class TUDOrientation { udVertical, udHorizontal };
enum class TUDBtnType { btNext, btPrev };
const TEnumInfo& UDOrientationType();
using TUDClickEvent = TEvent<void(TObject* Sender, TUDBtnType Button)>;
using TUDChangingEvent = TEvent<void(TObject* Sender, bool& AllowChange)>;

// Two arrow buttons that step Position through Min .. Max. An associated edit shows
// Position and is read back when the user typed into it; the buttons sit at its right.
class TUpDown : public TWinControl {
    TV_CLASS(TUpDown, TWinControl)
    explicit TUpDown(TComponent* owner);

    TWinControl* Associate() const { return associate_.Get(); }
    void SetAssociate(TWinControl* v);
    int Min() const { return min_; }
    void SetMin(int v);
    int Max() const { return max_; }
    void SetMax(int v);
    // With an associated edit, what it shows now (the user may have typed a new number).
    int Position() const;
    void SetPosition(int v);
    int Increment() const { return increment_; }
    void SetIncrement(int v);
    TUDOrientation Orientation() const { return orientation_; }
    void SetOrientation(TUDOrientation v);
    bool Wrap() const { return wrap_; }
    void SetWrap(bool v);
    bool ArrowKeys() const { return arrowKeys_; }
    void SetArrowKeys(bool v);

    // A button moved Position: btNext up (or right), btPrev down (or left).
    TUDClickEvent OnClick;
    // Before a button moves Position; AllowChange false keeps it.
    TUDChangingEvent OnChanging;

    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandle(const TCreateParams& params) override;
    void HandleMessage(TMessage& m) override;

private:
    void UpdateWindow();
    void Attach();
    WeakPtr<TWinControl> associate_;
    const TComponent* associateKey_ = nullptr;  // only compared: the weak link reads null once it goes
    int min_ = 0, max_ = 100, position_ = 0, increment_ = 1;
    TUDOrientation orientation_ = TUDOrientation::udVertical;
    bool wrap_ = false, arrowKeys_ = true;
    int pendingClick_ = 0;  // +1 next, -1 previous: a change the buttons asked for and got
};

}  // namespace tv
