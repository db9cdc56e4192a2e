// Frames: containers of controls that are placed on a form like any control and own the
// controls they hold, so that one kind of frame can be put on many forms. A frame shows
// what lies behind it (its parent's background) unless ParentBackground is turned off.
#pragma once

#include "framework/Controls.h"

namespace tv {

class TCustomFrame : public TCustomControl {
    TV_CLASS(TCustomFrame, TCustomControl)
    explicit TCustomFrame(TComponent* owner);

    bool ParentBackground() const { return parentBackground_; }
    void SetParentBackground(bool v);

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleMessage(TMessage& m) override;

private:
    bool parentBackground_ = true;
};

class TFrame : public TCustomFrame {
    TV_CLASS(TFrame, TCustomFrame)
    explicit TFrame(TComponent* owner);
};

}  // namespace tv
