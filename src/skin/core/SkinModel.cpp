#include "skin/core/SkinModel.h"

#include <algorithm>
#include <new>

#include "base/Ascii.h"
#include "base/System.h"
#include "raster/Blit.h"
#include "raster/BmpCodec.h"
#include "raster/Slices.h"
#include "raster/Transform.h"
#include "skin/core/DescriptionIndex.h"
#include "skin/resources/ImgUtil.h"
#include "skin/resources/SkinRead.h"
#include "skin/resources/WinSkinIni.h"

namespace skin {

namespace {

constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kMagenta = 0xFF00FF;
constexpr TColor kClNone = 0x1FFFFFFF;

constexpr TColor SysColorValue(int index) { return TColor(0x80000000u | std::uint32_t(index)); }

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

// Digits only, no sign: the value when it fits 32 signed bits.
bool DigitsToInt(const std::string& run, std::int32_t& value) {
    if (run.empty()) return false;
    std::int64_t v = 0;
    for (char c : run) {
        v = v * 10 + (c - '0');
        if (v > 0x7FFFFFFF) return false;
    }
    value = std::int32_t(v);
    return true;
}

TColor RgbOf(std::int32_t r, std::int32_t g, std::int32_t b) {
    return TColor(std::uint32_t(r) & 0xFF) | TColor((std::uint32_t(g) & 0xFF) << 8) |
           TColor((std::uint32_t(b) & 0xFF) << 16);
}

}  // namespace

const std::vector<std::pair<const char*, TColor TSkinColors::*>>& TSkinColors::Keys() {
    static const std::vector<std::pair<const char*, TColor TSkinColors::*>> keys = {
        {"WindowText", &TSkinColors::WindowText},       {"ButtonFace", &TSkinColors::ButtonFace},
        {"Scrollbar", &TSkinColors::Scrollbar},         {"HilightText", &TSkinColors::HilightText},
        {"Hilight", &TSkinColors::Hilight},             {"Menubar", &TSkinColors::Menubar},
        {"Menu", &TSkinColors::Menu},                   {"MenuText", &TSkinColors::MenuText},
        {"ButtonText", &TSkinColors::ButtonText},       {"ButtonHilight", &TSkinColors::ButtonHilight},
        {"Buttonlight", &TSkinColors::Buttonlight},     {"ButtonShadow", &TSkinColors::ButtonShadow},
        {"ButtonDkShadow", &TSkinColors::ButtonDkShadow}, {"MenuBarText", &TSkinColors::MenuBarText},
        {"TitleTextActive", &TSkinColors::TitleTextActive}, {"TitleTextNoActive", &TSkinColors::TitleTextNoActive},
    };
    return keys;
}

TColor ParseSkinColor(const std::string& text, TColor defaultColor) {
    if (text.empty()) return defaultColor;
    std::size_t b = 0, e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ') --e;
    std::int32_t parts[3] = {0, 0, 0};
    int stored = 0;
    std::string run;
    for (std::size_t i = b; i < e; ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            run += c;
            continue;
        }
        if (stored >= 3) {
            run.clear();
            continue;
        }
        // A run that does not convert stays open, so the digits after it join it.
        std::int32_t v = 0;
        if (DigitsToInt(run, v)) {
            parts[stored++] = v;
            run.clear();
        }
    }
    if (stored == 2) {
        std::int32_t v = 0;
        if (DigitsToInt(run, v)) parts[2] = v;
    }
    return RgbOf(parts[0], parts[1], parts[2]);
}

const tv::TClassInfo& TSkinModel::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TSkinModel>("TSkinModel").Done();
    return info;
}

TSkinModel::TSkinModel(tv::TComponent* owner) : tv::TComponent(owner) {
    Buttons = std::make_unique<TDataSkinButton>("Buttons");
    BorderLeft = std::make_unique<TDataSkinBorder>("Left");
    BorderRight = std::make_unique<TDataSkinBorder>("Right");
    BorderTop = std::make_unique<TDataSkinBorder>("Top");
    BorderBottom = std::make_unique<TDataSkinBorder>("Bottom");
    Title = std::make_unique<TDataSkinTitle>("Title");
}

