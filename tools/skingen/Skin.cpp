#include "Skin.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <sstream>

#include "Paint.h"

namespace skingen {
namespace {

constexpr Color kWhite = 0xFFFFFF;
constexpr Color kBlack = 0x000000;

std::string Triple(Color c) {
    return std::to_string(raster::RedOf(c)) + " " + std::to_string(raster::GreenOf(c)) + " " +
           std::to_string(raster::BlueOf(c));
}

// Writes the description: comments stand on lines of their own, because the parser
// takes a ";" after other text as part of the value.
class IniWriter {
public:
    void Comment(std::string_view text) {
        std::string_view rest = text;
        while (!rest.empty()) {
            std::size_t cut = rest.size();
            if (cut > 88) {
                cut = rest.rfind(' ', 88);
                if (cut == std::string_view::npos || cut == 0) cut = 88;
            }
            Line("; " + std::string(rest.substr(0, cut)));
            rest.remove_prefix(cut);
            while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
        }
    }
    void Section(std::string_view name, std::string_view comment) {
        if (!out_.empty()) Line("");
        Comment(comment);
        Line("[" + std::string(name) + "]");
    }
    void Key(std::string_view key, std::string_view value, std::string_view comment = {}) {
        if (!comment.empty()) Comment(comment);
        Line(std::string(key) + "=" + std::string(value));
    }
    void Key(std::string_view key, int value, std::string_view comment = {}) { Key(key, std::to_string(value), comment); }
    void Color3(std::string_view key, Color c, std::string_view comment = {}) { Key(key, Triple(c), comment); }
    const std::string& Text() const { return out_; }

private:
    void Line(const std::string& s) { out_ += s + "\r\n"; }
    std::string out_;
};

struct Colors {
    Color face, window, text, accent, accentText;
    Color shadow, dkShadow, hilight, glyph, glyphDisabled;
    Color hover, pressed;                        // caption buttons, on the caption colour
    Color track, trackLine, thumb, thumbHot, thumbPressed;
    Color menu, menuLine, border, borderDisabled, tab, header;
    Color controlTop, controlBottom;
};

Colors Derive(const Theme& t) {
    const Palette& p = t.palette;
    const bool dark = t.Dark();
    Colors c{};
    c.face = p.face;
    c.window = p.window;
    c.text = p.text;
    c.accent = p.accent;
    c.accentText = p.accentText;
    c.shadow = Mix(p.face, p.text, 0.45f);
    c.dkShadow = Mix(p.face, p.text, 0.7f);
    c.hilight = dark ? Mix(p.face, kWhite, 0.10f) : kWhite;
    c.glyph = Mix(p.face, p.text, 0.78f);
    c.glyphDisabled = Mix(p.face, p.text, 0.32f);
    c.hover = Mix(p.caption, p.text, dark ? 0.16f : 0.10f);
    c.pressed = Mix(p.caption, p.text, dark ? 0.26f : 0.18f);
    c.track = Mix(p.face, p.window, dark ? 0.45f : 0.55f);
    c.trackLine = Mix(c.track, p.text, 0.09f);
    c.thumb = Mix(c.track, p.text, dark ? 0.30f : 0.27f);
    c.thumbHot = Mix(c.track, p.text, dark ? 0.45f : 0.42f);
    c.thumbPressed = Mix(c.track, p.text, dark ? 0.58f : 0.55f);
    c.menu = dark ? Mix(p.face, p.window, 0.35f) : p.window;
    c.menuLine = Mix(c.menu, p.text, 0.14f);
    c.border = p.controlBorder;
    c.borderDisabled = Mix(p.controlBorder, p.face, 0.55f);
    c.tab = Mix(p.face, p.text, dark ? 0.07f : 0.05f);
    c.header = Mix(p.face, p.window, 0.5f);
    c.controlTop = dark ? Mix(p.control, kWhite, 0.04f) : Mix(p.control, kWhite, 0.6f);
    c.controlBottom = dark ? Mix(p.control, kBlack, 0.06f) : p.control;
    return c;
}

class Builder {
public:
    explicit Builder(const Theme& theme) : t_(theme), p_(theme.palette), c_(Derive(theme)) {}

    Skin Build() {
        skin_.iniName = "skin.ini";
        Header();
        Personality();
        Colours();
        CaptionButtons();
        MdiControls();
        PushButtons();
        ScrollBars();
        Progress();
        Tabs();
        Header_();
        Menus();
        Combo();
        Boxes();
        UpDown();
        TrackBar();
        skin_.ini = ini_.Text();
        return std::move(skin_);
    }

private:
    // ---- helpers -------------------------------------------------------------------------

    // The edge sizes, transparency and tiling that every element section ends with.
    void ElementKeys(int left, int right, int top, int bottom, int trans, int tile) {
        ini_.Key("LeftWidth", left);
        ini_.Key("RightWidth", right);
        ini_.Key("TopHeight", top);
        ini_.Key("BottomHeight", bottom);
        ini_.Key("Trans", trans);
        ini_.Key("Tile", tile);
    }

    std::string Add(std::string file, std::string section, std::string key, raster::Bitmap bmp, int frames,
                    bool down = false) {
        skin_.images.push_back({file, std::move(section), std::move(key), std::move(bmp), frames, down});
        return file;
    }

    // A 1-pixel outlined, filled shape.
    static void Framed(Canvas& cv, const Shape& s, const Paint& fill, Color line, float width = 1) {
        cv.Fill(s, line);
        cv.Fill(Offset(s, -width), fill);
    }

    // A chevron pointing up (0), down (1), left (2) or right (3), centred at (cx, cy).
    static Shape Chevron(int dir, float cx, float cy, float half, float depth, float width) {
        switch (dir) {
            case 0: return Polyline({{cx - half, cy + depth / 2}, {cx, cy - depth / 2}, {cx + half, cy + depth / 2}}, width);
            case 1: return Polyline({{cx - half, cy - depth / 2}, {cx, cy + depth / 2}, {cx + half, cy - depth / 2}}, width);
            case 2: return Polyline({{cx + depth / 2, cy - half}, {cx - depth / 2, cy}, {cx + depth / 2, cy + half}}, width);
            default: return Polyline({{cx - depth / 2, cy - half}, {cx + depth / 2, cy}, {cx - depth / 2, cy + half}}, width);
        }
    }

    // ---- description head ------------------------------------------------------------------

    void Header() {
        ini_.Comment(t_.skinName + " - a Tovalin skin.");
        ini_.Comment(
            "Made by skingen from the theme '" + t_.id +
            "'; edit the theme, not this file. Every image is a strip of equal frames, side by side unless a "
            "comment says they are stacked; frames count from 1. Magenta (255 0 255) is the transparent colour of "
            "every image.");
        ini_.Section("TitlebarSkin", "The name a skin chooser shows.");
        ini_.Key("SkinName", t_.skinName);
    }

    // ---- window frame ------------------------------------------------------------------------

    static constexpr int kBorder = 4;
    static constexpr int kBottom = 4;

    int TopMargin() const { return std::max(t_.cornerRadius + 2 - kBorder, 2); }

