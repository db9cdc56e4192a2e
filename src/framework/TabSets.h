// A tab set: a strip of tabs drawn by the framework itself, hanging from the bottom edge of
// what it serves (as a notebook's tabs below its pages). Tabs that do not fit are scrolled
// into view with a small horizontal scroller at the right end.
#pragma once

#include <memory>
#include <string>

#include "framework/ComCtrls.h"
#include "framework/Controls.h"
#include "framework/Strings.h"

namespace tv {

class TTabSet : public TCustomControl {
    TV_CLASS(TTabSet, TCustomControl)
    explicit TTabSet(TComponent* owner);
    ~TTabSet() override;

    TStrings& Tabs() { return *tabs_; }
    TStrings* TabsPtr() { return tabs_.get(); }
    // The selected tab; -1 none.
    int TabIndex() const { return tabIndex_; }
    void SetTabIndex(int index);
    // The first tab shown (the ones before it are scrolled out at the left).
    int FirstIndex() const { return firstIndex_; }
    void SetFirstIndex(int index);
    // Room left free before the first tab and after the last.
    int StartMargin() const { return startMargin_; }
    void SetStartMargin(int v);
    int EndMargin() const { return endMargin_; }
    void SetEndMargin(int v);

    // Where tab index sits in the client area; empty when it is not shown (before
    // FirstIndex, or past the room there is).
    RECT TabRect(int index);
    // The tab at a client point, or -1.
    int TabAtPos(POINT p);
    // Whether the scroller shows (some tab is out of view).
    bool ScrollerVisible() const;
    // The scroller, the first component the tab set owns.
    TUpDown* Scroller() const { return scroller_; }

    // After the user chose another tab (code's changes are not reported).
    TNotifyEvent OnChange;

    void Loaded() override;
    void SetBounds(int left, int top, int width, int height) override;

    // The extra room a caption takes on a tab; with the scroller showing, a tab must leave
    // kScrollerRoom - kTabPadding more free before the end margin.
    static constexpr int kTabPadding = 9;
    static constexpr int kScrollerRoom = 21;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandle(const TCreateParams& params) override;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void FontChanged() override;

private:
    void Select(int index, bool byUser);
    int CaptionWidth(int index);
    // Shows the scroller when the tabs from the first do not all fit, or the first is not 0.
    void UpdateScroller();
    void TabsChanged();
    std::unique_ptr<TStringList> tabs_;
    TUpDown* scroller_ = nullptr;
    int tabIndex_ = -1;
    int firstIndex_ = 0;
    int startMargin_ = 5;
    int endMargin_ = 5;
};

}  // namespace tv
