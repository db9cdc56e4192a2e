// Aligned children: each takes a side of its parent's client area (or what is left of it)
// whenever the parent or one of them changes size.
#include <algorithm>
#include <vector>

#include "framework/Controls.h"

namespace tv {

const TEnumInfo& AlignType() {
    static const TEnumInfo info =
        TEnumInfo::Sequential("TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"});
    return info;
}

void TControl::SetAlign(TAlign v) {
    if (v == align_) return;
    align_ = v;
    if (parent_) parent_->AlignControls();
}

void TWinControl::AlignControls() {
    // A child placed here calls back through its SetBounds; one pass does it all.
    if (aligning_ || HasState(TComponentState::Loading) || HasState(TComponentState::Destroying)) return;
    aligning_ = true;
    RECT rest = ClientRect();
    const auto place = [&](TAlign align, auto key, auto put) {
        std::vector<TControl*> side;
        for (TControl* c : controls_)
            if (c->Align() == align && c->Visible()) side.push_back(c);
        // Nearest the edge first: the order of their places, not of their making.
        std::stable_sort(side.begin(), side.end(), [&](TControl* a, TControl* b) { return key(a) < key(b); });
        for (TControl* c : side) put(c);
    };
    place(TAlign::alTop, [](TControl* c) { return c->Top(); }, [&](TControl* c) {
        const int h = std::min<int>(c->Height(), std::max<int>(0, rest.bottom - rest.top));
        c->SetBounds(rest.left, rest.top, std::max<int>(0, rest.right - rest.left), h);
        rest.top += h;
    });
    place(TAlign::alBottom, [](TControl* c) { return -(c->Top() + c->Height()); }, [&](TControl* c) {
        const int h = std::min<int>(c->Height(), std::max<int>(0, rest.bottom - rest.top));
        c->SetBounds(rest.left, rest.bottom - h, std::max<int>(0, rest.right - rest.left), h);
        rest.bottom -= h;
    });
    place(TAlign::alLeft, [](TControl* c) { return c->Left(); }, [&](TControl* c) {
        const int w = std::min<int>(c->Width(), std::max<int>(0, rest.right - rest.left));
        c->SetBounds(rest.left, rest.top, w, std::max<int>(0, rest.bottom - rest.top));
        rest.left += w;
    });
    place(TAlign::alRight, [](TControl* c) { return -(c->Left() + c->Width()); }, [&](TControl* c) {
        const int w = std::min<int>(c->Width(), std::max<int>(0, rest.right - rest.left));
        c->SetBounds(rest.right - w, rest.top, w, std::max<int>(0, rest.bottom - rest.top));
        rest.right -= w;
    });
    place(TAlign::alClient, [](TControl*) { return 0; }, [&](TControl* c) {
        c->SetBounds(rest.left, rest.top, std::max<int>(0, rest.right - rest.left),
                     std::max<int>(0, rest.bottom - rest.top));
    });
    aligning_ = false;
}

void TControl::RealignInParent() {
    if (align_ != TAlign::alNone && parent_ && !parent_->aligning_) parent_->AlignControls();
}

}  // namespace tv