    // One whole small window; the four frame sides are cut out of it so they always meet.
    raster::Bitmap FrameTemplate(bool active, int& width, int& height) const {
        const int h = t_.captionHeight, r = t_.cornerRadius;
        width = 2 * kBorder + 2 * TopMargin() + 8;
        height = h + 8 + kBottom;
        Canvas cv(width, height);
        const Color line = active ? p_.frame : p_.frameInactive;
        const Color cap = active ? p_.caption : p_.captionInactive;
        const Shape outer = RoundRect(0, 0, float(width), float(height), float(r), float(r), 0, 0);
        const Shape inner = Offset(outer, -1);
        cv.Fill(outer, line);
        cv.Fill(inner, p_.face);
        const Color capTop = t_.Dark() ? Mix(cap, kWhite, 0.03f) : Mix(cap, kWhite, 0.45f);
        cv.Fill(Intersect(inner, Rect(0, 0, float(width), float(h))), VerticalGradient(1, capTop, float(h), cap));
        // A faint light rim along the top gives the caption some depth.
        cv.Fill(Intersect(Outline(inner, 1), Rect(0, 0, float(width), float(r + 2))), c_.hilight,
                t_.Dark() ? 0.35f : 0.8f);
        // The line between caption and window content.
        cv.Fill(Rect(1, float(h - 1), float(width - 1), float(h)), Mix(cap, line, 0.45f));
        // The region cuts along the outline, so the corners are decided at half coverage.
        return cv.Finish(line, 0.5f);
    }

    void Personality() {
        const int h = t_.captionHeight;
        int w = 0, ht = 0;
        raster::Bitmap act = FrameTemplate(true, w, ht), ina = FrameTemplate(false, w, ht);
        const int tm = TopMargin();

        ini_.Section("Personality",
                     "The window frame. Left and Right hold 2 frames side by side, Top and Bottom 2 frames stacked; "
                     "frame 1 is the active window, frame 2 the inactive one. The rounded top corners are magenta: "
                     "with ...Trans=1 the window's region leaves them out.");
        const std::string top = Add("top.bmp", "Personality", "Top",
                                    Strip(Crop(act, kBorder, 0, w - 2 * kBorder, h), Crop(ina, kBorder, 0, w - 2 * kBorder, h), true), 2, true);
        ini_.Key("Top", top, "Caption bar; its height is the caption height.");
        ini_.Key("TopTopHeight", tm, "Columns at the left end kept at their size (the rounded corner).");
        ini_.Key("TopBotHeight", tm, "Columns at the right end kept at their size.");
        ini_.Key("TopFrame", 2);
        ini_.Key("TopStretch", 1, "1: the middle is stretched, otherwise tiled.");
        ini_.Key("TopTrans", 1);

        const std::string left = Add("left.bmp", "Personality", "Left",
                                     Strip(Crop(act, 0, 0, kBorder, ht), Crop(ina, 0, 0, kBorder, ht)), 2);
        ini_.Key("Left", left, "Left border, full window height.");
        ini_.Key("LeftTopHeight", h, "Rows at the top kept at their size: the caption part with the corner.");
        ini_.Key("LeftBotHeight", kBottom);
        ini_.Key("LeftFrame", 2);
        ini_.Key("LeftStretch", 1);
        ini_.Key("LeftTrans", 1);

        const std::string right = Add("right.bmp", "Personality", "Right",
                                      Strip(Crop(act, w - kBorder, 0, kBorder, ht), Crop(ina, w - kBorder, 0, kBorder, ht)), 2);
        ini_.Key("Right", right, "Right border, full window height.");
        ini_.Key("RightTopHeight", h);
        ini_.Key("RightBotHeight", kBottom);
        ini_.Key("RightFrame", 2);
        ini_.Key("RightStretch", 1);
        ini_.Key("RightTrans", 1);

        const std::string bottom = Add("bottom.bmp", "Personality", "Bottom",
                                       Strip(Crop(act, kBorder, ht - kBottom, w - 2 * kBorder, kBottom),
                                              Crop(ina, kBorder, ht - kBottom, w - 2 * kBorder, kBottom), true), 2, true);
        ini_.Key("Bottom", bottom, "Bottom border between the two side borders; square corners, so it is opaque.");
        ini_.Key("BottomTopHeight", 2);
        ini_.Key("BottomBotHeight", 2);
        ini_.Key("BottomFrame", 2);
        ini_.Key("BottomStretch", 1);
        ini_.Key("BottomTrans", 0);

        // Caption text: a soft pill behind the title.
        const int pillH = std::min(h - 6, t_.fontHeight + 8), y0 = (h - pillH) / 2;
        const int backL = 5, backR = 8, cell = backL + 4 + backR;
        // Rounded ends, a flat middle that repeats.
        auto pillFrame = [&](bool active) {
            Canvas cv(cell, h);
            const Color cap = active ? p_.caption : p_.captionInactive;
            const Color fill = t_.Dark() ? Mix(cap, kWhite, active ? 0.07f : 0.03f) : Mix(cap, kWhite, active ? 0.55f : 0.3f);
            cv.Fill(RoundRect(0, float(y0), float(cell), float(y0 + pillH), 5), fill);
            return cv.Finish(cap);
        };
        const std::string back = Add("textback.bmp", "Personality", "TextBack", Strip(pillFrame(true), pillFrame(false), true), 2, true);
        ini_.Key("TextBack", back, "Drawn behind the caption text: 2 frames stacked (active, inactive).");
        ini_.Key("TXTBackleft", backL, "Width of its left end; the middle is repeated.");
        ini_.Key("TXTBackRight", backR, "Width of its right end.");
        ini_.Key("Textbackground", 1);
        const int icon = kBorder + 5 + 16;
        ini_.Key("TextShift", icon + 3 - kBorder, "Caption text starts this far right of the left border (after the icon).");
        ini_.Key("TextShiftVert", 0);
        ini_.Key("TextRightClip", 3 * ButtonWidth() + 2 + 8, "Text stops this far left of the right border (before the buttons).");
        ini_.Key("TextAlignment", 0, "0 left, 1 centred, 2 right.");
        ini_.Key("ActiveTextR", raster::RedOf(p_.captionText));
        ini_.Key("ActiveTextG", raster::GreenOf(p_.captionText));
        ini_.Key("ActiveTextB", raster::BlueOf(p_.captionText));
        ini_.Key("InActiveTextR", raster::RedOf(p_.captionTextInactive));
        ini_.Key("InActiveTextG", raster::GreenOf(p_.captionTextInactive));
        ini_.Key("InActiveTextB", raster::BlueOf(p_.captionTextInactive));

        // Menu bar band: 2 frames stacked, drawn opaque.
        const int mh = 20, mw = 16;
        auto band = [&](bool active) {
            Canvas cv(mw, mh);
            cv.FillPixels(0, 0, mw, mh, p_.face);
            cv.FillPixels(0, mh - 1, mw, mh, Mix(p_.face, p_.text, active ? 0.12f : 0.08f));
            return cv.Finish(p_.face);
        };
        const std::string bar = Add("menubar.bmp", "Personality", "menuBar", Strip(band(true), band(false), true), 2, true);
        ini_.Key("menuBar", bar, "Menu bar band: 2 frames stacked (active, inactive), drawn opaque.");
        ini_.Key("TileMenu", 1, "1: stretch the middle.");
        ini_.Key("TileLeftMenu", 4, "Left end width; the first menu item starts 4 pixels after it.");
        ini_.Key("TileRightMenu", 4);

        ini_.Section("Fonts", "Caption font height in pixels.");
        ini_.Key("FontHeight", t_.fontHeight);
    }

    // ---- colours -----------------------------------------------------------------------------

