#include "skin/forms/LabelColours.h"

#include <algorithm>
#include <vector>

#include "framework/CoolBars.h"
#include "framework/StdCtrls.h"
#include "skin/core/WinSkinData.h"

namespace skin {

namespace {

struct Recoloured {
    tv::WeakPtr<tv::TCustomLabel> label;
    const TSkinnerHost* host;
    tv::TColor own;   // the colour it had
    tv::TColor ours;  // the colour we gave it
    bool parentFont;  // it took its parent's font (a font change ends that)
};

std::vector<Recoloured>& List() {
    static std::vector<Recoloured> list;
    return list;
}

struct RecolouredBand {
    tv::WeakPtr<tv::TCoolBand> band;
    const TSkinnerHost* host;
    tv::TColor own, ours;
};

std::vector<RecolouredBand>& Bands() {
    static std::vector<RecolouredBand> list;
    return list;
}

bool SystemText(tv::TColor c) { return c == tv::clWindowText || c == tv::clBtnText; }

void Walk(const TSkinnerHost& host, tv::TComponent& container, tv::TColor text) {
    for (int i = 0; i < container.ComponentCount(); ++i) {
        tv::TComponent* c = container.Components(i);
        if (auto* label = dynamic_cast<tv::TCustomLabel*>(c)) {
            auto& list = List();
            auto it = std::find_if(list.begin(), list.end(),
                                   [&](const Recoloured& r) { return r.label.Get() == label && r.host == &host; });
            const tv::TColor now = label->Font().Color();
            if (it != list.end()) {
                // Ours from an earlier skin: the new skin's colour; changed since by the program: theirs.
                if (now == it->ours) label->Font().SetColor(text), it->ours = text;
            } else if (SystemText(now)) {
                list.push_back({tv::WeakPtr<tv::TCustomLabel>(label), &host, now, text, label->ParentFont()});
                label->Font().SetColor(text);
            }
        }
        Walk(host, *c, text);
    }
}

}  // namespace

void RecolourLabels(const TSkinnerHost& host, tv::TComponent& container, const TSkinData& data) {
    Walk(host, container, data.SkinColors.ButtonText);
}

void RecolourBands(const TSkinnerHost& host, tv::TCoolBar& bar, const TSkinData& data) {
    auto& list = Bands();
    const tv::TColor face = data.SkinColors.ButtonFace;
    for (int i = 0; i < bar.BandCount(); ++i) {
        tv::TCoolBand* band = bar.Bands(i);
        auto it = std::find_if(list.begin(), list.end(),
                               [&](const RecolouredBand& r) { return r.band.Get() == band && r.host == &host; });
        if (it == list.end()) list.push_back({tv::WeakPtr<tv::TCoolBand>(band), &host, band->Color(), face});
        else if (band->Color() != it->ours) continue;  // coloured by the program since: theirs
        else it->ours = face;
        band->SetColor(face);
    }
}

void RestoreLabels(const TSkinnerHost& host) {
    auto& bands = Bands();
    for (const RecolouredBand& r : bands)
        if (r.host == &host)
            if (tv::TCoolBand* band = r.band.Get(); band && band->Color() == r.ours) band->SetColor(r.own);
    bands.erase(std::remove_if(bands.begin(), bands.end(),
                               [&](const RecolouredBand& r) { return r.host == &host || !r.band.Get(); }),
                bands.end());
    auto& list = List();
    for (const Recoloured& r : list)
        if (r.host == &host)
            if (tv::TCustomLabel* label = r.label.Get(); label && label->Font().Color() == r.ours) {
                label->Font().SetColor(r.own);
                if (r.parentFont) label->SetParentFont(true);
            }
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](const Recoloured& r) { return r.host == &host || !r.label.Get(); }),
               list.end());
}

}  // namespace skin