TSkinModel::~TSkinModel() = default;

std::vector<std::pair<const char*, const TDataSkinObject*>> TSkinModel::Elements() const {
    return {
        {"BorderLeft", BorderLeft.get()},
        {"BorderRight", BorderRight.get()},
        {"BorderTop", BorderTop.get()},
        {"BorderBottom", BorderBottom.get()},
        {"Title", Title.get()},
        {"Buttons", Buttons.get()},
        {"Progress", Progress.get()},
        {"ProgressChunk", ProgressChunk.get()},
        {"MenuBar", MenuBar.get()},
        {"GroupBoxEdge", GroupBoxEdge.get()},
        {"GroupBox", GroupBox.get()},
        {"Tabs", Tabs.get()},
        {"StatusBarEdges", StatusBarEdges.get()},
        {"TabPane", TabPane.get()},
        {"ToolBars", ToolBars.get()},
        {"ComboButton", ComboButton.get()},
        {"SunkEdge", SunkEdge.get()},
        {"ExtraImages", ExtraImages.get()},
        {"Headerbar", Headerbar.get()},
        {"MenuItem", MenuItem.get()},
        {"MenuBackground", MenuBackground.get()},
        {"Scrollbar", Scrollbar.get()},
        {"HorzScroll", HorzScroll.get()},
        {"VertScroll", VertScroll.get()},
        {"HorzScrollThumb", HorzScrollThumb.get()},
        {"VertScrollThumb", VertScrollThumb.get()},
        {"TrackThumbHorz", TrackThumbHorz.get()},
        {"TrackThumbVert", TrackThumbVert.get()},
        {"TrackThumbLeft", TrackThumbLeft.get()},
        {"TrackThumbRight", TrackThumbRight.get()},
        {"TrackThumbUp", TrackThumbUp.get()},
        {"TrackThumbDown", TrackThumbDown.get()},
        {"UpDownHorz", UpDownHorz.get()},
        {"UpDownVert", UpDownVert.get()},
        {"Track", Track.get()},
        {"TrackVert", TrackVert.get()},
        {"ComboArrow", ComboArrow.get()},
        {"ToolbarFace", ToolbarFace.get()},
    };
}

// ---- the load ----

bool TSkinModel::LoadSkin() {
    SkinEmpty = true;
    if (HasState(tv::TComponentState::Designing)) return false;
    // Whatever stops a load (the codec, memory, a member, a step of a subclass) reaches the
    // caller as the one load error.
    try {
        TSkinReader reader;
        if (!reader.LoadArchive(std::span<const std::uint8_t>(SkinStream.Bytes()))) return false;
        LoadFromArchive(reader);
        return true;
    } catch (const ESkinLoadError&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw ESkinLoadError("not enough memory to load the skin");
    } catch (const std::exception& e) {
        throw ESkinLoadError(std::string("the skin could not be loaded: ") + e.what());
    } catch (...) {
        throw ESkinLoadError("the skin could not be loaded");
    }
}

void TSkinModel::LoadFromArchive(TSkinReader& reader) {
    SkinEmpty = true;
    TQuickIni ini;
    struct LoadScope {
        TSkinModel& m;
        ~LoadScope() {
            m.reader_ = nullptr;
            m.ini_ = nullptr;
            m.temp_.clear();
            m.sections_.clear();
        }
    } scope{*this};
    reader_ = &reader;
    std::string found;
    reader.ExtractFirstMatching(".ini", temp_, found);
    ini.Load(&temp_, 0);
    const TDescriptionIndex index(ini);
    ini_ = &index;
    sections_.clear();
    ini.GetSectionNames(&sections_);
    ReadSkinModel();
}

std::string TSkinModel::Str(const std::string& section, const std::string& key) const {
    return ini_ ? ini_->GetString(section, key, "") : std::string();
}

std::int32_t TSkinModel::Int(const std::string& section, const std::string& key, std::int32_t def) const {
    return ini_ ? ini_->GetInteger(section, key, def) : def;
}

