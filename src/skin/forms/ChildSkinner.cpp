#include "skin/forms/ChildSkinner.h"

#include <map>

#include "framework/Controls.h"

namespace skin {

namespace {

std::map<std::string, TChildSkinnerCreator>& Creators() {
    static std::map<std::string, TChildSkinnerCreator> creators;
    return creators;
}

TSkinnerRequestObserver& ObserverSlot() {
    static TSkinnerRequestObserver observer;
    return observer;
}

}  // namespace

const tv::TClassInfo& TChildSkinner::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TChildSkinner>("TChildSkinner").Done();
    return info;
}

void RegisterChildSkinner(const std::string& skinnerClass, TChildSkinnerCreator creator) {
    Creators()[skinnerClass] = std::move(creator);
}

void UnregisterChildSkinners() { Creators().clear(); }

TChildSkinner* CreateChildSkinner(const std::string& skinnerClass, tv::TComponent* owner) {
    const auto it = Creators().find(skinnerClass);
    if (it == Creators().end() || !it->second) return nullptr;
    return it->second(owner);
}

bool HasChildSkinner(const std::string& skinnerClass) { return Creators().count(skinnerClass) != 0; }

void SetSkinnerRequestObserver(TSkinnerRequestObserver observer) { ObserverSlot() = std::move(observer); }

const TSkinnerRequestObserver& SkinnerRequestObserver() { return ObserverSlot(); }

}  // namespace skin