    void Colours() {
        ini_.Section("Colours", "The colour table, each as red green blue.");
        ini_.Color3("WindowText", p_.text);
        ini_.Color3("ButtonFace", p_.face, "Dialog and control background.");
        ini_.Color3("Scrollbar", c_.track);
        ini_.Color3("HilightText", p_.accentText);
        ini_.Color3("Hilight", p_.accent);
        ini_.Color3("Menubar", p_.face);
        ini_.Color3("Menu", c_.menu);
        ini_.Color3("MenuText", p_.text);
        ini_.Color3("ButtonText", p_.text);
        ini_.Color3("ButtonHilight", c_.hilight);
        ini_.Color3("Buttonlight", c_.hilight);
        ini_.Color3("ButtonShadow", c_.shadow, "Also the colour of disabled text.");
        ini_.Color3("ButtonDkShadow", c_.dkShadow);
        ini_.Color3("MenuBarText", p_.text);
        ini_.Color3("TitleTextActive", p_.captionText);
        ini_.Color3("TitleTextNoActive", p_.captionTextInactive);

        ini_.Section("Customcolors", "Ten colours a colour dialog may offer: the theme's own, light to dark.");
        const Color custom[10] = {p_.window, p_.face, c_.tab, c_.border, c_.shadow,
                                  c_.dkShadow, p_.text, p_.accent, Mix(p_.accent, kWhite, 0.5f), p_.danger};
        for (int i = 0; i < 10; ++i) ini_.Color3("Color" + std::to_string(i), custom[i]);

        ini_.Section("COLOUR1", "Extra named colours, in this order: accent.");
        ini_.Color3("color", p_.accent);
        ini_.Section("COLOUR2", "Window background of lists and edits.");
        ini_.Color3("color", p_.window);
        ini_.Section("COLOUR3", "Warning colour.");
        ini_.Color3("color", p_.danger);
    }

    // ---- caption buttons ---------------------------------------------------------------------

    int ButtonHeight() const { return t_.captionHeight - 8; }
    int ButtonWidth() const { return ButtonHeight() + 8; }

    // 4 frames: normal, pressed, hot, inactive window or disabled.
    raster::Bitmap CaptionButton(const std::function<Shape(float cx, float cy, float s)>& glyph, bool danger) {
        const int w = ButtonWidth(), h = ButtonHeight();
        const float cx = w / 2.0f, cy = h / 2.0f, s = std::floor(h * 0.24f) + 0.5f;
        std::vector<raster::Bitmap> frames;
        for (int f = 0; f < 4; ++f) {
            Canvas cv(w, h);
            const Color cap = f == 3 ? p_.captionInactive : p_.caption;
            Color fg = f == 3 ? p_.captionTextInactive : Mix(p_.caption, p_.captionText, 0.85f);
            const Shape bg = RoundRect(1, 1, float(w - 1), float(h - 1), 4);
            if (f == 1 || f == 2) {
                Color fill = f == 1 ? c_.pressed : c_.hover;
                if (danger) {
                    fill = f == 1 ? Mix(p_.danger, kBlack, 0.18f) : p_.danger;
                    fg = kWhite;
                }
                cv.Fill(bg, fill);
            }
            cv.Fill(glyph(cx, cy, s), fg);
            frames.push_back(cv.Finish(cap));
        }
        return Strip(frames);
    }

    void CaptionButtons() {
        const int w = ButtonWidth(), h = ButtonHeight(), y = (t_.captionHeight - h) / 2;
        const int closeX = kBorder + 2 + w, maxX = closeX + w, minX = maxX + w;
        const std::string vis =
            "Visibility and Visibility1 must both hold: 0 always, 1 maximized, 2 not maximized, 6 minimize or "
            "maximize box (with the system menu for Visibility), 10 help box without the other two.";

        auto closeGlyph = [](float cx, float cy, float s) {
            return Union(Polyline({{cx - s, cy - s}, {cx + s, cy + s}}, 1.25f), Polyline({{cx - s, cy + s}, {cx + s, cy - s}}, 1.25f));
        };
        auto maxGlyph = [](float cx, float cy, float s) {
            const float a = std::floor(cx - s), b = std::floor(cy - s), e = std::floor(cx + s) + 1, f = std::floor(cy + s) + 1;
            return Outline(RoundRect(a, b, e, f, 1.5f), 1);
        };
        auto restoreGlyph = [](float cx, float cy, float s) {
            const float a = std::floor(cx - s), b = std::floor(cy - s) + 2, e = std::floor(cx + s) - 1, f = std::floor(cy + s) + 1;
            const Shape front = RoundRect(a, b, e, f, 1.5f);
            const Shape back = Outline(RoundRect(a + 2, b - 2, e + 2, f - 2, 1.5f), 1);
            return Union(Outline(front, 1), Subtract(back, Offset(front, 1)));
        };
        auto minGlyph = [](float cx, float cy, float s) {
            return Rect(std::floor(cx - s), std::floor(cy), std::floor(cx + s) + 1, std::floor(cy) + 1);
        };
        auto helpGlyph = [](float cx, float cy, float s) {
            // Three quarters of a circle from the left over the top down to its bottom, then the stem.
            const float r = s * 0.6f, top = cy - s;
            std::vector<Point> hook;
            for (int i = 0; i <= 16; ++i) {
                const float a = 3.1416f - i * (3.1416f * 1.5f) / 16;
                hook.push_back({cx + r * std::cos(a), top + r - r * std::sin(a)});
            }
            hook.push_back({cx, top + 2 * r + 1.6f});
            return Union(Polyline(hook, 1.35f), Circle(cx, cy + s - 0.6f, 1.0f));
        };

        struct Def {
            const char* section;
            const char* file;
            const char* comment;
            int action, xcoord, visibility, visibility1;
            std::function<Shape(float, float, float)> glyph;
            bool danger;
        } defs[] = {
            {"ButtonClose", "close.bmp", "Close (action 0).", 0, closeX, 0, 0, closeGlyph, true},
            {"ButtonMaximize", "maximize.bmp", "Maximize (action 1), shown while the window is not maximized.", 1, maxX, 2, 6, maxGlyph, false},
            {"ButtonRestore", "restore.bmp", "Restore (action 1), shown while the window is maximized.", 1, maxX, 1, 6, restoreGlyph, false},
            {"ButtonMinimize", "minimize.bmp", "Minimize (action 2).", 2, minX, 6, 0, minGlyph, false},
            {"ButtonHelp", "help.bmp", "Context help (action 4): windows with a help box and neither minimize nor maximize box; "
                                       "it takes the place of the maximize button.", 4, maxX, 10, 0, helpGlyph, false},
        };
        for (const Def& d : defs) {
            ini_.Section(d.section, std::string(d.comment) + " 4 frames: normal, pressed, hot, inactive or disabled.");
            ini_.Key("Action", d.action);
            ini_.Key("Align", 1, "1: Xcoord counts from the window's right edge.");
            ini_.Key("Xcoord", d.xcoord);
            ini_.Key("Ycoord", y);
            ini_.Key("Visibility", d.visibility, vis);
            ini_.Key("Visibility1", d.visibility1);
            ini_.Key("ButtonImage", Add(d.file, d.section, "ButtonImage", CaptionButton(d.glyph, d.danger), 4));
            ini_.Key("frame", 4);
        }

        // The system menu button shows the window's own icon; the image gives its size and
        // stands in for windows without one.
        Canvas cv(16, 16);
        const Shape win = RoundRect(1, 2, 15, 14, 2);
        Framed(cv, win, Solid(p_.window), Mix(p_.accent, kBlack, 0.25f));
        cv.Fill(Intersect(Offset(win, -1), Rect(0, 0, 16, 6)), p_.accent);
        cv.Fill(Rect(4, 8, 12, 9), Mix(p_.window, p_.text, 0.35f));
        cv.Fill(Rect(4, 10, 10, 11), Mix(p_.window, p_.text, 0.35f));
        ini_.Section("ButtonSysMenu", "System menu (action 3): shows the window's icon and opens the system menu. 1 frame.");
        ini_.Key("Action", 3);
        ini_.Key("Align", 0, "0: Xcoord counts from the window's left edge.");
        ini_.Key("Xcoord", kBorder + 5);
        ini_.Key("Ycoord", (t_.captionHeight - 16) / 2);
        ini_.Key("Visibility", 0);
        ini_.Key("Visibility1", 0);
        ini_.Key("ButtonImage", Add("sysmenu.bmp", "ButtonSysMenu", "ButtonImage", cv.Finish(p_.caption), 1));
        ini_.Key("frame", 1);
    }

