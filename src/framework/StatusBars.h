// The status bar: the system's status window ("msctls_statusbar32") with its panels kept
// by the control, laid at the bottom of its parent by default.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Controls.h"
#include "framework/StdCtrls.h"

namespace tv {

class TCustomStatusBar;

enum class TStatusPanelBevel { pbNone, pbLowered, pbRaised };
const TEnumInfo& StatusPanelBevelType();
enum class TStatusPanelStyle { psText, psOwnerDraw };
const TEnumInfo& StatusPanelStyleType();

// One part of the bar: its width, text, alignment and edge.
class TStatusPanel : public TPersistent {
    TV_CLASS(TStatusPanel, TPersistent)
    explicit TStatusPanel(TCustomStatusBar* bar = nullptr) : bar_(bar) {}

    int Width() const { return width_; }
    void SetWidth(int v);
    std::string Text() const { return text_; }
    void SetText(const std::string& v);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);
    TStatusPanelBevel Bevel() const { return bevel_; }
    void SetBevel(TStatusPanelBevel v);
    TStatusPanelStyle Style() const { return style_; }
    void SetStyle(TStatusPanelStyle v);
    TBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TBiDiMode v);
    // Its place among the bar's panels, -1 when it has left the bar.
    int Index() const;

private:
    friend class TStatusPanels;
    void Changed();
    TCustomStatusBar* bar_;
    int width_ = 50;
    std::string text_;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    TStatusPanelBevel bevel_ = TStatusPanelBevel::pbLowered;
    TStatusPanelStyle style_ = TStatusPanelStyle::psText;
    TBiDiMode biDiMode_ = TBiDiMode::bdLeftToRight;
};

class TStatusPanels : public TCollection {
    TV_CLASS(TStatusPanels, TCollection)
    explicit TStatusPanels(TCustomStatusBar* bar = nullptr) : bar_(bar) {}
    int Count() const { return int(items_.size()); }
    TStatusPanel* Items(int index) const { return items_.at(std::size_t(index)).get(); }
    TStatusPanel* Add();
    void Delete(int index);
    void Clear();
    int IndexOf(const TStatusPanel* panel) const;

    int ItemCount() const override { return Count(); }
    TPersistent& ItemAt(int index) const override { return *Items(index); }
    TPersistent& AddItem() override { return *Add(); }
    void ClearItems() override { Clear(); }

private:
    TCustomStatusBar* bar_;
    std::vector<std::unique_ptr<TStatusPanel>> items_;
};

using TDrawPanelEvent = TEvent<void(TCustomStatusBar* bar, TStatusPanel* panel, HDC dc, const RECT& rect)>;

class TCustomStatusBar : public TWinControl {
    TV_CLASS(TCustomStatusBar, TWinControl)
    explicit TCustomStatusBar(TComponent* owner);
    ~TCustomStatusBar() override;

    TStatusPanels& Panels() { return *panels_; }
    TStatusPanels* PanelsPtr() { return panels_.get(); }
    // One text over the whole bar instead of the panels.
    bool SimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool v);
    std::string SimpleText() const { return simpleText_; }
    void SetSimpleText(const std::string& v);
    bool SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool v);
    // Draws the owner-drawn panels: on dc, in the panel's area.
    TDrawPanelEvent OnDrawPanel;

    // Tells the window the panels' edges and texts again (the panels call it).
    void UpdatePanels();

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandle(const TCreateParams& params) override;
    void HandleMessage(TMessage& m) override;

private:
    void UpdateSimpleText();
    std::unique_ptr<TStatusPanels> panels_;
    bool simplePanel_ = false;
    std::string simpleText_;
    bool sizeGrip_ = true;
};

class TStatusBar : public TCustomStatusBar {
    TV_CLASS(TStatusBar, TCustomStatusBar)
    using TCustomStatusBar::TCustomStatusBar;
};

}  // namespace tv
