#include "Preview.h"

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>

#include "Paint.h"
#include "Sheet.h"
#include "base/Ascii.h"

namespace skingen {
namespace {

std::string Lower(const std::string& s) { return base::AsciiLower(s); }

// Enough of the description reader for a mock-up: first section and first key win.
class Description {
public:
    explicit Description(const std::string& text) {
        std::string section;
        bool repeated = false;
        std::size_t pos = 0;
        while (pos < text.size()) {
            std::size_t end = text.find('\n', pos);
            if (end == std::string::npos) end = text.size();
            std::string line = text.substr(pos, end - pos);
            pos = end + 1;
            while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
            if (line.empty() || line[0] == ';') continue;
            if (line.front() == '[' && line.back() == ']') {
                section = Lower(line.substr(1, line.size() - 2));
                repeated = sections_.count(section) > 0;  // a repeated section is never read
                sections_[section];
                continue;
            }
            const std::size_t eq = line.find('=');
            if (eq == std::string::npos || repeated) continue;
            sections_[section].emplace(Lower(line.substr(0, eq)), line.substr(eq + 1));
        }
    }
    std::string Get(const std::string& section, const std::string& key) const {
        auto s = sections_.find(Lower(section));
        if (s == sections_.end()) return {};
        auto k = s->second.find(Lower(key));
        return k == s->second.end() ? std::string() : k->second;
    }
    int Int(const std::string& section, const std::string& key, int def = 0) const {
        const std::string v = Get(section, key);
        try {
            std::size_t used = 0;
            const int n = std::stoi(v, &used);
            return used == v.size() ? n : def;
        } catch (...) {
            return def;
        }
    }
    Color Rgb(const std::string& section, const std::string& key) const {
        int r = 0, g = 0, b = 0;
        std::sscanf(Get(section, key).c_str(), "%d %d %d", &r, &g, &b);
        return raster::Rgb(r, g, b);
    }

private:
    std::map<std::string, std::map<std::string, std::string>> sections_;
};

struct Margins {
    int l = 0, t = 0, r = 0, b = 0;
};

class Mock {
public:
    Mock(const Skin& skin, raster::Bitmap& target) : skin_(skin), ini_(skin.ini), dst_(target) {}

    const raster::Bitmap& Image(const std::string& section, const std::string& key) const {
        const std::string file = ini_.Get(section, key);
        for (const SkinImage& img : skin_.images)
            if (img.file == file) return img.bitmap;
        throw std::runtime_error("[" + section + "] " + key + " names no image");
    }

    static raster::Bitmap Cell(const raster::Bitmap& strip, int frames, int frame, bool down = false) {
        frames = std::max(frames, 1);
        const int w = down ? strip.Width() : strip.Width() / frames, h = down ? strip.Height() / frames : strip.Height();
        return Crop(strip, down ? 0 : (frame - 1) * w, down ? (frame - 1) * h : 0, w, h);
    }

    // Corners at their size, edges stretched along, middle stretched or tiled.
    static raster::Bitmap Nine(const raster::Bitmap& cell, Margins m, int w, int h, bool tile = false) {
        raster::Bitmap out(std::max(w, 1), std::max(h, 1));
        if (w < m.l + m.r) m.l = m.r = 0;
        if (h < m.t + m.b) m.t = m.b = 0;
        const int cw = cell.Width(), ch = cell.Height();
        auto map = [tile](int v, int size, int lo, int hi, int src) {
            if (v < lo) return v;
            if (v >= size - hi) return src - (size - v);
            const int mid = src - lo - hi, dmid = size - lo - hi;
            if (mid <= 0) return lo;
            return lo + (tile ? (v - lo) % mid : (v - lo) * mid / std::max(dmid, 1));
        };
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) out.SetPixel(x, y, cell.GetPixel(map(x, w, m.l, m.r, cw), map(y, h, m.t, m.b, ch)));
        return out;
    }

    void Draw(const raster::Bitmap& src, int x, int y, bool trans = true) {
        for (int j = 0; j < src.Height(); ++j)
            for (int i = 0; i < src.Width(); ++i) {
                const Color c = src.GetPixel(i, j);
                if (!trans || c != raster::kKeyColor) dst_.SetPixel(x + i, y + j, c);
            }
    }

    Margins M(const std::string& s) const {
        return {ini_.Int(s, "LeftWidth"), ini_.Int(s, "TopHeight"), ini_.Int(s, "RightWidth"), ini_.Int(s, "BottomHeight")};
    }

