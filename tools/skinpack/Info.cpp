// info: loads a skin into the skin model exactly as the program does and prints what the
// engine understood, as a readable summary or (--json) as one JSON object.
#include <cstdio>
#include <ostream>
#include <sstream>
#include <string>

#include "Skinpack.h"
#include "base/LittleEndian.h"
#include "skin/core/SkinModel.h"

namespace skinpack {
namespace {

bool ValidUtf8(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const int n = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (n < 0 || i + std::size_t(n) >= s.size()) return false;
        for (int k = 1; k <= n; ++k)
            if ((static_cast<unsigned char>(s[i + std::size_t(k)]) >> 6) != 2) return false;
        i += std::size_t(n) + 1;
    }
    return true;
}

// Skin texts are bytes: valid UTF-8 goes out as it is, anything else byte by byte.
std::string Quote(const std::string& s) {
    const bool utf8 = ValidUtf8(s);
    std::string out = "\"";
    for (char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20 || (c >= 0x80 && !utf8)) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

std::string Size(const raster::Bitmap& b) {
    return "[" + std::to_string(b.Empty() ? 0 : b.Width()) + ", " + std::to_string(b.Empty() ? 0 : b.Height()) + "]";
}

// The element's fields by name, base class first; values already in JSON.
std::vector<std::pair<std::string, std::string>> Fields(const skin::TDataSkinObject& e) {
    auto num = [](std::int64_t v) { return std::to_string(v); };
    std::vector<std::pair<std::string, std::string>> f = {
        {"Name", Quote(e.Name)},
        {"Frame", num(e.Frame)},
        {"Style", num(e.Style)},
        {"LeftWidth", num(e.LeftWidth)},
        {"TopHeight", num(e.TopHeight)},
        {"RightWidth", num(e.RightWidth)},
        {"BottomHeight", num(e.BottomHeight)},
        {"Trans", num(e.Trans)},
        {"Tile", num(e.Tile)},
        {"NormalColour", num(e.NormalColour)},
        {"MouseOverColour", num(e.MouseOverColour)},
        {"PressedColour", num(e.PressedColour)},
        {"NormalColour2", num(e.NormalColour2)},
        {"MouseOverColour2", num(e.MouseOverColour2)},
        {"PressedColour2", num(e.PressedColour2)},
        {"Bitmap", Size(e.Bitmap)},
    };
    auto add = [&f](const char* name, std::string value) { f.emplace_back(name, std::move(value)); };
    if (const auto* b = dynamic_cast<const skin::TDataSkinBorder*>(&e)) add("Bitmap2", Size(b->Bitmap2));
    if (const auto* t = dynamic_cast<const skin::TDataSkinTitle*>(&e)) {
        add("TextAlignment", num(t->TextAlignment));
        add("Textbackground", num(t->Textbackground));
        add("FontHeight", num(t->FontHeight));
        add("TXTBackleft", num(t->TXTBackleft));
        add("TXTBackRight", num(t->TXTBackRight));
        add("ActiveText", num(t->ActiveText));
        add("InActiveText", num(t->InActiveText));
    }
    if (const auto* b = dynamic_cast<const skin::TDataSkinButton*>(&e)) {
        add("CheckBitmap", Size(b->CheckBitmap));
        add("RadioBitmap", Size(b->RadioBitmap));
        add("RadioFrames", num(b->RadioFrames));
        add("CheckFrames", num(b->CheckFrames));
        add("HasNormalColour2", b->HasNormalColour2 ? "true" : "false");
        add("HasMouseOverColour2", b->HasMouseOverColour2 ? "true" : "false");
        add("HasPressedColour2", b->HasPressedColour2 ? "true" : "false");
    }
    if (const auto* b = dynamic_cast<const skin::TDataSkinSysButton*>(&e)) {
        add("Action", num(b->Action));
        add("Align", num(b->Align));
        add("Xcoord", num(b->Xcoord));
        add("Ycoord", num(b->Ycoord));
        add("CombineOp", num(b->CombineOp));
        add("Visibility", num(b->Visibility));
        add("Visibility1", num(b->Visibility1));
    }
    if (const auto* b = dynamic_cast<const skin::TDataSkinBoxLabel*>(&e)) {
        add("BackgroundLeftShift", num(b->BackgroundLeftShift));
        add("BackgroundRightShift", num(b->BackgroundRightShift));
        add("BackgroundAlignment", num(b->BackgroundAlignment));
    }
    return f;
}

std::string ElementJson(const skin::TDataSkinObject& e) {
    std::string s = "{";
    bool first = true;
    for (const auto& [name, value] : Fields(e)) {
        s += (first ? "" : ", ") + Quote(name) + ": " + value;
        first = false;
    }
    return s + "}";
}

void PrintJson(const skin::TSkinModel& m, std::ostream& out) {
    out << "{\n  \"SkinName\": " << Quote(m.SkinName) << ",\n  \"Colors\": {";
    bool first = true;
    for (const auto& [key, member] : skin::TSkinColors::Keys()) {
        out << (first ? "" : ", ") << Quote(key) << ": " << m.SkinColors.*member;
        first = false;
    }
    out << "},\n  \"SectionColors\": [";
    for (std::size_t i = 0; i < m.SectionColors.size(); ++i) out << (i ? ", " : "") << m.SectionColors[i];
    out << "],\n  \"CustomColors\": [";
    for (int i = 0; i < 10; ++i) out << (i ? ", " : "") << m.CustomColors[i];
    out << "],\n  \"FrameColor\": " << m.FrameColor << ",\n  \"SysButtons\": [";
    for (std::size_t i = 0; i < m.SysButtons.size(); ++i)
        out << (i ? "," : "") << "\n    " << ElementJson(*m.SysButtons[i]);
    out << "\n  ],\n  \"Elements\": {";
    first = true;
    for (const auto& [name, element] : m.Elements()) {
        out << (first ? "" : ",") << "\n    " << Quote(name) << ": " << (element ? ElementJson(*element) : "null");
        first = false;
    }
    out << "\n  }\n}\n";
}

std::string Hex(skin::TColor c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%08X", static_cast<unsigned>(c));
    return buf;
}

std::string Describe(const skin::TDataSkinObject& e) {
    std::ostringstream s;
    s << "image " << (e.Bitmap.Empty() ? 0 : e.Bitmap.Width()) << "x" << (e.Bitmap.Empty() ? 0 : e.Bitmap.Height())
      << ", " << e.Frame << " frame(s), margins " << e.LeftWidth << " " << e.TopHeight << " " << e.RightWidth << " "
      << e.BottomHeight << ", trans " << e.Trans << ", tile " << e.Tile << ", style " << e.Style;
    return s.str();
}

void PrintSummary(const skin::TSkinModel& m, std::ostream& out) {
    out << "Skin: " << m.SkinName << "\n\nColours:\n";
    for (const auto& [key, member] : skin::TSkinColors::Keys()) out << "  " << key << " = " << Hex(m.SkinColors.*member) << '\n';
    out << "  section colours:";
    for (skin::TColor c : m.SectionColors) out << ' ' << Hex(c);
    out << "\n  custom colours:";
    for (skin::TColor c : m.CustomColors) out << ' ' << Hex(c);
    out << "\n  frame colour: " << Hex(m.FrameColor) << "\n\nCaption buttons (" << m.SysButtons.size() << "):\n";
    for (const auto& b : m.SysButtons)
        out << "  " << b->Name << ": action " << b->Action << ", align " << b->Align << ", at " << b->Xcoord << ","
            << b->Ycoord << ", visibility " << b->Visibility << "/" << b->Visibility1 << ", " << Describe(*b) << '\n';
    out << "\nElements:\n";
    int missing = 0;
    for (const auto& [name, element] : m.Elements()) {
        if (element)
            out << "  " << name << ": " << Describe(*element) << '\n';
        else
            ++missing;
    }
    if (missing) {
        out << "  not in this skin:";
        for (const auto& [name, element] : m.Elements())
            if (!element) out << ' ' << name;
        out << '\n';
    }
}

}  // namespace

int RunInfo(Context& context) {
    bool json = false;
    std::vector<std::string> positional;
    for (const auto& a : context.args) {
        if (a == "--json")
            json = true;
        else
            positional.push_back(a);
    }
    if (positional.size() != 1) throw UsageError("wrong number of arguments (see skinpack --help)");
    const std::string& file = positional[0];
    const std::vector<std::uint8_t> bytes = ReadFile(file);

    skin::TSkinModel model(nullptr);
    // The container holds the packed skin without its stored length; a file may carry it.
    auto load = [&](std::size_t skip) {
        model.SkinStream.Clear();
        model.SkinStream.LoadFromBytes(bytes.data() + skip, bytes.size() - skip);
        try {
            return model.LoadSkin();
        } catch (const skin::ESkinLoadError& e) {
            throw InputError(file + ": " + e.what());
        }
    };
    const bool stored = bytes.size() >= 8 && std::int64_t(*base::le::U32At(bytes, 0)) == std::int64_t(bytes.size()) - 4;
    if (!(stored && load(4)) && !load(0)) throw InputError(file + ": damaged, unknown format or not a packed skin");
    if (json)
        PrintJson(model, context.out);
    else
        PrintSummary(model, context.out);
    return kExitOk;
}

}  // namespace skinpack
