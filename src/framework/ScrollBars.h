// A stand-alone scroll bar control over the system SCROLLBAR class.
#pragma once

#include <algorithm>

#include "framework/Controls.h"

namespace tv {

enum class TScrollBarKind { sbHorizontal, sbVertical };
const TEnumInfo& ScrollBarKindType();

enum class TScrollCode {
    scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll
};
using TScrollEvent = TEvent<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

class TScrollBar : public TWinControl {
    TV_CLASS(TScrollBar, TWinControl)
    explicit TScrollBar(TComponent* owner);

    TScrollBarKind Kind() const { return kind_; }
    void SetKind(TScrollBarKind v);
    int Min() const { return min_; }
    void SetMin(int v) { SetParams(position_, v, std::max(v, max_)); }
    int Max() const { return max_; }
    void SetMax(int v) { SetParams(position_, std::min(min_, v), v); }
    int Position() const { return position_; }
    void SetPosition(int v) { SetParams(v, min_, max_); }
    // The part of the range one page shows; the thumb is that long. 0: no page.
    int PageSize() const { return pageSize_; }
    void SetPageSize(int v);
    int SmallChange() const { return smallChange_; }
    void SetSmallChange(int v) { smallChange_ = std::max(1, v); }
    int LargeChange() const { return largeChange_; }
    void SetLargeChange(int v) { largeChange_ = std::max(1, v); }
    // Sets all three at once; position is kept inside what the thumb can show
    // (Min .. Max - PageSize + 1). Fires OnChange when the position changed.
    void SetParams(int position, int min, int max);
    // The highest position the thumb can reach.
    int MaxPosition() const;

    // The position changed (by the user or by code).
    TNotifyEvent OnChange;
    // The user scrolls; the handler may change the position about to be taken.
    TScrollEvent OnScroll;

    void Loaded() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandle(const TCreateParams& params) override;
    void HandleMessage(TMessage& m) override;
    bool ClicksOnMouseUp() const override { return false; }

private:
    void UpdateScrollInfo();
    void Scroll(WORD request, int thumb);
    TScrollBarKind kind_ = TScrollBarKind::sbHorizontal;
    int min_ = 0, max_ = 100, position_ = 0, pageSize_ = 0;
    int smallChange_ = 1, largeChange_ = 1;
};

}  // namespace tv
