#include "Theme.h"

#include <charconv>
#include <stdexcept>

namespace skingen {
namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

bool ParseColor(std::string_view v, Color& out) {
    if (v.size() != 7 || v[0] != '#') return false;
    unsigned rgb = 0;
    auto [end, ec] = std::from_chars(v.data() + 1, v.data() + 7, rgb, 16);
    if (ec != std::errc() || end != v.data() + 7) return false;
    out = raster::Rgb(int(rgb >> 16), int(rgb >> 8), int(rgb));
    return true;
}

bool ParseInt(std::string_view v, int lo, int hi, int& out) {
    int n = 0;
    auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), n);
    if (ec != std::errc() || end != v.data() + v.size() || n < lo || n > hi) return false;
    out = n;
    return true;
}

}  // namespace

bool Theme::Dark() const {
    const Color f = palette.face;
    return raster::RedOf(f) * 299 + raster::GreenOf(f) * 587 + raster::BlueOf(f) * 114 < 128000;
}

Theme ParseTheme(std::string_view text) {
    Theme t;
    Palette& p = t.palette;
    struct ColorKey {
        std::string_view key;
        Color* target;
    } colors[] = {
        {"face", &p.face},
        {"window", &p.window},
        {"text", &p.text},
        {"accent", &p.accent},
        {"accent_text", &p.accentText},
        {"caption", &p.caption},
        {"caption_inactive", &p.captionInactive},
        {"caption_text", &p.captionText},
        {"caption_text_inactive", &p.captionTextInactive},
        {"frame", &p.frame},
        {"frame_inactive", &p.frameInactive},
        {"control", &p.control},
        {"control_border", &p.controlBorder},
        {"danger", &p.danger},
    };
    unsigned seen = 0;
    int lineNo = 0;
    while (!text.empty()) {
        const std::size_t nl = text.find('\n');
        std::string_view line = Trim(text.substr(0, nl));
        text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
        ++lineNo;
        if (line.empty() || line[0] == ';') continue;
        const std::size_t eq = line.find('=');
        auto fail = [&] { throw std::runtime_error("theme line " + std::to_string(lineNo) + ": " + std::string(line)); };
        if (eq == std::string_view::npos) fail();
        const std::string_view key = Trim(line.substr(0, eq)), value = Trim(line.substr(eq + 1));
        bool ok = false;
        if (key == "name") {
            t.skinName = value;
            ok = !value.empty();
        } else if (key == "corner_radius") {
            ok = ParseInt(value, 0, 16, t.cornerRadius);
        } else if (key == "caption_height") {
            ok = ParseInt(value, 20, 48, t.captionHeight);
        } else if (key == "font_height") {
            ok = ParseInt(value, 8, 32, t.fontHeight);
        } else {
            for (std::size_t i = 0; i < std::size(colors); ++i)
                if (key == colors[i].key) {
                    ok = ParseColor(value, *colors[i].target);
                    seen |= 1u << i;
                }
        }
        if (!ok) fail();
    }
    for (std::size_t i = 0; i < std::size(colors); ++i)
        if (!(seen & (1u << i))) throw std::runtime_error("theme lacks " + std::string(colors[i].key));
    if (t.skinName.empty()) throw std::runtime_error("theme lacks a name");
    return t;
}

}  // namespace skingen
