// The in-memory skin: every element of a packed skin's description, its colour table and
// the images derived from them at load time. Portable; the container component (Windows)
// derives from it and adds its settings, so every skinner reads one object.
//
// LoadSkin unpacks SkinStream, parses its description and refills the model in a fixed
// order. Frame sides, Title and Buttons always exist; every other element is null when
// the skin does not define it. SkinEmpty is true until a load has run to its end.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "base/Error.h"
#include "framework/Classes.h"
#include "skin/core/SkinObjects.h"

namespace skin {

class TSkinReader;
class TDescriptionIndex;

// A load that cannot go on: a member that is not a valid BMP, a codec failure, no memory
// for the skin. LoadSkin raises nothing else; the model keeps SkinEmpty.
class ESkinLoadError : public base::Error {
public:
    using base::Error::Error;
};

// The [Colours] table; each entry defaults to the matching system colour.
struct TSkinColors {
    TColor WindowText = 0, ButtonFace = 0, Scrollbar = 0, HilightText = 0, Hilight = 0, Menubar = 0, Menu = 0,
           MenuText = 0, ButtonText = 0, ButtonHilight = 0, Buttonlight = 0, ButtonShadow = 0, ButtonDkShadow = 0,
           MenuBarText = 0, TitleTextActive = 0, TitleTextNoActive = 0;

    // The keys in reading order, with the member each fills.
    static const std::vector<std::pair<const char*, TColor TSkinColors::*>>& Keys();
};

// Three decimal numbers (red, green, blue) in any separation; empty gives the default.
TColor ParseSkinColor(const std::string& text, TColor defaultColor);

// Built-in images by resource name ("TRACK", "TRACKVERT", "PELAGEMENU"): the BMP file
// bytes, empty for an unknown name.
std::vector<std::uint8_t> BuiltinBitmapBytes(const std::string& name);

class TSkinModel : public tv::TComponent {
    TV_CLASS(TSkinModel, tv::TComponent)
    explicit TSkinModel(tv::TComponent* owner);
    ~TSkinModel() override;

    // Parses SkinStream into the model. False (model unchanged) when it holds no archive
    // the reader accepts. Throws ESkinLoadError, and nothing else, when the load cannot go
    // on (a member named by the description is not a valid BMP, no memory, ...); the load
    // ends there and SkinEmpty stays true.
    bool LoadSkin();
    // The same from an archive already opened (LoadSkin's steps after unpacking).
    void LoadFromArchive(TSkinReader& reader);

    // The packed skin as streamed (32-bit unpacked size, then the LZH stream).
    tv::TMemoryStream SkinStream;
    bool SkinEmpty = true;

    // Elements.
    std::unique_ptr<TDataSkinBorder> BorderLeft, BorderRight, BorderTop, BorderBottom;
    std::unique_ptr<TDataSkinTitle> Title;
    std::unique_ptr<TDataSkinButton> Buttons;
    std::vector<std::unique_ptr<TDataSkinSysButton>> SysButtons;  // caption buttons, then the 3 MDI buttons
    std::unique_ptr<TDataSkinBorder> Progress;
    std::unique_ptr<TDataSkinObject> ProgressChunk, MenuBar, GroupBoxEdge;
    std::unique_ptr<TDataSkinBoxLabel> GroupBox;
    std::unique_ptr<TDataSkinBorder> Tabs;
    std::unique_ptr<TDataSkinObject> StatusBarEdges, TabPane, ToolBars;
    std::unique_ptr<TDataSkinBorder> ComboButton;
    std::unique_ptr<TDataSkinObject> SunkEdge, ExtraImages, Headerbar, MenuItem, MenuBackground, Scrollbar, HorzScroll,
        VertScroll, HorzScrollThumb, VertScrollThumb, TrackThumbHorz, TrackThumbVert, TrackThumbLeft,
        TrackThumbRight, TrackThumbUp, TrackThumbDown;
    std::unique_ptr<TDataSkinBorder> UpDownHorz, UpDownVert;
    std::unique_ptr<TDataSkinObject> Track, TrackVert, ComboArrow, ToolbarFace;

    TSkinColors SkinColors;
    std::vector<TColor> SectionColors;
    TColor CustomColors[10] = {};
    TColor FrameColor = 0;
    std::string SkinName;

    // Every element member by its name, in declaration order (SysButtons apart); null
    // entries for the members the skin does not define.
    std::vector<std::pair<const char*, const TDataSkinObject*>> Elements() const;

    // The steps of a load; public so that tools and tests can run them on a description.
    void ReadSkinModel();
    TColor ParseSkinColor(const std::string& text, TColor defaultColor) const { return skin::ParseSkinColor(text, defaultColor); }
    void ReadRGBKey(const std::string& section, const std::string& prefix, TColor& colour) const;
    void LoadSkinBitmap(raster::Bitmap& bitmap, const std::string& value);
    void LoadImageElement(std::unique_ptr<TDataSkinObject>& member, const std::string& section);
    void LoadBorderElement(std::unique_ptr<TDataSkinBorder>& member, const std::string& section,
                           const std::string& secondKey);
    void LoadBitmapElement(std::unique_ptr<TDataSkinBorder>& member, const std::string& section);
    void LoadBoxLabelElement(std::unique_ptr<TDataSkinBoxLabel>& member, const std::string& section);
    void LoadMenuBarElement(std::unique_ptr<TDataSkinObject>& member, const std::string& section);
    void LoadFrameBorders();
    void LoadColours();
    void LoadCaptionButtons();
    void SplitMdiButtons(int first);
    void LoadButtons();
    void LoadTitle(TDataSkinTitle& title, const std::string& section);
    void LoadBuiltinElement(std::unique_ptr<TDataSkinObject>& member, const std::string& name);
    void ApplyFrameCounts();
    void BuildComboImages();
    void BuildComboArrow();
    void BuildToolbarFace();
    TColor SampleFrameColor() const;

protected:
    // Step 17 of a load: the container replaces its face brush; the bare model has none.
    virtual void ReplaceFaceBrush() {}

private:
    std::string Str(const std::string& section, const std::string& key) const;
    std::int32_t Int(const std::string& section, const std::string& key, std::int32_t def) const;
    void ReadCommonKeys(TDataSkinObject& e, const std::string& section, bool withFrame, bool withColours);

    // Alive while a load runs.
    TSkinReader* reader_ = nullptr;
    const TDescriptionIndex* ini_ = nullptr;
    std::vector<std::uint8_t> temp_;
    std::vector<std::string> sections_;
};

}  // namespace skin