    void MdiControls() {
        // 12 equal cells: minimize, restore, close of a maximized MDI child, 4 states each
        // (normal, pressed, hot, hot) in the menu bar band.
        const int cw = 16, ch = 14;
        std::vector<raster::Bitmap> cells;
        for (int k = 0; k < 3; ++k)
            for (int f = 0; f < 4; ++f) {
                Canvas cv(cw, ch);
                const Shape bg = RoundRect(0, 0, float(cw), float(ch), 3);
                if (f > 0) cv.Fill(bg, f == 1 ? Mix(p_.face, p_.text, 0.2f) : Mix(p_.face, p_.text, 0.1f));
                const Color fg = c_.glyph;
                const float cx = cw / 2.0f, cy = ch / 2.0f;
                if (k == 0) cv.Fill(Rect(4, 9, 12, 10), fg);
                if (k == 1) {
                    const Shape front = Rect(4, 6, 10, 11);
                    cv.Fill(Outline(front, 1), fg);
                    cv.Fill(Subtract(Outline(Rect(6, 3, 12, 8), 1), Offset(front, 0.5f)), fg);
                }
                if (k == 2) {
                    cv.Fill(Polyline({{cx - 3.5f, cy - 3.5f}, {cx + 3.5f, cy + 3.5f}}, 1.2f), fg);
                    cv.Fill(Polyline({{cx - 3.5f, cy + 3.5f}, {cx + 3.5f, cy - 3.5f}}, 1.2f), fg);
                }
                cells.push_back(cv.Finish(p_.face));
            }
        ini_.Section("MDICONTROLS",
                     "Buttons of a maximized MDI child in the menu bar: 12 equal cells side by side, minimize, restore "
                     "and close, each normal, pressed, hot, hot.");
        ini_.Key("Image", Add("mdicontrols.bmp", "MDICONTROLS", "Image", Strip(cells), 12));
    }

    // ---- push buttons, check boxes, radio buttons -------------------------------------------------

    void PushButtons() {
        const int w = 24, h = 30, m = 5;
        std::vector<raster::Bitmap> frames;
        for (int f = 1; f <= 5; ++f) {
            Canvas cv(w, h);
            const Shape body = RoundRect(0, 0, float(w), float(h), 4);
            Color line = c_.border, top = c_.controlTop, bottom = c_.controlBottom;
            if (f == 2) {  // pressed
                line = Mix(c_.border, p_.text, 0.25f);
                top = Mix(p_.control, p_.text, 0.12f);
                bottom = Mix(p_.control, p_.text, 0.06f);
            } else if (f == 3) {  // disabled
                line = c_.borderDisabled;
                top = bottom = Mix(p_.control, p_.face, 0.6f);
            } else if (f == 4) {  // hot
                line = Mix(c_.border, p_.accent, 0.55f);
                top = Mix(c_.controlTop, p_.accent, 0.06f);
                bottom = Mix(c_.controlBottom, p_.accent, 0.1f);
            } else if (f == 5) {  // focused or default
                line = p_.accent;
            }
            Framed(cv, body, VerticalGradient(1, top, float(h - 1), bottom), line);
            if (f == 5) cv.Fill(Outline(Offset(body, -1), 1), p_.accent, 0.35f);
            if (f != 2 && f != 3 && !t_.Dark()) cv.Fill(Rect(4, 1, float(w - 4), 2), kWhite, 0.7f);
            frames.push_back(cv.Finish(p_.face));
        }
        ini_.Section("Buttons",
                     "Push buttons: 5 frames (normal, pressed, disabled, hot, focused or default), drawn over the face "
                     "colour with magenta corners left out. Check and radio glyphs are 13 pixels square.");
        ini_.Key("Bitmap", Add("buttons.bmp", "Buttons", "Bitmap", Strip(frames), 5));
        ElementKeys(m, m, m, m, 1, 0);
        ini_.Key("NormalColour", int(p_.text), "Text colours: the numbers as colour values, the ...2 keys as red green blue.");
        ini_.Key("MouseOverColour", int(p_.text));
        ini_.Key("PressedColour", int(p_.text));
        ini_.Color3("NormalColour2", p_.text);
        ini_.Color3("MouseOverColour2", Mix(p_.text, p_.accent, 0.35f));
        ini_.Color3("PressedColour2", p_.text);
        ini_.Key("CheckButton", Add("checkbox.bmp", "Buttons", "CheckButton", CheckStrip(), 12),
                 "12 frames: unchecked, checked, indeterminate; each normal, hot, pressed, disabled.");
        ini_.Key("CheckButtonFrame", 12);
        ini_.Key("RadioButton", Add("radio.bmp", "Buttons", "RadioButton", RadioStrip(), 8),
                 "8 frames: unchecked, checked; each normal, hot, pressed, disabled.");
        ini_.Key("RadioButtonFrame", 8);
    }

    raster::Bitmap CheckStrip() {
        std::vector<raster::Bitmap> frames;
        for (int mark = 0; mark < 3; ++mark)
            for (int st = 0; st < 4; ++st) {
                Canvas cv(13, 13);
                const Shape box = RoundRect(0, 0, 13, 13, 2.5f);
                const bool on = mark > 0, disabled = st == 3;
                Color line = st == 1 || st == 2 ? p_.accent : Mix(c_.border, p_.text, 0.15f);
                Color fill = st == 2 ? Mix(p_.window, p_.accent, 0.18f) : p_.window;
                Color ink = p_.accentText;
                if (on) {
                    line = fill = st == 1 ? Mix(p_.accent, kWhite, 0.15f) : st == 2 ? Mix(p_.accent, kBlack, 0.18f) : p_.accent;
                }
                if (disabled) {
                    line = c_.borderDisabled;
                    fill = on ? c_.borderDisabled : Mix(p_.window, p_.face, 0.6f);
                    ink = Mix(p_.face, p_.window, 0.2f);
                }
                Framed(cv, box, Solid(fill), line);
                if (mark == 1) cv.Fill(Polyline({{3.2f, 6.6f}, {5.5f, 9.0f}, {9.9f, 4.2f}}, 1.7f), ink);
                if (mark == 2) cv.Fill(Rect(3, 6, 10, 7.5f), ink);
                frames.push_back(cv.Finish(p_.face));
            }
        return Strip(frames);
    }

