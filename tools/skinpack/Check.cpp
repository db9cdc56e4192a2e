// check: reads a skin the way the skin loader and the painters will, and reports
// what would go wrong: images that do not load, strips whose frames do not divide
// evenly, and magenta in images that are drawn without leaving it out.
#include <algorithm>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "Skinpack.h"
#include "raster/BmpCodec.h"
#include "skin/resources/SkinRead.h"
#include "skin/resources/WinSkinIni.h"

namespace skinpack {
namespace {

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return s;
}

// How an image's magenta pixels are treated where it is painted.
enum class Keying {
    Transparent,  // always left out
    Opaque,       // always copied: magenta would show
};

class Checker {
public:
    Checker(const skin::TSkinReader& reader, const skin::TQuickIni& ini, std::vector<std::string>& problems)
        : reader_(reader), ini_(ini), problems_(problems) {}

    void Run() {
        std::vector<std::string> sections;
        ini_.GetSectionNames(&sections);
        FrameSides();
        CaptionButtons(sections);
        Buttons();
        Elements();
    }

private:
    std::string Value(const std::string& section, const std::string& key) const { return ini_.GetString(section, key, ""); }
    int Int(const std::string& section, const std::string& key, int def) const { return ini_.GetInteger(section, key, def); }
    bool Has(const std::string& section, const std::string& key) const { return !Value(section, key).empty(); }

    void Problem(const std::string& section, const std::string& key, const std::string& what) {
        problems_.push_back("[" + section + "] " + key + "=" + Value(section, key) + ": " + what);
    }

    // The image a key names, loaded as the skin loader does: only a value ending in ".bmp"
    // (exactly so) is read, by its file-name part. Nothing when the key is absent; a
    // problem and nothing when it does not load.
    std::optional<raster::Bitmap> Load(const std::string& section, const std::string& key) {
        const std::string value = Value(section, key);
        if (value.empty()) return std::nullopt;
        const std::size_t cut = value.find_last_of("\\:");
        const std::string name = cut == std::string::npos ? value : value.substr(cut + 1);
        const std::size_t dot = value.find_last_of('.');
        if (name.empty() || dot == std::string::npos || value.substr(dot) != ".bmp" ||
            value.find_first_of("\\:", dot) != std::string::npos) {
            Problem(section, key, "not a name ending in .bmp, so it is never loaded");
            return std::nullopt;
        }
        std::vector<std::uint8_t> bytes;
        reader_.ExtractFile(name, bytes);
        if (bytes.empty()) {
            Problem(section, key, "no member '" + name + "' in the skin (or it is empty)");
            return std::nullopt;
        }
        try {
            raster::Bitmap bmp = raster::DecodeBmp(bytes);
            if (bmp.Empty()) {
                Problem(section, key, "the image is empty");
                return std::nullopt;
            }
            return bmp;
        } catch (const std::exception& e) {
            Problem(section, key, std::string("does not decode as BMP: ") + e.what());
            return std::nullopt;
        }
    }

    // Frames side by side (or stacked) must all have the same size.
    bool Frames(const std::string& section, const std::string& key, const raster::Bitmap& bmp, int frames, bool down) {
        const int extent = down ? bmp.Height() : bmp.Width();
        const std::string what = down ? "height " : "width ";
        if (frames < 1) {
            Problem(section, key, "frame count " + std::to_string(frames) + ": the painters divide by it");
            return false;
        }
        if (extent % frames != 0 || extent < frames) {
            Problem(section, key,
                    what + std::to_string(extent) + " does not divide into " + std::to_string(frames) + " frames");
            return false;
        }
        return true;
    }