    void Element(const std::string& s, int frames, int frame, int x, int y, int w, int h, const std::string& key = "Image") {
        Draw(Nine(Cell(Image(s, key), frames, frame), M(s), w, h, ini_.Int(s, "Tile") == 1), x, y, ini_.Int(s, "Trans") != 0);
    }

    void Rect(int x0, int y0, int x1, int y1, Color c) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) dst_.SetPixel(x, y, c);
    }

    void Text(int x, int y, const std::string& s, Color c) { DrawLabel(dst_, x, y, s, c, 1); }
    void TextCentred(int x0, int y0, int x1, int y1, const std::string& s, Color c) {
        Text(x0 + (x1 - x0 - LabelWidth(s, 1)) / 2, y0 + (y1 - y0 - 7) / 2, s, c);
    }

    Color Colour(const std::string& key) const { return ini_.Rgb("Colours", key); }

    const Skin& skin_;
    Description ini_;
    raster::Bitmap& dst_;
};

// The window frame, caption and menu band; returns the client rectangle.
void Window(Mock& m, int x, int y, int w, int h, bool active, const std::string& title, bool dialog, int& cx, int& cy) {
    const std::string P = "Personality";
    const int frame = active ? 1 : 2;
    const raster::Bitmap& top = m.Image(P, "Top");
    const raster::Bitmap& left = m.Image(P, "Left");
    const raster::Bitmap& right = m.Image(P, "Right");
    const raster::Bitmap& bottom = m.Image(P, "Bottom");
    const int th = top.Height() / m.ini_.Int(P, "TopFrame", 1), lw = left.Width() / m.ini_.Int(P, "LeftFrame", 1);
    const int rw = right.Width() / m.ini_.Int(P, "RightFrame", 1), bh = bottom.Height() / m.ini_.Int(P, "BottomFrame", 1);
    // Magenta border pixels are outside the window's region: the desktop shows there.
    m.Draw(Mock::Nine(Mock::Cell(left, 2, frame), {0, m.ini_.Int(P, "LeftTopHeight"), 0, m.ini_.Int(P, "LeftBotHeight")}, lw, h), x, y);
    m.Draw(Mock::Nine(Mock::Cell(right, 2, frame), {0, m.ini_.Int(P, "RightTopHeight"), 0, m.ini_.Int(P, "RightBotHeight")}, rw, h), x + w - rw, y);
    m.Draw(Mock::Nine(Mock::Cell(bottom, 2, frame, true), {m.ini_.Int(P, "BottomTopHeight"), 0, m.ini_.Int(P, "BottomBotHeight"), 0}, w - lw - rw, bh),
           x + lw, y + h - bh);
    m.Draw(Mock::Nine(Mock::Cell(top, 2, frame, true), {m.ini_.Int(P, "TopTopHeight"), 0, m.ini_.Int(P, "TopBotHeight"), 0}, w - lw - rw, th), x + lw, y);

    // Caption text on its backing.
    const raster::Bitmap back = Mock::Cell(m.Image(P, "TextBack"), 2, frame, true);
    const int bl = m.ini_.Int(P, "TXTBackleft"), br = m.ini_.Int(P, "TXTBackRight");
    const std::string text = "  " + title + " ";
    const int tx = x + lw + m.ini_.Int(P, "TextShift") - (dialog ? 16 : 0), tw = LabelWidth(text, 1) + bl + br;
    m.Draw(Mock::Nine(back, {bl, 0, br, 0}, tw, th, true), tx, y);
    m.Text(tx + bl, y + (th - 7) / 2, text, m.Colour(active ? "TitleTextActive" : "TitleTextNoActive"));

    // Caption buttons of a normal window (not maximized): close, maximize, minimize, icon.
    for (const char* s : {"ButtonClose", "ButtonMaximize", "ButtonMinimize", "ButtonSysMenu"}) {
        if (dialog && std::string(s) != "ButtonClose") continue;
        const raster::Bitmap& strip = m.Image(s, "ButtonImage");
        const int frames = m.ini_.Int(s, "frame", 1);
        const int bx = m.ini_.Int(s, "Align") == 1 ? w - m.ini_.Int(s, "Xcoord") : m.ini_.Int(s, "Xcoord");
        m.Draw(Mock::Cell(strip, frames, active ? 1 : std::min(4, frames)), x + bx, y + m.ini_.Int(s, "Ycoord"));
    }

    cx = x + lw;
    cy = y + th;
    if (!dialog) {
        const int mh = 20;
        const raster::Bitmap& bar = m.Image(P, "menuBar");
        const int ml = m.ini_.Int(P, "TileLeftMenu", 1), mr = m.ini_.Int(P, "TileRightMenu", 1);
        m.Draw(Mock::Nine(Mock::Cell(bar, 2, frame, true), {ml, 0, mr, 0}, w - lw - rw, mh), cx, cy, false);
        int ix = cx + ml + 4;
        for (const char* item : {"File", "View", "Help"}) {
            const int iw = LabelWidth(item, 1) + 10;
            m.TextCentred(ix, cy, ix + iw, cy + mh - 1, item, m.Colour("MenuBarText"));
            ix += iw;
        }
        cy += mh;
    }
    m.Rect(cx, cy, x + w - rw, y + h - bh, m.Colour("ButtonFace"));
}

