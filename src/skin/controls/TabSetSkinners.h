// Tab sets (tabs hanging below what they serve, with their own scroller) and page
// controls of other component sets that take their tab backgrounds as bitmap properties.
#pragma once

#include <windows.h>

#include "framework/Graphics.h"
#include "skin/controls/SkinControl.h"

namespace skin {

// A tab set's tabs from the skin's "Tabs" strip turned upside down.
class TSkinTab31 : public TSkinControl {
    TV_CLASS(TSkinTab31, TSkinControl)
    explicit TSkinTab31(tv::TComponent* owner);
    ~TSkinTab31() override;

    // Subclasses the tab set's window (AttachWindow) and skins its scroller.
    void AttachControl(TSkinnerHost* formSkinner, TSkinData* data, bool recolor, tv::TCanvas* canvas) override;
    void RefreshSkin() override;
    bool BeforeMessage(tv::TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    tv::TBitmap TabImage;              // "Tabs" turned upside down
    TChildSkinner* UpDown = nullptr;   // the scroller's skinner, owned by the tab set
    tv::TWinControl* Scroller = nullptr;

private:
    void PrepareImage();
};

// Page controls of other sets: frames 1 and 2 of "Tabs" become the control's tab
// backgrounds (Kind 4); its scroll arrows are skinned as a tab control's.
class TSkinAdvPage : public TSkinControl {
    TV_CLASS(TSkinAdvPage, TSkinControl)
    explicit TSkinAdvPage(tv::TComponent* owner);

    void AttachControl(TSkinnerHost* formSkinner, TSkinData* data, bool recolor, tv::TCanvas* canvas) override;
    void Detach() override;
    void RefreshSkin() override;
    void DrawSkin(HDC dc, const RECT& rect) override;
    void SetVariant(int variant) override;

    // The size the tab backgrounds are rendered at.
    static constexpr int kTabWidth = 100, kTabHeight = 21;

    TChildSkinner* UpDown = nullptr;
    int Kind = 0;

private:
    void InjectTabBackgrounds();
};

void RegisterTabSetSkinners();

}  // namespace skin
