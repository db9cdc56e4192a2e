// One skin element each: a strip of `Frame` equal state images plus the numbers that say
// how to slice and draw it. Every number comes from the skin file as written (negative
// margins and frame counts included); whoever divides or indexes by them checks first.
#pragma once

#include <cstdint>
#include <string>

#include "framework/GraphicsTypes.h"
#include "raster/Bitmap.h"
#include "raster/Geometry.h"

namespace skin {

using tv::TColor;

class TDataSkinObject {
public:
    explicit TDataSkinObject(std::string name) : Name(std::move(name)) {}
    virtual ~TDataSkinObject() = default;
    TDataSkinObject(const TDataSkinObject&) = delete;
    TDataSkinObject& operator=(const TDataSkinObject&) = delete;

    // The four edges as one rectangle (left, top, right, bottom).
    raster::Margins Margins() const { return {LeftWidth, TopHeight, RightWidth, BottomHeight}; }
    // Frame as a divisor or a strip count: never below 1.
    int FrameCount() const { return Frame > 0 ? Frame : 1; }

    std::int32_t LeftWidth = 0;
    std::int32_t TopHeight = 0;
    std::int32_t RightWidth = 0;
    std::int32_t BottomHeight = 0;
    raster::Bitmap Bitmap;
    std::int32_t Trans = 0;
    std::int32_t Tile = 0;
    std::string Name;
    std::int32_t Frame = 0;
    std::int32_t Style = 0;
    std::int32_t NormalColour = 0;
    std::int32_t MouseOverColour = 0;
    std::int32_t PressedColour = 0;
    TColor NormalColour2 = 0;
    TColor MouseOverColour2 = 0;
    TColor PressedColour2 = 0;
};

class TDataSkinBorder : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    raster::Bitmap Bitmap2;
};

// Caption text. The inherited edges carry TextShift (LeftWidth), TextShiftVert (TopHeight)
// and TextRightClip (RightWidth); Bitmap is the TextBack image.
class TDataSkinTitle : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    std::int32_t TextAlignment = 0;
    std::int32_t Textbackground = 0;
    std::int32_t FontHeight = 0;
    std::int32_t TXTBackleft = 0;
    std::int32_t TXTBackRight = 0;
    TColor ActiveText = 0;
    TColor InActiveText = 0;
};

class TDataSkinButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    raster::Bitmap CheckBitmap;
    raster::Bitmap RadioBitmap;
    std::int32_t RadioFrames = 0;
    std::int32_t CheckFrames = 0;
    bool HasNormalColour2 = false;
    bool HasMouseOverColour2 = false;
    bool HasPressedColour2 = false;
};

// One caption button; Bitmap is its ButtonImage.
class TDataSkinSysButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    std::int32_t Action = 0;
    std::int32_t Align = 0;
    std::int32_t Xcoord = 0;
    std::int32_t Ycoord = 0;
    std::int32_t CombineOp = 0;
    std::int32_t Visibility = 0;
    std::int32_t Visibility1 = 0;
};

class TDataSkinBoxLabel : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    std::int32_t BackgroundLeftShift = 0;
    std::int32_t BackgroundRightShift = 0;
    std::int32_t BackgroundAlignment = 0;
};

}  // namespace skin