void PushButton(Mock& m, int x, int y, int w, int h, int look, const std::string& text) {
    m.Element("Buttons", 5, look, x, y, w, h, "Bitmap");
    m.TextCentred(x, y, x + w, y + h, text, look == 3 ? m.Colour("ButtonShadow") : m.ini_.Rgb("Buttons", look == 4 ? "MouseOverColour2" : "NormalColour2"));
}

void VerticalScrollBar(Mock& m, int x, int y, int len, int thumbStart, int thumbEnd, int thumbLook) {
    const raster::Bitmap& glyphs = m.Image("Scrollbar", "Image");
    const int a = glyphs.Height();
    m.Element("VertScroll", 4, 1, x, y + a, a, len - 2 * a);
    m.Draw(Mock::Cell(glyphs, 23, 9), x, y);
    m.Draw(Mock::Cell(glyphs, 23, 13), x, y + len - a);
    const int frames = m.ini_.Int("HorzScrollThumb", "FrameCount", 3);
    const raster::Bitmap& thumb = m.Image("VertScrollThumb", "Image");
    m.Draw(Mock::Nine(Mock::Cell(thumb, frames, thumbLook), m.M("VertScrollThumb"), a, thumbEnd - thumbStart), x, y + thumbStart,
           m.ini_.Int("HorzScrollThumb", "Trans") != 0);
    const int grip = thumbLook == 1 ? 20 : thumbLook == 2 ? 21 : 22;
    m.Draw(Mock::Cell(glyphs, 23, grip), x, y + (thumbStart + thumbEnd - a) / 2);
}

void HorizontalScrollBar(Mock& m, int x, int y, int len, int thumbStart, int thumbEnd) {
    const raster::Bitmap& glyphs = m.Image("Scrollbar", "Image");
    const int a = glyphs.Height();
    m.Element("HorzScroll", 4, 1, x + a, y, len - 2 * a, a);
    m.Draw(Mock::Cell(glyphs, 23, 1), x, y);
    m.Draw(Mock::Cell(glyphs, 23, 8), x + len - a, y);  // right arrow, hot
    const int frames = m.ini_.Int("HorzScrollThumb", "FrameCount", 3);
    m.Draw(Mock::Nine(Mock::Cell(m.Image("HorzScrollThumb", "Image"), frames, 1), m.M("HorzScrollThumb"), thumbEnd - thumbStart, a),
           x + thumbStart, y, m.ini_.Int("HorzScrollThumb", "Trans") != 0);
    m.Draw(Mock::Cell(glyphs, 23, 17), x + (thumbStart + thumbEnd - a) / 2, y);
}

void Combo(Mock& m, int x, int y, int w, int look, const std::string& text) {
    // The composite the engine builds at load: edge, button and arrow in a 50 x 21 cell.
    const int cw = 50, ch = 21, bw = 17 + 2;
    raster::Bitmap cell(cw, ch);
    Mock c(m.skin_, cell);
    c.Element("SunkEdge", 4, look, 0, 0, cw, ch);
    c.Draw(Mock::Nine(Mock::Cell(m.Image("ComboButton", "Image"), 4, look), m.M("ComboButton"), bw, ch), cw - bw, 0);
    const raster::Bitmap arrow = Mock::Cell(m.Image("ExtraImages", "Image"), 5, look);
    c.Draw(arrow, cw - bw + (bw - arrow.Width()) / 2, (ch - arrow.Height()) / 2);
    c.Rect(2, 2, cw - 1 - bw, 18, raster::kKeyColor);
    const Margins edge = m.M("SunkEdge");
    m.Rect(x, y, x + w, y + ch, m.ini_.Rgb("COLOUR2", "color"));
    m.Text(x + 6, y + 7, text, m.Colour("WindowText"));
    m.Draw(Mock::Nine(cell, {2, edge.t, bw + 2, edge.b}, w, ch), x, y);
}