void TSkinModel::ReadSkinModel() {
    SkinName = Str("TitlebarSkin", "SkinName");
    LoadFrameBorders();
    LoadColours();  // before anything that defaults to ButtonText
    LoadCaptionButtons();
    LoadButtons();
    LoadTitle(*Title, "Personality");

    LoadBitmapElement(Progress, "Progress");
    LoadImageElement(ProgressChunk, "Progress.Chunk");
    LoadMenuBarElement(MenuBar, "Personality");

    LoadImageElement(GroupBoxEdge, "GroupBoxEdge");
    LoadBoxLabelElement(GroupBox, "GroupBox");
    LoadBorderElement(Tabs, "Tabs", "Border");
    LoadImageElement(StatusBarEdges, "StatusBarEdges");
    LoadImageElement(TabPane, "Tab.Pane");
    if (TabPane) {
        TabPane->LeftWidth = std::min(TabPane->LeftWidth, 4);
        TabPane->TopHeight = std::min(TabPane->TopHeight, 4);
        TabPane->RightWidth = std::min(TabPane->RightWidth, 4);
        TabPane->BottomHeight = std::min(TabPane->BottomHeight, 4);
    }

    LoadImageElement(ToolBars, "ToolBars");
    LoadBorderElement(ComboButton, "ComboButton", "****");
    LoadImageElement(SunkEdge, "SunkEdge");
    if (ComboButton && !ComboButton->Bitmap.Empty()) {
        raster::Bitmap mirrored = ComboButton->Bitmap.Clone();
        raster::ConvertFormat(mirrored, raster::PixelFormat::Bgr24);
        raster::MirrorHorizontal(mirrored);
        ComboButton->Bitmap2 = std::move(mirrored);
    }

    LoadImageElement(ExtraImages, "ExtraImages");
    LoadImageElement(Headerbar, "Headerbar");
    LoadImageElement(MenuItem, "MenuItem");
    LoadImageElement(MenuBackground, "MenuBackground");
    LoadImageElement(Scrollbar, "Scrollbar");
    LoadImageElement(HorzScroll, "HorzScroll");
    LoadImageElement(VertScroll, "VertScroll");
    LoadImageElement(HorzScrollThumb, "HorzScrollThumb");
    LoadImageElement(VertScrollThumb, "VertScrollThumb");
    LoadImageElement(TrackThumbHorz, "Trackbar.ThumbHorz");
    LoadImageElement(TrackThumbVert, "Trackbar.ThumbVert");
    LoadImageElement(TrackThumbLeft, "Trackbar.ThumbLeft");
    LoadImageElement(TrackThumbRight, "Trackbar.ThumbRight");
    LoadImageElement(TrackThumbUp, "Trackbar.ThumbUp");
    LoadImageElement(TrackThumbDown, "Trackbar.ThumbDown");

    LoadBorderElement(UpDownHorz, "UpDown.Horz", "GlyphImage");
    LoadBorderElement(UpDownVert, "UpDown.Vert", "GlyphImage");

    LoadImageElement(Track, "Track");
    LoadImageElement(TrackVert, "TRACKVERT");
    if (!Track) LoadBuiltinElement(Track, "TRACK");
    if (!TrackVert) LoadBuiltinElement(TrackVert, "TRACKVERT");

    ApplyFrameCounts();
    BuildComboImages();
    BuildComboArrow();
    BuildToolbarFace();
    FrameColor = SampleFrameColor();
    ReplaceFaceBrush();
    sections_.clear();
    SkinEmpty = false;
}

void TSkinModel::LoadSkinBitmap(raster::Bitmap& bitmap, const std::string& value) {
    const std::size_t cut = value.find_last_of("\\:");
    const std::string name = cut == std::string::npos ? value : value.substr(cut + 1);
    // The extension counts only after the last directory or drive separator.
    const std::size_t dot = value.find_last_of(".\\:");
    const std::string ext = dot != std::string::npos && value[dot] == '.' ? value.substr(dot) : std::string();
    if (name.empty() || ext != ".bmp" || !reader_) {
        bitmap.Clear();
        return;
    }
    reader_->ExtractFile(name, temp_);
    if (temp_.empty()) {
        bitmap.Clear();
        return;
    }
    try {
        bitmap = raster::DecodeBmp(temp_);
    } catch (const std::exception& e) {
        throw ESkinLoadError("skin member '" + name + "' is not a valid BMP: " + e.what());
    }
}

