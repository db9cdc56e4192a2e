#include "TestClasses.h"

namespace fwtest {

std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
}

const TEnumInfo& ShadeType() {
    static const TEnumInfo info = TEnumInfo::Sequential("TShade", {"shLight", "shMedium", "shDark"});
    return info;
}

const TEnumInfo& FlagType() {
    static const TEnumInfo info = TEnumInfo::Sequential("TFlag", {"flBold", "flWide", "flTall", "flRound"});
    return info;
}

const TEnumInfo& HueIdents() {
    static const TEnumInfo info{"THue", {{"hueRed", 0xFF}, {"hueSystem", -5}}};
    return info;
}

const TClassInfo& TPen2::StaticClass() {
    static const TClassInfo info = DescribeClass<TPen2>("TPen2")
                                       .Int("Width", &TPen2::Width)
                                       .Str("Label", &TPen2::Label)
                                       .Set("Flags", FlagType(), &TPen2::Flags)
                                       .Done();
    return info;
}

const TClassInfo& TPenList::StaticClass() {
    static const TClassInfo info = DescribeClass<TPenList>("TPenList").Done();
    return info;
}

const TClassInfo& TGadget::StaticClass() {
    static const TClassInfo info = DescribeClass<TGadget>("TGadget")
                                       .Int("Size", &TGadget::Size)
                                       .Default(0)
                                       .Int("Hue", &TGadget::Hue, &TGadget::Hue, &HueIdents())
                                       .Bool("Enabled", &TGadget::Enabled)
                                       .Default(1)
                                       .Enum("Shade", ShadeType(), &TGadget::Shade)
                                       .Set("Flags", FlagType(), &TGadget::Flags)
                                       .Str("Caption", &TGadget::Caption)
                                       .Obj<TPen2>("Pen", &TGadget::GetPen, nullptr)
                                       .Obj<TStringList>("Items", &TGadget::GetItems, nullptr)
                                       .Obj<TPenList>("Pens", &TGadget::GetPens, nullptr)
                                       .Obj<TGadget>("Buddy", &TGadget::Buddy, &TGadget::Buddy)
                                       .Event("OnPoke", &TGadget::OnPoke)
                                       .Event("OnCount", &TGadget::OnCount)
                                       .Done();
    return info;
}

void TGadget::Loaded() {
    TComponent::Loaded();
    seenAtLoaded = Buddy ? Buddy->Name() + "/" + Buddy->Caption : "-";
    Log().push_back("loaded:" + Name());
}

void TGadget::DefineProperties(TFiler& filer) {
    filer.DefineBinaryProperty(
        "Blob",
        [this](TStream& s) {
            std::int32_t n = s.ReadInt32();
            Blob.assign(std::size_t(n > 0 ? n : 0), 0);
            if (n > 0) s.ReadBuffer(Blob.data(), Blob.size());
            blobRead = true;
        },
        [this](TStream& s) {
            s.WriteInt32(std::int32_t(Blob.size()));
            if (!Blob.empty()) s.WriteBuffer(Blob.data(), Blob.size());
        },
        !Blob.empty());
}

void TGadget::Notification(TComponent* c, TOperation op) {
    TComponent::Notification(c, op);
    Log().push_back(std::string(op == TOperation::Insert ? "insert:" : "remove:") + c->Name() + "@" + Name());
    if (op == TOperation::Remove && c == Buddy) Buddy = nullptr;
}

const TClassInfo& TBigGadget::StaticClass() {
    static const TClassInfo info = DescribeClass<TBigGadget>("TBigGadget").Int("Weight", &TBigGadget::Weight).Done();
    return info;
}

const TClassInfo& TTestRoot::StaticClass() {
    static const TClassInfo info = DescribeClass<TTestRoot>("TTestRoot")
                                       .Str("RootCaption", &TTestRoot::caption)
                                       .Handler("GadgetPoke", &TTestRoot::GadgetPoke)
                                       .Handler("GadgetCount", &TTestRoot::GadgetCount)
                                       .Handler("ConstPoke", &TTestRoot::ConstPoke)
                                       .Message(786, &TTestRoot::WMHotkey)
                                       .Field("Gadget1", &TTestRoot::Gadget1)
                                       .Field("Big1", &TTestRoot::Big1)
                                       .Done();
    return info;
}

void TTestRoot::Loaded() {
    TComponent::Loaded();
    Log().push_back("loaded:" + Name());
}

}  // namespace fwtest
