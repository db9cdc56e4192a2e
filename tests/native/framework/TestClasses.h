// Small classes that exercise every property kind, owned sub-objects, defined
// binary properties, handlers and fields, as real framework classes do.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/Strings.h"
#include "framework/Streaming.h"

namespace fwtest {

using namespace tv;

// What happened, in order: "delete:Name", "loaded:Name", ...
std::vector<std::string>& Log();

enum class TShade { shLight, shMedium, shDark };
enum class TFlag { flBold, flWide, flTall, flRound };
using TFlags = TSet<TFlag>;

const TEnumInfo& ShadeType();
const TEnumInfo& FlagType();
const TEnumInfo& HueIdents();  // named integer values (hueRed = 0xFF, hueSystem = -5)

class TPen2 : public TPersistent {
    TV_CLASS(TPen2, TPersistent)
    int Width = 1;
    std::string Label;
    TFlags Flags;
};

// Pens kept as a stored collection.
class TPenList : public TCollection {
    TV_CLASS(TPenList, TCollection)
    std::vector<std::unique_ptr<TPen2>> pens;
    int ItemCount() const override { return int(pens.size()); }
    TPersistent& ItemAt(int index) const override { return *pens.at(std::size_t(index)); }
    TPersistent& AddItem() override { return *pens.emplace_back(std::make_unique<TPen2>()); }
    void ClearItems() override { pens.clear(); }
};

class TGadget : public TComponent {
    TV_CLASS(TGadget, TComponent)
    explicit TGadget(TComponent* owner) : TComponent(owner) { Items.Add("default"); }
    ~TGadget() override { Log().push_back("delete:" + Name()); }

    int Size = 0;
    int Hue = 0;
    bool Enabled = true;
    TShade Shade = TShade::shLight;
    TFlags Flags;
    std::string Caption;
    TPen2 Pen;
    TStringList Items;
    TPenList Pens;
    TGadget* Buddy = nullptr;
    TNotifyEvent OnPoke;
    TEvent<void(TObject*, int&)> OnCount;
    std::vector<std::uint8_t> Blob;
    bool blobRead = false;
    // What Loaded saw of the whole description.
    std::string seenAtLoaded;

    TPen2* GetPen() { return &Pen; }
    TStringList* GetItems() { return &Items; }
    TPenList* GetPens() { return &Pens; }

    void Loaded() override;
    void DefineProperties(TFiler& filer) override;
    void Notification(TComponent* c, TOperation op) override;
};

// A gadget with one more property and a redeclared one.
class TBigGadget : public TGadget {
    TV_CLASS(TBigGadget, TGadget)
    using TGadget::TGadget;
    int Weight = 0;
};

// A root with handlers and fields, like an application's form.
class TTestRoot : public TComponent {
    TV_CLASS(TTestRoot, TComponent)
    explicit TTestRoot(TComponent* owner) : TComponent(owner) {}
    ~TTestRoot() override { Log().push_back("delete:" + Name()); }

    TGadget* Gadget1 = nullptr;
    TBigGadget* Big1 = nullptr;
    int pokes = 0;
    TObject* lastSender = nullptr;
    std::string caption;
    void GadgetPoke(TObject* sender) {
        ++pokes;
        lastSender = sender;
    }
    void GadgetCount(TObject*, int& n) { n += 10; }
    mutable int constPokes = 0;
    void ConstPoke(TObject*) const { ++constPokes; }
    std::vector<std::uint32_t> handled, defaulted;
    void WMHotkey(TMessage& m) {
        handled.push_back(m.Msg);
        m.Result = 7;
    }
    void DefaultHandler(TMessage& m) override { defaulted.push_back(m.Msg); }
    void Loaded() override;
};

}  // namespace fwtest