void TSkinModel::ReadRGBKey(const std::string& section, const std::string& prefix, TColor& colour) const {
    const std::int32_t r = Int(section, prefix + "R", -1);
    const std::int32_t g = Int(section, prefix + "G", -1);
    const std::int32_t b = Int(section, prefix + "B", -1);
    if (r >= 0 && g >= 0 && b >= 0) colour = RgbOf(r, g, b);
}

void TSkinModel::ReadCommonKeys(TDataSkinObject& e, const std::string& section, bool withFrame, bool withColours) {
    e.Style = Int(section, "Style", 0);
    e.LeftWidth = Int(section, "LeftWidth", 0);
    e.RightWidth = Int(section, "RightWidth", 0);
    e.TopHeight = Int(section, "TopHeight", 0);
    e.BottomHeight = Int(section, "BottomHeight", 0);
    if (withFrame) e.Frame = Int(section, "Frame", 0);
    e.Trans = Int(section, "Trans", 0);
    e.Tile = Int(section, "Tile", 0);
    if (!withColours) return;
    e.NormalColour = Int(section, "NormalColour", -1);
    e.MouseOverColour = Int(section, "MouseOverColour", -1);
    e.PressedColour = Int(section, "PressedColour", -1);
    const TColor text = SkinColors.ButtonText;
    e.NormalColour2 = ParseSkinColor(Str(section, "NormalColour2"), text);
    e.MouseOverColour2 = ParseSkinColor(Str(section, "MouseOverColour2"), text);
    e.PressedColour2 = ParseSkinColor(Str(section, "PressedColour2"), text);
}

void TSkinModel::LoadImageElement(std::unique_ptr<TDataSkinObject>& member, const std::string& section) {
    member.reset();
    const std::string image = Str(section, "Image");
    if (image.empty()) return;
    auto e = std::make_unique<TDataSkinObject>(section);
    LoadSkinBitmap(e->Bitmap, image);
    ReadCommonKeys(*e, section, true, true);
    if (e->Tile > 1) e->Tile = 0;
    member = std::move(e);
}

void TSkinModel::LoadBorderElement(std::unique_ptr<TDataSkinBorder>& member, const std::string& section,
                                   const std::string& secondKey) {
    member.reset();
    const std::string image = Str(section, "Image");
    if (image.empty()) return;
    auto e = std::make_unique<TDataSkinBorder>(section);
    LoadSkinBitmap(e->Bitmap, image);
    const std::string second = Str(section, secondKey);
    if (!second.empty()) LoadSkinBitmap(e->Bitmap2, second);
    ReadCommonKeys(*e, section, false, true);
    if (e->Tile > 1) e->Tile = 0;
    member = std::move(e);
}

void TSkinModel::LoadBitmapElement(std::unique_ptr<TDataSkinBorder>& member, const std::string& section) {
    member.reset();
    const std::string image = Str(section, "Bitmap");
    if (image.empty()) return;
    auto e = std::make_unique<TDataSkinBorder>(section);
    LoadSkinBitmap(e->Bitmap, image);
    ReadCommonKeys(*e, section, false, false);
    if (e->Tile > 1) e->Tile = 1;
    member = std::move(e);
}

void TSkinModel::LoadBoxLabelElement(std::unique_ptr<TDataSkinBoxLabel>& member, const std::string& section) {
    member.reset();
    const std::string image = Str(section, "Image");
    if (image.empty()) return;
    auto e = std::make_unique<TDataSkinBoxLabel>(section);
    LoadSkinBitmap(e->Bitmap, image);
    ReadCommonKeys(*e, section, true, true);
    if (e->Tile > 1) e->Tile = 0;
    e->BackgroundAlignment = Int(section, "BackgroundAlignment", 0);
    e->BackgroundLeftShift = Int(section, "BackgroundLeftShift", 0);
    e->BackgroundRightShift = Int(section, "BackgroundRightShift", 0);
    member = std::move(e);
}

