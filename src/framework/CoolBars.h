// A cool bar over the system's ReBarWindow32: bands side by side (or in rows), each with a
// caption, a gripper and one control in it (a tool bar, an edit, ...). Bands are added in
// code; the control of a band becomes a child of the cool bar.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/Controls.h"

namespace tv {

class TCoolBar;

class TCoolBand : public TPersistent {
    TV_CLASS(TCoolBand, TPersistent)
    explicit TCoolBand(TCoolBar* bar = nullptr) : bar_(bar) {}

    TWinControl* Control() const { return control_.Get(); }
    std::string Text() const { return text_; }
    void SetText(const std::string& v);
    // The band's width; the user may drag it (the bar reports the new one).
    int Width() const;
    void SetWidth(int v);
    int MinHeight() const { return minHeight_; }
    void SetMinHeight(int v);
    // The band's background (its control's surroundings); its caption is drawn in a colour
    // that reads on it.
    TColor Color() const { return color_; }
    void SetColor(TColor v);
    // The band starts a new row.
    bool Break() const { return break_; }
    void SetBreak(bool v);

private:
    friend class TCoolBar;
    void Changed();
    TCoolBar* bar_;
    WeakPtr<TWinControl> control_;
    std::string text_;
    int width_ = 100;
    int minHeight_ = 22;
    TColor color_ = clBtnFace;
    bool break_ = false;
};

class TCoolBar : public TWinControl {
    TV_CLASS(TCoolBar, TWinControl)
    explicit TCoolBar(TComponent* owner);
    ~TCoolBar() override;

    int BandCount() const { return int(bands_.size()); }
    TCoolBand* Bands(int index) const { return bands_.at(std::size_t(index)).get(); }
    // A new last band holding control (which becomes the bar's child).
    TCoolBand* AddBand(TWinControl* control, const std::string& text, int width);
    // Where band index is, in the bar's client coordinates.
    RECT BandRect(int index);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandle(const TCreateParams& params) override;
    // The bar paints the bands' backgrounds itself: a themed bar would ignore their colours.
    void HandleMessage(TMessage& m) override;

private:
    friend class TCoolBand;
    void WriteBand(int index, bool insert);
    int IndexOf(const TCoolBand* band) const;
    std::vector<std::unique_ptr<TCoolBand>> bands_;
};

}  // namespace tv