    raster::Bitmap RadioStrip() {
        std::vector<raster::Bitmap> frames;
        for (int on = 0; on < 2; ++on)
            for (int st = 0; st < 4; ++st) {
                Canvas cv(13, 13);
                const Shape disc = Circle(6.5f, 6.5f, 6.5f);
                Color line = st == 1 || st == 2 ? p_.accent : Mix(c_.border, p_.text, 0.15f);
                Color fill = st == 2 ? Mix(p_.window, p_.accent, 0.18f) : p_.window;
                Color dot = p_.accentText;
                if (on) line = fill = st == 1 ? Mix(p_.accent, kWhite, 0.15f) : st == 2 ? Mix(p_.accent, kBlack, 0.18f) : p_.accent;
                if (st == 3) {
                    line = c_.borderDisabled;
                    fill = on ? c_.borderDisabled : Mix(p_.window, p_.face, 0.6f);
                    dot = Mix(p_.face, p_.window, 0.2f);
                }
                Framed(cv, disc, Solid(fill), line);
                if (on) cv.Fill(Circle(6.5f, 6.5f, 2.6f), dot);
                frames.push_back(cv.Finish(p_.face));
            }
        return Strip(frames);
    }

    // ---- scroll bars ----------------------------------------------------------------------------

    static constexpr int kArrow = 17;  // the system's scroll arrow size at 96 DPI

    // Background of a piece of a vertical (line on the left) or horizontal (line on top) bar.
    void TrackBack(Canvas& cv, bool vertical, Color fill) {
        cv.FillPixels(0, 0, cv.Width(), cv.Height(), fill);
        if (vertical)
            cv.FillPixels(0, 0, 1, cv.Height(), c_.trackLine);
        else
            cv.FillPixels(0, 0, cv.Width(), 1, c_.trackLine);
    }

    Color ThumbColor(int state) const { return state == 1 ? c_.thumbPressed : state == 2 ? c_.thumbHot : c_.thumb; }

    void ScrollBars() {
        // 23 glyph frames: left, right, up, down arrows (normal, pressed, disabled, hot each),
        // horizontal grip, vertical grip (normal, pressed, hot each), and the corner.
        std::vector<raster::Bitmap> glyphs;
        const float mid = kArrow / 2.0f;
        for (int dir : {2, 3, 0, 1})
            for (int st = 0; st < 4; ++st) {
                Canvas cv(kArrow, kArrow);
                TrackBack(cv, dir < 2, c_.track);
                if (st == 1 || st == 3)
                    cv.Fill(RoundRect(dir < 2 ? 3 : 2, dir < 2 ? 2 : 3, kArrow - 2, kArrow - 2, 3),
                            st == 1 ? Mix(c_.track, p_.text, 0.2f) : Mix(c_.track, p_.text, 0.09f));
                const Color ink = st == 2 ? Mix(c_.track, p_.text, 0.28f) : st == 1 ? p_.text : Mix(c_.track, p_.text, 0.62f);
                const float cx = dir < 2 ? mid + 0.5f : mid, cy = dir < 2 ? mid : mid + 0.5f;
                cv.Fill(Chevron(dir, cx, cy, 3.5f, 3.5f, 1.6f), ink);
                glyphs.push_back(cv.Finish(c_.track));
            }
        for (int vertical = 0; vertical < 2; ++vertical)
            for (int st = 0; st < 3; ++st) {
                Canvas cv(kArrow, kArrow);
                const Color ink = Mix(ThumbColor(st), st == 1 ? p_.accentText : p_.window, 0.5f);
                for (int i = -1; i <= 1; ++i) {
                    const float a = std::floor(mid) + 2.0f * i;
                    if (vertical)
                        cv.Fill(Rect(6.5f, a, kArrow - 5.5f, a + 1), ink);
                    else
                        cv.Fill(Rect(a, 6.5f, a + 1, kArrow - 5.5f), ink);
                }
                glyphs.push_back(cv.Finish(ThumbColor(st)));
            }
        {
            Canvas cv(kArrow, kArrow);
            cv.FillPixels(0, 0, kArrow, kArrow, c_.track);
            glyphs.push_back(cv.Finish(c_.track));
        }
        ini_.Section("Scrollbar",
                     "Scroll bar glyphs, 23 frames of 17 x 17: arrows left, right, up, down (normal, pressed, "
                     "disabled, hot each), thumb grips horizontal and vertical (normal, pressed, hot), corner.");
        ini_.Key("Image", Add("scrollbar.bmp", "Scrollbar", "Image", Strip(glyphs), 23));
        ini_.Key("Frame", 23);
        ini_.Key("Trans", 1);

        // Tracks: 4 frames (enabled, pressed, disabled, hot).
        for (int vertical = 0; vertical < 2; ++vertical) {
            std::vector<raster::Bitmap> frames;
            for (int st = 0; st < 4; ++st) {
                Canvas cv(vertical ? kArrow : 16, vertical ? 16 : kArrow);
                TrackBack(cv, vertical, st == 2 ? p_.face : st == 1 ? Mix(c_.track, p_.text, 0.05f) : c_.track);
                frames.push_back(cv.Finish(c_.track));
            }
            const char* sec = vertical ? "VertScroll" : "HorzScroll";
            ini_.Section(sec, std::string(vertical ? "Vertical" : "Horizontal") +
                                  " track: 4 frames (enabled, pressed, disabled, hot), opaque.");
            ini_.Key("Image", Add(vertical ? "vscroll.bmp" : "hscroll.bmp", sec, "Image", Strip(frames), 4));
            ini_.Key("Frame", 4);
            ini_.Key(vertical ? "LeftWidth" : "TopHeight", 1, "The hairline along the content side keeps its size.");
            ini_.Key("Trans", 0);
            ini_.Key("Tile", 0);
        }

        // Thumbs: 3 frames (normal, pressed, hot), drawn opaque over the track colour.
        for (int vertical = 0; vertical < 2; ++vertical) {
            std::vector<raster::Bitmap> frames;
            const int len = 24;
            for (int st = 0; st < 3; ++st) {
                Canvas cv(vertical ? kArrow : len, vertical ? len : kArrow);
                TrackBack(cv, vertical, c_.track);
                const float in = st == 0 ? 4.5f : 3.5f;
                const float lo = vertical ? 0.5f : 0.5f;
                const Shape pill = vertical ? RoundRect(in + lo, 2, kArrow - in + lo, float(len - 2), (kArrow - 2 * in) / 2)
                                            : RoundRect(2, in + lo, float(len - 2), kArrow - in + lo, (kArrow - 2 * in) / 2);
                cv.Fill(pill, ThumbColor(st));
                frames.push_back(cv.Finish(c_.track));
            }
            const char* sec = vertical ? "VertScrollThumb" : "HorzScrollThumb";
            ini_.Section(sec, std::string(vertical ? "Vertical" : "Horizontal") +
                                  " thumb: 3 frames (normal, pressed, hot); both thumbs use the frame count and Trans of "
                                  "HorzScrollThumb.");
            ini_.Key("Image", Add(vertical ? "vthumb.bmp" : "hthumb.bmp", sec, "Image", Strip(frames), 3));
            ini_.Key("FrameCount", 3);
            ini_.Key(vertical ? "TopHeight" : "LeftWidth", 8, "The rounded ends keep their size.");
            ini_.Key(vertical ? "BottomHeight" : "RightWidth", 8);
            ini_.Key("Trans", 0);
            ini_.Key("Tile", 0);
        }
    }