    // Counts key-colour pixels in the frames that are painted opaquely (frame `skip`,
    // counted from 1, is painted another way and left out).
    void NoKeyColour(const std::string& section, const std::string& key, const raster::Bitmap& bmp, int frames, bool down,
                     int skip = 0) {
        const int cell = std::max(1, (down ? bmp.Height() : bmp.Width()) / std::max(frames, 1));
        int count = 0;
        for (int y = 0; y < bmp.Height(); ++y)
            for (int x = 0; x < bmp.Width(); ++x) {
                if (skip > 0 && (down ? y : x) / cell + 1 == skip) continue;
                if ((bmp.GetPixel(x, y) & 0xFFFFFF) == raster::kKeyColor) ++count;
            }
        if (count > 0)
            Problem(section, key,
                    std::to_string(count) + " magenta pixels in an image painted without leaving them out; they would show");
    }

    void Image(const std::string& section, const std::string& key, int frames, bool down, Keying keying, int skip = 0) {
        const auto bmp = Load(section, key);
        if (!bmp || !Frames(section, key, *bmp, frames, down)) return;
        if (keying == Keying::Opaque) NoKeyColour(section, key, *bmp, frames, down, skip);
    }

    // Painted with the key colour left out only when the element's Trans is exactly 1.
    static Keying ByTrans(int trans) { return trans == 1 ? Keying::Transparent : Keying::Opaque; }

    void FrameSides() {
        const std::string p = "Personality";
        for (const char* side : {"Left", "Right", "Top", "Bottom"}) {
            const std::string n = side;
            const bool down = n == "Top" || n == "Bottom";
            // Borders are copied opaquely; magenta is cut away by the window region only
            // when the side's Trans is 1.
            Image(p, n, Int(p, n + "Frame", 1), down, ByTrans(Int(p, n + "Trans", 1)));
        }
        Image(p, "TextBack", 2, true, Keying::Transparent);
        Image(p, "menuBar", 2, true, Keying::Opaque);
    }

    void CaptionButtons(const std::vector<std::string>& sections) {
        for (const std::string& name : sections) {
            const std::string s = Upper(name);
            if (s == "BUTTONS" || s == "BUTTON.RADIO" || s == "BUTTON.CHECKBOX" || s == "BUTTON" || s.rfind("BUTTON", 0) != 0)
                continue;
            const int action = Int(s, "Action", 0);
            if (action == -1 && Int(s, "Visibility", -1) != 0) continue;
            int frames = Int(s, "frame", 0);
            const auto bmp = Load(s, "ButtonImage");
            if (!bmp) continue;
            if (frames == 0) {
                // The loader guesses; the icon buttons then drop their image altogether.
                if (action == 3 || action == 11) continue;
                frames = action < 0 || double(bmp->Width()) / bmp->Height() > 3.8 ? 6 : 3;
            }
            Frames(s, "ButtonImage", *bmp, frames, false);
        }
        Image("MDICONTROLS", "Image", 12, false, Keying::Transparent);
    }

    void Buttons() {
        const std::string b = "Buttons";
        Image(b, "Bitmap", 5, false, ByTrans(Int(b, "Trans", 0)));
        for (const auto& [key, frameKey] : {std::pair{"CheckButton", "CheckButtonFrame"}, std::pair{"RadioButton", "RadioButtonFrame"}}) {
            const auto bmp = Load(b, key);
            if (!bmp) continue;
            int frames = Int(b, frameKey, 0);
            if (frames == 0) frames = std::max(bmp->Width() / (bmp->Height() < 16 ? 13 : 16), 4);
            Frames(b, key, *bmp, frames, false);
        }
    }

