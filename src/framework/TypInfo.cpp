#include "framework/TypInfo.h"

#include <map>

#include "base/Ascii.h"

namespace tv {

const char* TypeKindName(TTypeKind kind) {
    switch (kind) {
        case TTypeKind::Integer: return "integer";
        case TTypeKind::Enumeration: return "enumeration";
        case TTypeKind::Set: return "set";
        case TTypeKind::String: return "string";
        case TTypeKind::Class: return "class";
        case TTypeKind::Method: return "method";
    }
    return "?";
}

bool SameText(std::string_view a, std::string_view b) { return base::EqualsIgnoreCase(a, b); }

std::string LowerCase(std::string_view s) { return base::AsciiLower(s); }

std::string UpperCase(std::string_view s) { return base::AsciiUpper(s); }

bool TEnumInfo::ValueOf(std::string_view ident, std::int64_t& value) const {
    for (const auto& [n, v] : values)
        if (SameText(n, ident)) {
            value = v;
            return true;
        }
    return false;
}

std::string TEnumInfo::NameOf(std::int64_t value) const {
    for (const auto& [n, v] : values)
        if (v == value) return n;
    return {};
}

TEnumInfo TEnumInfo::Sequential(std::string name, std::vector<std::string> idents) {
    TEnumInfo info;
    info.name = std::move(name);
    std::int64_t v = 0;
    for (auto& id : idents) info.values.emplace_back(std::move(id), v++);
    return info;
}

const TEnumInfo& BooleanType() {
    static const TEnumInfo info = TEnumInfo::Sequential("Boolean", {"False", "True"});
    return info;
}

bool TPropInfo::Writable() const {
    switch (kind) {
        case TTypeKind::Integer:
        case TTypeKind::Enumeration:
        case TTypeKind::Set: return static_cast<bool>(setOrd);
        case TTypeKind::String: return static_cast<bool>(setStr);
        case TTypeKind::Class: return static_cast<bool>(setObj);
        case TTypeKind::Method: return static_cast<bool>(setMethod);
    }
    return false;
}

const TPropInfo* TClassInfo::FindProp(std::string_view propName) const {
    for (const TClassInfo* c = this; c; c = c->parent)
        for (const auto& p : c->props)
            if (SameText(p.name, propName)) return &p;
    return nullptr;
}

const TMethodEntry* TClassInfo::FindMethod(std::string_view methodName) const {
    for (const TClassInfo* c = this; c; c = c->parent)
        for (const auto& m : c->methods)
            if (SameText(m.name, methodName)) return &m;
    return nullptr;
}

const TMessageEntry* TClassInfo::FindMessage(std::uint32_t msg) const {
    for (const TClassInfo* c = this; c; c = c->parent)
        for (const auto& m : c->messages)
            if (m.msg == msg) return &m;
    return nullptr;
}

const TFieldEntry* TClassInfo::FindField(std::string_view fieldName) const {
    for (const TClassInfo* c = this; c; c = c->parent)
        for (const auto& f : c->fields)
            if (SameText(f.name, fieldName)) return &f;
    return nullptr;
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
    for (const TClassInfo* c = this; c; c = c->parent)
        if (c == &other) return true;
    return false;
}

bool TClassInfo::InheritsFrom(std::string_view className) const {
    for (const TClassInfo* c = this; c; c = c->parent)
        if (SameText(c->name, className)) return true;
    return false;
}

std::vector<const TPropInfo*> TClassInfo::AllProps() const {
    std::vector<const TClassInfo*> chain;
    for (const TClassInfo* c = this; c; c = c->parent) chain.push_back(c);
    std::vector<const TPropInfo*> out;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        for (const auto& p : (*it)->props) {
            // A redeclared property replaces the inherited one at its place.
            bool replaced = false;
            for (auto& q : out)
                if (SameText(q->name, p.name)) {
                    q = &p;
                    replaced = true;
                }
            if (!replaced) out.push_back(&p);
        }
    return out;
}

namespace {
struct LessText {
    bool operator()(const std::string& a, const std::string& b) const { return base::LessIgnoreCase(a, b); }
};
// Never freed: classes are looked up until the very end of the process.
std::map<std::string, const TClassInfo*, LessText>& Registry() {
    static auto* registry = new std::map<std::string, const TClassInfo*, LessText>;
    return *registry;
}
}  // namespace

void RegisterComponentClass(const TClassInfo& info) {
    auto [it, inserted] = Registry().emplace(info.name, &info);
    if (!inserted && it->second != &info)
        throw EClassNotFound("A class named " + info.name + " is already registered");
}

const TClassInfo* FindClass(std::string_view name) {
    auto it = Registry().find(std::string(name));
    return it == Registry().end() ? nullptr : it->second;
}

const TClassInfo& GetClass(std::string_view name) {
    if (const TClassInfo* c = FindClass(name)) return *c;
    throw EClassNotFound("Class " + std::string(name) + " not found");
}

}  // namespace tv