void TSkinModel::LoadMenuBarElement(std::unique_ptr<TDataSkinObject>& member, const std::string& section) {
    member.reset();
    const std::string image = Str(section, "menuBar");
    if (image.empty()) return;
    auto e = std::make_unique<TDataSkinObject>(section);
    LoadSkinBitmap(e->Bitmap, image);
    e->TopHeight = 0;
    e->BottomHeight = 0;
    e->Tile = Int(section, "TileMenu", 1);
    e->LeftWidth = Int(section, "TileLeftMenu", 1);
    e->RightWidth = Int(section, "TileRightMenu", 1);
    if (e->Tile > 1) e->Tile = 1;
    member = std::move(e);
}

void TSkinModel::LoadFrameBorders() {
    const std::string s = "Personality";
    TDataSkinBorder* sides[4] = {BorderLeft.get(), BorderRight.get(), BorderTop.get(), BorderBottom.get()};
    for (TDataSkinBorder* side : sides) {
        const std::string& n = side->Name;
        const std::int32_t first = Int(s, n + "TopHeight", 0);
        const std::int32_t last = Int(s, n + "BotHeight", 0);
        if (side == BorderTop.get() || side == BorderBottom.get()) {
            side->LeftWidth = first;
            side->RightWidth = last;
            side->TopHeight = 0;
            side->BottomHeight = 0;
        } else {
            side->TopHeight = first;
            side->BottomHeight = last;
            side->LeftWidth = 0;
            side->RightWidth = 0;
        }
        side->Frame = Int(s, n + "Frame", 1);
        side->Tile = Int(s, n + "Stretch", 1);  // for the sides: 1 stretches the middle
        side->Trans = Int(s, n + "Trans", 1);
        LoadSkinBitmap(side->Bitmap, Str(s, n));
        if (side->Tile > 1) side->Tile = 1;
    }
}

void TSkinModel::LoadColours() {
    using sys::color::BtnFace;
    static const int kDefaults[] = {sys::color::WindowText,  BtnFace, sys::color::ScrollBar,
                                    sys::color::HighlightText, sys::color::Highlight, -1,
                                    sys::color::Menu,        sys::color::MenuText, sys::color::BtnText,
                                    sys::color::BtnHighlight, sys::color::BtnHighlight, sys::color::BtnShadow,
                                    sys::color::DkShadow3D,  sys::color::MenuText, sys::color::CaptionText,
                                    sys::color::InactiveCaptionText};
    const auto& keys = TSkinColors::Keys();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const TColor def = kDefaults[i] < 0 ? SkinColors.ButtonFace : SysColorValue(kDefaults[i]);
        SkinColors.*(keys[i].second) = ParseSkinColor(Str("Colours", keys[i].first), def);
    }
    SectionColors.clear();
    for (const std::string& name : sections_) {
        const std::string up = base::AsciiUpper(name);
        if (StartsWith(up, "COLOUR") && up != "COLOURS")
            SectionColors.push_back(ParseSkinColor(Str(name, "color"), SysColorValue(sys::color::WindowText)));
    }
    for (int k = 0; k < 10; ++k) CustomColors[k] = ParseSkinColor(Str("Customcolors", "Color" + std::to_string(k)), kWhite);
}

