// The gallery's MDI window: a frame with a menu bar (File: new and close child; Window:
// cascade, tile, arrange icons and the children listed) and three children with
// different controls, one of them with a menu of its own that merges into the frame's.
#pragma once

#include "framework/Framework.h"

class TGalleryMDIForm : public tv::TForm {
    TV_CLASS(TGalleryMDIForm, tv::TForm)
    using TForm::TForm;

    // Opens the window with its three children (the one there is, when open already).
    static TGalleryMDIForm* Open(tv::TComponent* owner);
    // The window while it is open, else null.
    static TGalleryMDIForm* Current();
    ~TGalleryMDIForm() override;

    // A new child of the next kind (buttons, text, lists, then again).
    tv::TForm* NewChild();

private:
    void Build();
    int made_ = 0;
};