    // ---- progress bar ----------------------------------------------------------------------------

    Color Trough() const { return Mix(p_.window, p_.face, t_.Dark() ? 0.2f : 0.35f); }

    void Progress() {
        const int w = 20, h = 16;
        Canvas trough(w, h), fill(w, h);
        Framed(trough, RoundRect(0, 0, float(w), float(h), 4), Solid(Trough()), Mix(c_.border, p_.face, 0.2f));
        const Shape bar = RoundRect(1, 1, float(w - 1), float(h - 1), 3);
        fill.Fill(bar, VerticalGradient(1, Mix(p_.accent, kWhite, 0.18f), float(h - 1), Mix(p_.accent, kBlack, 0.08f)));
        fill.Fill(Intersect(Outline(bar, 1), Rect(0, 0, float(w), 4)), kWhite, 0.25f);
        ini_.Section("Progress",
                     "Progress bar, Style 0: 2 frames (trough, filled part); the filled part is drawn over the trough "
                     "at the filled width, both with magenta left out.");
        ini_.Key("Bitmap", Add("progress.bmp", "Progress", "Bitmap", Strip(trough.Finish(p_.face), fill.Finish(Trough())), 2));
        ini_.Key("Style", 0, "0: trough and bar; 1: trough and repeated chunks.");
        ElementKeys(5, 5, 5, 5, 1, 0);

        Canvas chunk(8, 12);
        chunk.Fill(RoundRect(1, 0, 7, 12, 1.5f), VerticalGradient(0, Mix(p_.accent, kWhite, 0.18f), 12, p_.accent));
        ini_.Section("Progress.Chunk", "One chunk of a Style 1 progress bar, repeated along the bar.");
        ini_.Key("Image", Add("progresschunk.bmp", "Progress.Chunk", "Image", chunk.Finish(Trough()), 1));
        ini_.Key("Frame", 1);
        ini_.Key("Tile", 1);
        ini_.Key("Trans", 1);
    }

    // ---- tabs and header ---------------------------------------------------------------------------

    raster::Bitmap Pane(int w, int h) {
        Canvas cv(w, h);
        cv.FillPixels(0, 0, w, h, c_.border);
        cv.FillPixels(1, 1, w - 1, h - 1, p_.face);
        return cv.Finish(p_.face);
    }

    void Tabs() {
        const int w = 24, h = 22;
        std::vector<raster::Bitmap> frames;
        for (int f = 1; f <= 5; ++f) {
            Canvas cv(w, h);
            const bool selected = f == 2 || f == 5;
            const float top = selected ? 0 : 2;
            const Shape tab = RoundRect(0, top, float(w), float(h + 6), 4, 4, 0, 0);
            Color fill = selected ? p_.face : f == 3 ? Mix(c_.tab, p_.accent, 0.08f) : c_.tab;
            if (f == 4) fill = Mix(c_.tab, p_.face, 0.5f);
            Framed(cv, tab, Solid(fill), f == 4 ? c_.borderDisabled : c_.border);
            if (selected) cv.Fill(Intersect(Offset(tab, -1), Rect(0, 0, float(w), 3)), p_.accent);
            if (!selected) cv.FillPixels(0, h - 1, w, h, c_.border);
            frames.push_back(cv.Finish(p_.face));
        }
        ini_.Section("Tabs",
                     "Tabs: 5 frames (normal, selected, hot, disabled, selected and focused); rounded top corners are "
                     "magenta. Style 1 takes the page border from Tab.Pane, Style 0 from Border.");
        ini_.Key("Image", Add("tabs.bmp", "Tabs", "Image", Strip(frames), 5));
        ini_.Key("Border", Add("tabborder.bmp", "Tabs", "Border", Pane(12, 12), 1), "Page border for Style 0 (margins 4 5 4 4).");
        ini_.Key("Style", 1);
        ini_.Key("Frame", 5);
        ElementKeys(5, 5, 5, 2, 1, 0);
        ini_.Color3("NormalColour2", Mix(p_.text, p_.face, 0.25f), "Text of a normal tab.");
        ini_.Color3("MouseOverColour2", p_.text, "Text of the selected tab.");

        ini_.Section("Tab.Pane", "Page border of a tab control: 1 frame, margins of at most 4.");
        ini_.Key("Image", Add("tabpane.bmp", "Tab.Pane", "Image", Pane(12, 12), 1));
        ini_.Key("Frame", 1);
        ini_.Key("LeftWidth", 4);
        ini_.Key("RightWidth", 4);
        ini_.Key("TopHeight", 4);
        ini_.Key("BottomHeight", 4);
        ini_.Key("Trans", 0);
    }

    void Header_() {
        const int w = 16, h = 22;
        std::vector<raster::Bitmap> frames;
        for (int f = 1; f <= 5; ++f) {
            Canvas cv(w, h);
            Color fill = f == 2 ? Mix(c_.header, p_.accent, 0.08f) : f == 3 ? Mix(c_.header, p_.text, 0.1f) : c_.header;
            if (f == 4) fill = p_.face;
            cv.FillPixels(0, 0, w, h, fill);
            cv.FillPixels(w - 1, 4, w, h - 4, c_.border);
            cv.FillPixels(0, h - 1, w, h, c_.border);
            if (f == 5) cv.FillPixels(0, h - 3, w, h - 1, p_.accent);
            frames.push_back(cv.Finish(fill));
        }
        ini_.Section("Headerbar", "Column headers: 5 frames (normal, hot, pressed, disabled, sorted), drawn opaque.");
        ini_.Key("Image", Add("header.bmp", "Headerbar", "Image", Strip(frames), 5));
        ini_.Key("Frame", 5);
        ElementKeys(2, 3, 4, 4, 0, 0);
    }

    // ---- menus ------------------------------------------------------------------------------

    void Menus() {
        const int w = 24, h = 20;
        std::vector<raster::Bitmap> frames;
        for (int f = 1; f <= 5; ++f) {
            Canvas cv(w, h);
            if (f == 2) cv.Fill(Rect(2, float(h - 5), float(w - 2), float(h - 4)), c_.menuLine);
            if (f == 3) cv.Fill(RoundRect(2, 1, float(w - 2), float(h - 1), 3), Mix(c_.menu, p_.text, 0.08f));
            if (f == 4) cv.Fill(RoundRect(2, 1, float(w - 2), float(h - 1), 3), p_.accent);
            if (f == 5) cv.Fill(RoundRect(2, 1, float(w - 2), float(h - 1), 3), Mix(p_.accent, c_.menu, 0.75f));
            frames.push_back(cv.Finish(c_.menu));
        }
        ini_.Section("MenuItem",
                     "Menu items: 5 frames (normal, separator, disabled and selected, selected, checked); the normal "
                     "frame is all magenta so the menu background shows.");
        ini_.Key("Image", Add("menuitem.bmp", "MenuItem", "Image", Strip(frames), 5));
        ini_.Key("Frame", 5);
        ElementKeys(4, 4, 4, 4, 1, 0);

        Canvas bg(12, 12);
        bg.FillPixels(0, 0, 12, 12, Mix(c_.menu, p_.text, t_.Dark() ? 0.35f : 0.28f));
        bg.FillPixels(1, 1, 11, 11, c_.menu);
        ini_.Section("MenuBackground", "Popup menu window with its 3-pixel frame: 1 frame, opaque.");
        ini_.Key("Image", Add("menubackground.bmp", "MenuBackground", "Image", bg.Finish(c_.menu), 1));
        ini_.Key("Frame", 1);
        ElementKeys(3, 3, 3, 3, 0, 0);
    }