void TSkinModel::LoadCaptionButtons() {
    SysButtons.clear();
    std::vector<std::string> names;
    for (const std::string& name : sections_) {
        const std::string s = base::AsciiUpper(name);
        if (s == "BUTTONS" || s == "BUTTON.RADIO" || s == "BUTTON.CHECKBOX" || s == "BUTTON") continue;
        if (!StartsWith(s, "BUTTON")) continue;
        if (Int(s, "Action", 0) == -1 && Int(s, "Visibility", -1) != 0) continue;
        names.push_back(s);
    }
    std::int32_t px = 0, py = 0;  // where an action-4 button goes when no action-1 button says
    for (const std::string& s : names) {
        auto b = std::make_unique<TDataSkinSysButton>(s);
        b->Action = Int(s, "Action", 0);
        b->Align = Int(s, "Align", 0);
        b->Xcoord = Int(s, "Xcoord", 0);
        b->Ycoord = Int(s, "Ycoord", 0);
        b->Visibility = Int(s, "Visibility", 0);
        b->Visibility1 = Int(s, "Visibility1", b->Action == -1 ? -1 : 0);
        if (b->Action == 1 && b->Visibility == 2) {
            px = b->Xcoord;
            py = b->Ycoord;
        }
        if (b->Action == 4) {
            b->Xcoord = px;
            b->Ycoord = py;
        }
        b->CombineOp = Int(s, "CombineOp", -1);
        b->Frame = Int(s, "frame", 0);
        LoadSkinBitmap(b->Bitmap, Str(s, "ButtonImage"));
        if (b->Frame == 0) {
            b->Frame = 6;
            if (!b->Bitmap.Empty()) {
                const double ratio = double(b->Bitmap.Width()) / double(b->Bitmap.Height());
                b->Frame = ratio <= 3.8 ? 3 : 6;
                if (b->Action < 0) b->Frame = 6;
            }
            if (b->Action == 3 || b->Action == 11) b->Bitmap.Clear();  // icon buttons show the window's icon
        }
        SysButtons.push_back(std::move(b));
    }
    const int first = int(SysButtons.size());
    for (int k = 0; k < 3; ++k) {
        auto b = std::make_unique<TDataSkinSysButton>("MDI" + std::to_string(k + 1));
        b->Action = 7 + k;
        b->Align = 100;
        b->Visibility = 100;
        b->Visibility1 = 100;
        b->Frame = 4;
        SysButtons.push_back(std::move(b));
    }
    SplitMdiButtons(first);
}

void TSkinModel::SplitMdiButtons(int first) {
    raster::Bitmap image;
    LoadSkinBitmap(image, Str("MDICONTROLS", "Image"));
    if (image.Empty()) return;
    const int cell = image.Width() / 12;  // three buttons of four states
    for (int k = 0; k < 3; ++k) {
        const int index = first + k;
        if (index < 0 || index >= int(SysButtons.size())) continue;
        TDataSkinSysButton& b = *SysButtons[std::size_t(index)];
        b.Bitmap = raster::CopyPart(image, {4 * cell * k, 0, 4 * cell * (k + 1), image.Height()});
        b.Xcoord = (cell + 4) * (3 - k);
    }
}

void TSkinModel::LoadButtons() {
    const std::string s = "Buttons";
    TDataSkinButton& b = *Buttons;
    b.LeftWidth = Int(s, "LeftWidth", 0);
    b.RightWidth = Int(s, "RightWidth", 0);
    b.TopHeight = Int(s, "TopHeight", 0);
    b.BottomHeight = Int(s, "BottomHeight", 0);
    b.Trans = Int(s, "Trans", 0);
    LoadSkinBitmap(b.Bitmap, Str(s, "Bitmap"));
    b.Tile = Int(s, "Tile", 0);
    LoadSkinBitmap(b.CheckBitmap, Str(s, "CheckButton"));
    LoadSkinBitmap(b.RadioBitmap, Str(s, "RadioButton"));
    b.NormalColour = Int(s, "NormalColour", -1);
    b.MouseOverColour = Int(s, "MouseOverColour", -1);
    b.PressedColour = Int(s, "PressedColour", -1);
    b.RadioFrames = Int(s, "RadioButtonFrame", 0);
    b.CheckFrames = Int(s, "CheckButtonFrame", 0);
    if (b.Tile > 1) b.Tile = 0;
    b.HasNormalColour2 = !Str(s, "NormalColour2").empty();
    b.HasMouseOverColour2 = !Str(s, "MouseOverColour2").empty();
    b.HasPressedColour2 = !Str(s, "PressedColour2").empty();
    b.NormalColour2 = ParseSkinColor(Str(s, "NormalColour2"), SkinColors.ButtonText);
    b.MouseOverColour2 = ParseSkinColor(Str(s, "MouseOverColour2"), SkinColors.ButtonText);
    b.PressedColour2 = ParseSkinColor(Str(s, "PressedColour2"), SkinColors.ButtonText);
}