void Controls(Mock& m, int x, int y, int h) {
    const Color face = m.Colour("ButtonFace"), text = m.Colour("WindowText"), window = m.ini_.Rgb("COLOUR2", "color");
    // A list with a vertical scroll bar and a selected row.
    const int lw = 200, lh = 150;
    m.Rect(x + 10, y + 10, x + 10 + lw, y + 10 + lh, m.Colour("ButtonShadow"));
    m.Rect(x + 11, y + 11, x + 9 + lw, y + 9 + lh, window);
    const char* rows[] = {"Untitled - Notepad", "Downloads", "Calculator", "Terminal", "Mail - Inbox (3)", "Music", "Settings", "Photos"};
    for (int i = 0; i < 8; ++i) {
        const int ry = y + 13 + i * 17;
        if (i == 2) m.Rect(x + 12, ry - 1, x + lw - 8, ry + 15, m.Colour("Hilight"));
        m.Text(x + 16, ry + 4, rows[i], i == 2 ? m.Colour("HilightText") : text);
    }
    VerticalScrollBar(m, x + 9 + lw - 17, y + 11, lh - 2, 40, 90, 1);

    // Push buttons: normal, hot, pressed, default, disabled.
    const char* captions[] = {"Refresh", "Hide", "Show", "OK", "Off"};
    const int looks[] = {1, 4, 2, 5, 3};
    for (int i = 0; i < 5; ++i) PushButton(m, x + 10 + i * 88, y + h - 48, 80, 30, looks[i], captions[i]);

    // Check boxes and radio buttons, several states.
    const raster::Bitmap& check = m.Image("Buttons", "CheckButton");
    const raster::Bitmap& radio = m.Image("Buttons", "RadioButton");
    const int cf = m.ini_.Int("Buttons", "CheckButtonFrame"), rf = m.ini_.Int("Buttons", "RadioButtonFrame");
    const int gx = x + lw + 30;
    const struct {
        int frame;
        const char* text;
    } checks[] = {{1, "Start hidden"}, {5, "Hotkey on"}, {9, "Some windows"}, {8, "Locked"}}, radios[] = {{1, "List titles"}, {5, "List classes"}, {4, "Disabled"}};
    for (int i = 0; i < 4; ++i) {
        m.Draw(Mock::Cell(check, cf, checks[i].frame), gx, y + 12 + i * 20);
        m.Text(gx + 19, y + 15 + i * 20, checks[i].text, checks[i].frame == 8 ? m.Colour("ButtonShadow") : text);
    }
    for (int i = 0; i < 3; ++i) {
        m.Draw(Mock::Cell(radio, rf, radios[i].frame), gx + 110, y + 12 + i * 20);
        m.Text(gx + 129, y + 15 + i * 20, radios[i].text, radios[i].frame == 4 ? m.Colour("ButtonShadow") : text);
    }

    // Progress at 60 %.
    const int px = gx, py = y + 100, pw = 200, ph = 16;
    const raster::Bitmap& prog = m.Image("Progress", "Bitmap");
    m.Draw(Mock::Nine(Mock::Cell(prog, 2, 1), m.M("Progress"), pw, ph), px, py);
    m.Draw(Mock::Nine(Mock::Cell(prog, 2, 2), m.M("Progress"), pw * 6 / 10, ph), px, py);

    // Combo boxes: normal and focused, and a spin edit.
    Combo(m, gx, y + 128, 120, 1, "Top windows");
    Combo(m, gx + 130, y + 128, 70, 4, "All");

    // Track bar with its groove and thumb (frame 2, as the engine shows it).
    const raster::Bitmap& track = m.Image("Track", "Image");
    m.Draw(Mock::Nine(track, m.M("Track"), 200, track.Height()), gx, y + 170, false);
    const raster::Bitmap thumb = Mock::Cell(m.Image("Trackbar.ThumbDown", "Image"), 5, 2);
    m.Draw(thumb, gx + 70, y + 170 + track.Height() / 2 - thumb.Height() / 2 + 2);

    // A tab strip with a pane.
    const int tx = x + 10, ty = y + 175, tw = 200, tabH = 22;
    const raster::Bitmap& tabs = m.Image("Tabs", "Image");
    const char* names[] = {"General", "Keys", "About"};
    const int tabw[] = {62, 48, 54};
    m.Element("Tab.Pane", 1, 1, tx, ty + tabH - 1, tw, 60);
    int cx = tx + 2;
    for (int i = 0; i < 3; ++i) {
        const bool sel = i == 0;
        m.Draw(Mock::Nine(Mock::Cell(tabs, 5, sel ? 2 : 1), m.M("Tabs"), tabw[i], tabH - (sel ? 0 : 1)), cx, ty + (sel ? 0 : 1));
        m.TextCentred(cx, ty + 2, cx + tabw[i], ty + tabH, names[i], m.ini_.Rgb("Tabs", sel ? "MouseOverColour2" : "NormalColour2"));
        cx += tabw[i];
    }
    m.Text(tx + 10, ty + tabH + 12, "Ctrl+Alt+S shows the window.", text);
    (void)face;
}