    // ---- combo box, edges and extra glyphs ---------------------------------------------------------

    Color FieldLine(int st) const {
        return st == 1 || st == 3 ? p_.accent : st == 2 ? c_.borderDisabled : c_.border;
    }
    Color ButtonFill(int st) const {
        return st == 1 ? Mix(p_.window, p_.accent, 0.2f) : st == 2 ? Mix(p_.window, p_.face, 0.6f)
               : st == 3 ? Mix(p_.window, p_.accent, 0.08f) : p_.window;
    }

    void Combo() {
        const int h = 21;
        // Frame states 0..3: normal, pressed, disabled, hot or focused.
        std::vector<raster::Bitmap> edges, buttons, extras;
        for (int st = 0; st < 4; ++st) {
            Canvas e(10, h);
            e.FillPixels(0, 0, 10, h, p_.face);
            Framed(e, RoundRect(0, 0, 10, float(h), 3), Solid(st == 2 ? Mix(p_.window, p_.face, 0.6f) : p_.window), FieldLine(st));
            edges.push_back(e.Finish(p_.face));

            Canvas b(19, h);
            b.FillPixels(0, 0, 19, h, p_.face);
            Framed(b, RoundRect(-6, 0, 19, float(h), 3), Solid(ButtonFill(st)), FieldLine(st));
            b.Fill(Rect(0, 5, 1, float(h - 5)), Mix(ButtonFill(st), c_.border, 0.6f));
            buttons.push_back(b.Finish(p_.face));

            Canvas x(12, 12);
            const Color ink = st == 2 ? c_.glyphDisabled : st == 1 ? p_.text : c_.glyph;
            x.Fill(Chevron(1, 6, 6.5f, 3.5f, 3.5f, 1.6f), ink);
            extras.push_back(x.Finish(ButtonFill(st)));
        }
        {
            // Size grip: a triangle of dots in the bottom-right corner.
            Canvas g(12, 12);
            for (int j = 0; j < 4; ++j)
                for (int i = 0; i < 4; ++i)
                    if (i + j >= 3) {
                        const float x = 1.0f + 3 * i, y = 1.0f + 3 * j;
                        g.Fill(Rect(x + 1, y + 1, x + 3, y + 3), c_.hilight, t_.Dark() ? 0.5f : 1.0f);
                        g.Fill(Rect(x, y, x + 2, y + 2), c_.shadow);
                    }
            extras.push_back(g.Finish(p_.face));
        }
        ini_.Section("ComboButton",
                     "Drop-down button of a combo box: 4 frames (normal, pressed, disabled, hot or focused). Together "
                     "with SunkEdge and the arrow of ExtraImages it makes the whole combo box.");
        ini_.Key("Image", Add("combobutton.bmp", "ComboButton", "Image", Strip(buttons), 4));
        ini_.Key("Style", 0);
        ElementKeys(2, 4, 3, 3, 1, 0);

        ini_.Section("SunkEdge", "Frame of an edit field or combo box: 4 frames (normal, pressed, disabled, hot or focused), opaque.");
        ini_.Key("Image", Add("sunkedge.bmp", "SunkEdge", "Image", Strip(edges), 4));
        ini_.Key("Frame", 4);
        ElementKeys(3, 3, 3, 3, 0, 0);

        ini_.Section("ExtraImages",
                     "5 frames: the drop-down arrow (normal, pressed, disabled, hot) and, in frame 5, the size grip.");
        ini_.Key("Image", Add("extraimages.bmp", "ExtraImages", "Image", Strip(extras), 5));
        ini_.Key("Frame", 5);
        ini_.Key("Trans", 1);
    }

    void Boxes() {
        {
            // A quiet chip the caption can sit on, in the colours of the group box outline.
            Canvas cv(16, 18);
            Framed(cv, RoundRect(0, 1, 16, 17, 4), Solid(Mix(p_.face, p_.text, t_.Dark() ? 0.06f : 0.04f)),
                   Mix(c_.border, p_.face, 0.35f));
            ini_.Section("GroupBox", "Backing of a group box caption: 1 frame.");
            ini_.Key("Image", Add("groupbox.bmp", "GroupBox", "Image", cv.Finish(p_.face), 1));
            ini_.Key("Frame", 1);
            ini_.Key("LeftWidth", 5);
            ini_.Key("RightWidth", 5);
            ini_.Key("Trans", 1);
            ini_.Key("BackgroundAlignment", 0, "0: the caption sits at the left.");
            ini_.Key("BackgroundLeftShift", 8);
            ini_.Key("BackgroundRightShift", 8);
        }
        {
            std::vector<raster::Bitmap> frames;
            for (int f = 0; f < 2; ++f) {
                Canvas cv(16, 16);
                cv.Fill(Outline(RoundRect(0, 0, 16, 16, 4), 1), f ? c_.borderDisabled : c_.border);
                frames.push_back(cv.Finish(p_.face));
            }
            ini_.Section("GroupBoxEdge", "Group box outline: 2 frames (enabled, disabled), inside magenta.");
            ini_.Key("Image", Add("groupboxedge.bmp", "GroupBoxEdge", "Image", Strip(frames), 2));
            ini_.Key("Frame", 2);
            ini_.Key("LeftWidth", 5);
            ini_.Key("RightWidth", 5);
            ini_.Key("TopHeight", 5);
            ini_.Key("BottomHeight", 5);
            ini_.Key("Trans", 1);
        }
        {
            std::vector<raster::Bitmap> frames;
            const int w = 12, h = 20;
            for (int f = 1; f <= 3; ++f) {
                Canvas cv(w, h);
                cv.FillPixels(0, 0, w, h, p_.face);
                cv.FillPixels(0, 0, w, 1, Mix(p_.face, p_.text, 0.14f));
                if (!t_.Dark()) cv.FillPixels(0, 1, w, 2, kWhite);
                if (f == 1) cv.FillPixels(w - 2, 5, w - 1, h - 4, Mix(p_.face, p_.text, 0.2f));
                if (f == 2) cv.FillPixels(w - 2, 5, w - 1, h - 4, c_.hilight);
                frames.push_back(cv.Finish(p_.face));
            }
            ini_.Section("StatusBarEdges", "Status bar panels: 3 frames (lowered, raised, flat), opaque.");
            ini_.Key("Image", Add("statusbar.bmp", "StatusBarEdges", "Image", Strip(frames), 3));
            ini_.Key("Frame", 3);
            ElementKeys(2, 3, 4, 4, 0, 0);
            ini_.Color3("NormalColour2", p_.text, "Status text.");
        }
        {
            std::vector<raster::Bitmap> frames;
            for (int f = 1; f <= 5; ++f) {
                Canvas cv(22, 22);
                const Shape b = RoundRect(0, 0, 22, 22, 4);
                if (f == 2) Framed(cv, b, Solid(Mix(p_.face, p_.text, 0.14f)), Mix(c_.border, p_.text, 0.2f));
                if (f == 4) Framed(cv, b, Solid(Mix(p_.face, p_.text, 0.07f)), c_.border);
                if (f == 5) Framed(cv, b, Solid(Mix(p_.face, p_.accent, 0.16f)), Mix(c_.border, p_.accent, 0.6f));
                frames.push_back(cv.Finish(p_.face));
            }
            ini_.Section("ToolBars", "Tool buttons: 5 frames (normal, pressed, disabled, hot, checked); normal and disabled are flat.");
            ini_.Key("Image", Add("toolbars.bmp", "ToolBars", "Image", Strip(frames), 5));
            ini_.Key("Frame", 5);
            ElementKeys(5, 5, 5, 5, 1, 0);
        }
    }