void TSkinModel::LoadTitle(TDataSkinTitle& title, const std::string& section) {
    LoadSkinBitmap(title.Bitmap, Str(section, "TextBack"));
    title.LeftWidth = Int(section, "TextShift", 0);
    title.TopHeight = Int(section, "TextShiftVert", 0);
    title.RightWidth = Int(section, "TextRightClip", 0);
    title.BottomHeight = 0;
    title.TextAlignment = Int(section, "TextAlignment", 0);
    title.Textbackground = Int(section, "Textbackground", 0);
    title.FontHeight = Int("Fonts", "FontHeight", 14);
    title.TXTBackleft = Int(section, "TXTBackleft", 0);
    title.TXTBackRight = Int(section, "TXTBackRight", 0);
    title.ActiveText = kClNone;
    ReadRGBKey(section, "ActiveText", title.ActiveText);
    title.InActiveText = kClNone;
    ReadRGBKey(section, "InActiveText", title.InActiveText);
}

void TSkinModel::LoadBuiltinElement(std::unique_ptr<TDataSkinObject>& member, const std::string& name) {
    member.reset();
    auto e = std::make_unique<TDataSkinObject>(name);
    const std::vector<std::uint8_t> bytes = BuiltinBitmapBytes(name);
    if (!bytes.empty()) e->Bitmap = raster::DecodeBmp(bytes);
    e->LeftWidth = e->TopHeight = e->RightWidth = e->BottomHeight = 3;
    e->Tile = 0;
    e->Frame = 1;
    member = std::move(e);
}

void TSkinModel::ApplyFrameCounts() {
    auto set = [](auto& member, std::int32_t frame) {
        if (member) member->Frame = frame;
    };
    Buttons->Frame = 5;
    Title->Frame = 2;
    if (Progress) Progress->Frame = Progress->Style != 0 ? 1 : 2;
    set(MenuBar, 2);
    set(GroupBoxEdge, 2);
    set(ToolbarFace, 1);
    set(TabPane, 1);
    set(GroupBox, 1);
    set(MenuBackground, 1);
    set(ToolBars, 5);
    set(Tabs, 5);
    set(ExtraImages, 5);
    set(MenuItem, 5);
    set(StatusBarEdges, 3);
    set(ComboButton, 4);
    set(SunkEdge, 4);
    set(HorzScroll, 4);
    set(VertScroll, 4);
    if (Headerbar && Headerbar->Frame == 0) Headerbar->Frame = 5;
    set(Scrollbar, 23);
    set(UpDownHorz, 8);
    set(UpDownVert, 8);
    set(TrackThumbHorz, 5);
    set(TrackThumbVert, 5);
    set(TrackThumbLeft, 5);
    set(TrackThumbRight, 5);
    set(TrackThumbUp, 5);
    set(TrackThumbDown, 5);
    set(HorzScrollThumb, Int("HorzScrollThumb", "FrameCount", 3));
    set(VertScrollThumb, Int("VertScrollThumb", "FrameCount", 3));

    auto framesOf = [](const raster::Bitmap& glyphs) {
        const int d = glyphs.Height() < 16 ? 13 : 16;
        return std::max(glyphs.Width() / d, 4);
    };
    if (Buttons->RadioFrames == 0) Buttons->RadioFrames = framesOf(Buttons->RadioBitmap);
    if (Buttons->CheckFrames == 0) Buttons->CheckFrames = framesOf(Buttons->CheckBitmap);
}