    void Elements() {
        auto own = [&](const std::string& s) { return ByTrans(Int(s, "Trans", 0)); };
        // Frame counts are the ones the loader imposes, whatever a Frame key says.
        Image("Progress", "Bitmap", Int("Progress", "Style", 0) != 0 ? 1 : 2, false, Keying::Transparent);
        if (const int f = Int("Progress.Chunk", "Frame", 0); f > 1)
            Image("Progress.Chunk", "Image", f, false, Keying::Transparent);
        else
            Load("Progress.Chunk", "Image");
        Image("GroupBoxEdge", "Image", 2, false, own("GroupBoxEdge"));
        Image("GroupBox", "Image", 1, false, own("GroupBox"));
        Image("StatusBarEdges", "Image", 3, false, Keying::Opaque);
        Image("ToolBars", "Image", 5, false, own("ToolBars"));
        Image("ComboButton", "Image", 4, false, Keying::Transparent);
        Image("SunkEdge", "Image", 4, false, own("SunkEdge"));
        Image("ExtraImages", "Image", 5, false, Keying::Transparent);
        const int header = Int("Headerbar", "Frame", 0);
        Image("Headerbar", "Image", header != 0 ? header : 5, false, Keying::Opaque);
        // The separator (frame 2) is always drawn with magenta left out.
        Image("MenuItem", "Image", 5, false, own("MenuItem"), 2);
        Image("MenuBackground", "Image", 1, false, Keying::Opaque);
        Image("Scrollbar", "Image", 23, false, Keying::Transparent);
        Image("HorzScroll", "Image", 4, false, own("HorzScroll"));
        Image("VertScroll", "Image", 4, false, own("VertScroll"));
        // Both thumbs are painted with the frame count and Trans of the horizontal one.
        const int thumbFrames = Int("HorzScrollThumb", "FrameCount", 3);
        Image("HorzScrollThumb", "Image", thumbFrames, false, own("HorzScrollThumb"));
        if (Has("VertScrollThumb", "Image") && !Has("HorzScrollThumb", "Image"))
            Problem("VertScrollThumb", "Image", "the vertical thumb is painted with the frame count of HorzScrollThumb, which is missing");
        Image("VertScrollThumb", "Image", thumbFrames, false, own("HorzScrollThumb"));
        for (const char* t : {"Trackbar.ThumbHorz", "Trackbar.ThumbVert", "Trackbar.ThumbLeft", "Trackbar.ThumbRight",
                              "Trackbar.ThumbUp", "Trackbar.ThumbDown"})
            Image(t, "Image", 5, false, Keying::Transparent);
        // Grooves are copied in three stretched pieces.
        for (const char* t : {"Track", "TRACKVERT"}) Image(t, "Image", 1, false, Keying::Opaque);
        for (const char* u : {"UpDown.Horz", "UpDown.Vert"}) {
            if (!Has(u, "Image")) continue;
            Image(u, "Image", 8, false, Keying::Transparent);
            Image(u, "GlyphImage", 8, false, Keying::Transparent);
        }
        if (Has("Tabs", "Image")) {
            Image("Tabs", "Image", 5, false, own("Tabs"));
            // The page border is painted opaquely, from Border for Style 0, from Tab.Pane otherwise.
            const bool pane = Int("Tabs", "Style", 0) != 0;
            Image("Tabs", "Border", 1, false, pane ? Keying::Transparent : Keying::Opaque);
            Image("Tab.Pane", "Image", 1, false, pane ? Keying::Opaque : Keying::Transparent);
        } else {
            Image("Tab.Pane", "Image", 1, false, Keying::Transparent);
        }
    }

    const skin::TSkinReader& reader_;
    const skin::TQuickIni& ini_;
    std::vector<std::string>& problems_;
};

}  // namespace

int RunCheck(Context& context) {
    if (context.args.empty()) throw UsageError("needs at least one FILE.skn (see skinpack --help)");
    bool clean = true;
    for (const std::string& file : context.args) {
        skin::TSkinReader reader;
        if (!reader.LoadSkinFile(ReadFile(file))) {
            if (reader.LastResult() == skin::TSkinReader::LoadResult::UnknownTag)
                throw InputError(file + ": unknown format tag " + std::to_string(reader.Tag()));
            throw InputError(file + ": damaged or not a packed skin");
        }
        std::vector<std::string> problems;
        std::vector<std::uint8_t> text;
        std::string iniName;
        reader.ExtractFirstMatching(".ini", text, iniName);
        if (text.empty()) {
            problems.push_back("no description: no member name contains .ini");
        } else {
            skin::TQuickIni ini;
            ini.Load(text);
            Checker(reader, ini, problems).Run();
        }
        for (const std::string& p : problems) context.out << file << ": " << p << '\n';
        clean = clean && problems.empty();
    }
    return clean ? kExitOk : kExitBadInput;
}

}  // namespace skinpack