    // ---- up-down -----------------------------------------------------------------------------

    void UpDown() {
        for (int horizontal = 0; horizontal < 2; ++horizontal) {
            const int w = horizontal ? 12 : 17, h = horizontal ? 17 : 11;
            const int gw = horizontal ? 6 : 9, gh = horizontal ? 9 : 6;
            std::vector<raster::Bitmap> frames, glyphs;
            for (int second = 0; second < 2; ++second)
                for (int st = 0; st < 4; ++st) {  // normal, pressed, disabled, hot
                    Canvas cv(w, h);
                    const float r = 3;
                    const Shape b = horizontal ? (second ? RoundRect(-0.0f, 0, float(w), float(h), 0, r, r, 0)
                                                         : RoundRect(0, 0, float(w), float(h), r, 0, 0, r))
                                               : (second ? RoundRect(0, 0, float(w), float(h), 0, 0, r, r)
                                                         : RoundRect(0, 0, float(w), float(h), r, r, 0, 0));
                    const Color fill = st == 1 ? Mix(p_.control, p_.text, 0.14f) : st == 2 ? Mix(p_.control, p_.face, 0.6f)
                                       : st == 3 ? Mix(c_.controlTop, p_.accent, 0.1f) : c_.controlTop;
                    Framed(cv, b, st == 0 ? VerticalGradient(1, c_.controlTop, float(h - 1), c_.controlBottom) : Solid(fill),
                           st == 2 ? c_.borderDisabled : c_.border);
                    frames.push_back(cv.Finish(p_.face));

                    Canvas g(gw, gh);
                    const int dir = horizontal ? (second ? 3 : 2) : (second ? 1 : 0);
                    const Color ink = st == 2 ? c_.glyphDisabled : st == 1 ? p_.text : c_.glyph;
                    g.Fill(Chevron(dir, gw / 2.0f, gh / 2.0f, 3.5f, 2.5f, 1.5f), ink);
                    glyphs.push_back(g.Finish(st == 0 ? Mix(c_.controlTop, c_.controlBottom, 0.5f) : fill));
                }
            const char* sec = horizontal ? "UpDown.Horz" : "UpDown.Vert";
            ini_.Section(sec, std::string("Spin buttons, ") + (horizontal ? "left and right" : "up and down") +
                                  ": 8 frames, the first button then the second, each normal, pressed, disabled, hot. "
                                  "GlyphImage holds the arrows in the same 8 frames, drawn centred.");
            const std::string stem = horizontal ? "updownh" : "updownv";
            ini_.Key("Image", Add(stem + ".bmp", sec, "Image", Strip(frames), 8));
            ini_.Key("GlyphImage", Add(stem + "glyph.bmp", sec, "GlyphImage", Strip(glyphs), 8));
            ini_.Key("Trans", 1);
        }
    }

    // ---- track bar --------------------------------------------------------------------------------

    raster::Bitmap Thumb(int w, int h, int point) {  // point: -1 none, else the direction it points to
        std::vector<raster::Bitmap> frames;
        for (int f = 1; f <= 5; ++f) {  // normal, normal (shown), disabled, hot, pressed
            Canvas cv(w, h);
            Shape s = RoundRect(0, 0, float(w), float(h), 3);
            const float W = float(w), H = float(h), t = 5;
            if (point == 1) s = Intersect(s, Polygon({{0, -1}, {W, -1}, {W, H - t}, {W / 2, H + 0.5f}, {0, H - t}}));
            if (point == 0) s = Intersect(s, Polygon({{0, H + 1}, {W, H + 1}, {W, t}, {W / 2, -0.5f}, {0, t}}));
            if (point == 2) s = Intersect(s, Polygon({{W + 1, 0}, {W + 1, H}, {t, H}, {-0.5f, H / 2}, {t, 0}}));
            if (point == 3) s = Intersect(s, Polygon({{-1, 0}, {-1, H}, {W - t, H}, {W + 0.5f, H / 2}, {W - t, 0}}));
            Color line = c_.border, fill1 = c_.controlTop, fill2 = c_.controlBottom;
            if (f == 3) line = c_.borderDisabled, fill1 = fill2 = Mix(p_.control, p_.face, 0.6f);
            if (f == 4) line = p_.accent, fill1 = Mix(c_.controlTop, p_.accent, 0.1f), fill2 = Mix(c_.controlBottom, p_.accent, 0.15f);
            if (f == 5) line = Mix(p_.accent, kBlack, 0.2f), fill1 = fill2 = p_.accent;
            Framed(cv, s, VerticalGradient(1, fill1, H - 1, fill2), line);
            frames.push_back(cv.Finish(p_.face));
        }
        return Strip(frames);
    }

    void TrackBar() {
        struct Def {
            const char* section;
            const char* file;
            int w, h, point;
        } defs[] = {
            {"Trackbar.ThumbHorz", "thumbhorz.bmp", 11, 21, -1}, {"Trackbar.ThumbVert", "thumbvert.bmp", 21, 11, -1},
            {"Trackbar.ThumbLeft", "thumbleft.bmp", 21, 11, 2},  {"Trackbar.ThumbRight", "thumbright.bmp", 21, 11, 3},
            {"Trackbar.ThumbUp", "thumbup.bmp", 11, 21, 0},      {"Trackbar.ThumbDown", "thumbdown.bmp", 11, 21, 1},
        };
        for (const Def& d : defs) {
            ini_.Section(d.section,
                         "Track bar thumb: 5 frames (normal, normal as the track bar shows it, disabled, hot, pressed), "
                         "stretched over the thumb.");
            ini_.Key("Image", Add(d.file, d.section, "Image", Thumb(d.w, d.h, d.point), 5));
            ini_.Key("Frame", 5);
            ini_.Key("Trans", 1);
        }
        for (int vertical = 0; vertical < 2; ++vertical) {
            const int w = vertical ? 4 : 16, h = vertical ? 16 : 4;
            Canvas cv(w, h);
            cv.FillPixels(0, 0, w, h, p_.face);
            Framed(cv, RoundRect(0, 0, float(w), float(h), 2), Solid(Trough()), Mix(c_.border, p_.text, 0.1f));
            const char* sec = vertical ? "TRACKVERT" : "Track";
            ini_.Section(sec, std::string("Groove of a ") + (vertical ? "vertical" : "horizontal") +
                                  " track bar: 1 frame, opaque; the ends keep their size.");
            ini_.Key("Image", Add(vertical ? "trackvert.bmp" : "track.bmp", sec, "Image", cv.Finish(p_.face), 1));
            ini_.Key("Frame", 1);
            ini_.Key(vertical ? "TopHeight" : "LeftWidth", 3);
            ini_.Key(vertical ? "BottomHeight" : "RightWidth", 3);
            ini_.Key("Trans", 0);
        }
    }

    const Theme& t_;
    const Palette& p_;
    Colors c_;
    IniWriter ini_;
    Skin skin_;
};

}  // namespace

Skin BuildSkin(const Theme& theme) { return Builder(theme).Build(); }

}  // namespace skingen