void TSkinModel::BuildComboImages() {
    if (!SunkEdge || !ComboButton) return;
    constexpr int kCellW = 50, kCellH = 21;
    const int w = sys::SystemMetric(21 /* SM_CXHSCROLL */) + 2;
    const int states = SunkEdge->Frame;
    raster::Bitmap cell(kCellW, kCellH);
    raster::Bitmap strip(kCellW * std::max(states, 0), kCellH);
    strip.Fill(kMagenta);
    const raster::Rect whole{0, 0, kCellW, kCellH};
    const raster::Rect button{kCellW - w, 0, kCellW, kCellH};
    for (int b = 1; b <= states; ++b) {
        cell.Fill(kMagenta);
        raster::DrawElementImage(cell, whole, SunkEdge->Bitmap, false, false, SunkEdge->Trans != 0, SunkEdge->Frame, b,
                                 SunkEdge->Margins());
        raster::DrawElementImage(cell, button, ComboButton->Bitmap, false, false, true, ComboButton->Frame, b,
                                 ComboButton->Margins());
        if (ExtraImages)
            raster::DrawStripImageCentered(cell, button, ExtraImages->Bitmap, true, ExtraImages->Frame, b);
        raster::FillRect(cell, {2, 2, 49 - w, 18}, kMagenta);  // the edit area stays transparent
        raster::Copy(strip, (b - 1) * kCellW, 0, cell, whole);
    }
    ComboButton->Style = 2;  // marks the composite
    ComboButton->LeftWidth = 2;
    ComboButton->TopHeight = SunkEdge->TopHeight;
    ComboButton->RightWidth = w + 2;
    ComboButton->BottomHeight = SunkEdge->BottomHeight;
    ComboButton->Bitmap = strip.Clone();
    raster::MirrorHorizontal(strip);
    SunkEdge->Bitmap = std::move(strip);
    SunkEdge->LeftWidth = w + 2;
    SunkEdge->RightWidth = 2;
}

void TSkinModel::BuildComboArrow() {
    if (!ComboArrow) ComboArrow = std::make_unique<TDataSkinObject>("ComboxArrow");
    if (!SunkEdge) {
        if (ComboButton) {
            raster::Bitmap arrow = ComboButton->Bitmap.Clone();
            // A system colour is looked up: its index is no pixel value.
            ReplaceKeyColour(arrow, ResolveColour(Colour(SkinColors.ButtonFace)));
            ComboArrow->Bitmap = std::move(arrow);
            ComboArrow->Frame = ComboButton->Frame;
        }
        return;
    }
    if (!ComboButton || ComboButton->Style != 2) return;
    const int states = SunkEdge->Frame;
    const int cw = ComboButton->Bitmap.Width() / SunkEdge->FrameCount();
    raster::Bitmap arrows(17 * std::max(states, 0), 17);
    for (int i = 0; i < states; ++i)
        raster::Copy(arrows, i * 17, 0, ComboButton->Bitmap, {(i + 1) * cw - 19, 2, (i + 1) * cw - 2, 19});
    ComboArrow->Bitmap = std::move(arrows);
    ComboArrow->Frame = states;
}

void TSkinModel::BuildToolbarFace() {
    const TColor sampled = SampleFrameColor();
    const Colour light = MixColours(Colour(SkinColors.ButtonFace), kWhite, 150);
    Colour dark = MixColours(0x808080, Colour(sampled), 150);
    const std::int32_t level = SaturationLevel(Colour(sampled));
    if (level > 110) dark = MixColours(Colour(sampled), kWhite, (225 - level) * 25 / 140 + 50);
    raster::Bitmap face(10, 40);
    FillGradient(face, {0, 0, 10, 40}, light, dark, true);
    if (!ToolbarFace) ToolbarFace = std::make_unique<TDataSkinObject>("Toolbar");
    ToolbarFace->Bitmap = std::move(face);
    ToolbarFace->Frame = 1;
}

TColor TSkinModel::SampleFrameColor() const {
    const raster::Bitmap& top = BorderTop->Bitmap;
    if (top.Empty()) return SkinColors.ButtonFace;
    const int x = top.Width() / 3;
    const int y = (top.Height() / BorderTop->FrameCount()) / 3;
    return TColor(top.GetPixel(x, y) & 0xFFFFFF);
}

}  // namespace skin
