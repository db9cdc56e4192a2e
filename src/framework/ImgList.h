// Image lists: equal-sized images in one comctl32 list, drawn by index.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/Classes.h"
#include "framework/Graphics.h"

namespace tv {

class TCustomImageList : public TComponent {
    TV_CLASS(TCustomImageList, TComponent)
    explicit TCustomImageList(TComponent* owner);
    ~TCustomImageList() override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Changing the size empties the list.
    void SetSize(int width, int height);
    void SetWidth(int w) { SetSize(w, height_); }
    void SetHeight(int h) { SetSize(width_, h); }
    int Count() const;
    HIMAGELIST Handle() const;

    // Adds the image cut into Width-wide pieces; answers the index of the first, -1 on failure.
    int Add(const TBitmap& image, const TBitmap* mask = nullptr);
    // Pixels of maskColor become transparent.
    int AddMasked(const TBitmap& image, TColor maskColor);
    // Replaces the contents by a bitmap resource of the program (RT_BITMAP), cut into pieces
    // width pixels wide, maskColor transparent. False when there is no such resource.
    bool LoadFromResourceName(HINSTANCE instance, const std::string& name, int width, TColor maskColor);
    void Delete(int index);
    void Clear();
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;
    void Draw(HDC dc, int x, int y, int index, UINT style = ILD_TRANSPARENT) const;
    // The image at index on a bitmap of the list's size (background: the list's colour).
    bool GetBitmap(int index, TBitmap& out) const;

    TNotifyEvent OnChange;

private:
    void Changed();
    void Recreate();
    int width_ = 16;
    int height_ = 16;
    HIMAGELIST handle_ = nullptr;
};

class TImageList : public TCustomImageList {
    TV_CLASS(TImageList, TCustomImageList)
    using TCustomImageList::TCustomImageList;
};

}  // namespace tv