void StatusBar(Mock& m, int x, int y, int w) {  // three panels, the last one flat
    const int h = 22;
    const int cuts[] = {0, 150, 300, w};
    for (int i = 0; i < 3; ++i) m.Element("StatusBarEdges", 3, i == 2 ? 3 : 1, x + cuts[i], y, cuts[i + 1] - cuts[i], h);
    m.Text(x + 6, y + 9, "12 windows", m.ini_.Rgb("StatusBarEdges", "NormalColour2"));
    m.Text(x + 156, y + 9, "2 hidden", m.ini_.Rgb("StatusBarEdges", "NormalColour2"));
    const raster::Bitmap grip = Mock::Cell(m.Image("ExtraImages", "Image"), 5, 5);
    m.Draw(grip, x + w - grip.Width() - 1, y + h - grip.Height() - 1);
}

void PopupMenu(Mock& m, int x, int y) {
    const int w = 170, ih = 20;
    const char* items[] = {"Restore", "Move", "-", "Minimize", "Maximize", "-", "Close"};
    int h = 6;
    for (const char* it : items) h += std::string(it) == "-" ? 8 : ih;
    m.Element("MenuBackground", 1, 1, x, y, w, h);
    const raster::Bitmap& strip = m.Image("MenuItem", "Image");
    int iy = y + 3;
    for (const char* it : items) {
        const bool sep = std::string(it) == "-";
        const int rh = sep ? 8 : ih;
        if (sep) {
            // Bottom-aligned piece of the separator frame.
            const raster::Bitmap cell = Mock::Cell(strip, 5, 2);
            const raster::Bitmap piece = Crop(cell, 0, cell.Height() - rh, cell.Width(), rh);
            m.Draw(Mock::Nine(piece, {m.ini_.Int("MenuItem", "LeftWidth"), 0, m.ini_.Int("MenuItem", "RightWidth"), 0}, w - 6, rh), x + 3, iy);
        } else {
            const bool selected = std::string(it) == "Minimize";
            m.Element("MenuItem", 5, selected ? 4 : 1, x + 3, iy, w - 6, rh);
            m.Text(x + 3 + m.ini_.Int("MenuItem", "LeftWidth") + 22, iy + 7, it,
                   selected ? m.Colour("HilightText") : std::string(it) == "Restore" ? m.Colour("ButtonShadow") : m.Colour("MenuText"));
            if (std::string(it) == "Close") m.Text(x + w - 60, iy + 7, "Alt+F4", m.Colour("MenuText"));
        }
        iy += rh;
    }
}

}  // namespace

raster::Bitmap Preview(const Skin& skin) {
    const int W = 740, H = 470;
    raster::Bitmap out(W, H);
    {
        // A calm desktop behind the windows, so the rounded corners show.
        Canvas desk(W, H);
        desk.Fill(Rect(0, 0, float(W), float(H)), VerticalGradient(0, raster::Rgb(92, 128, 168), float(H), raster::Rgb(44, 66, 96)));
        out = desk.Finish(0);
    }
    Mock m(skin, out);
    int cx = 0, cy = 0;
    // An inactive dialog behind, the active main window in front.
    Window(m, 532, 24, 196, 120, false, "Message", true, cx, cy);
    m.Text(cx + 12, cy + 24, "Ctrl+Alt+S shows", m.Colour("WindowText"));
    m.Text(cx + 12, cy + 36, "the window again.", m.Colour("WindowText"));
    PushButton(m, cx + 60, cy + 58, 64, 26, 5, "OK");
    const int ww = 500, wh = 420, wx = 20, wy = 30;
    Window(m, wx, wy, ww, wh, true, "Tovalin", false, cx, cy);
    const int right = wx + ww - m.Image("Personality", "Right").Width() / 2;
    const int bottom = wy + wh - m.Image("Personality", "Bottom").Height() / 2;
    Controls(m, cx, cy, bottom - cy - 22);
    StatusBar(m, cx, bottom - 22, right - cx);
    PopupMenu(m, 548, 176);
    HorizontalScrollBar(m, 548, 420, 170, 40, 100);
    return out;
}

}  // namespace skingen
