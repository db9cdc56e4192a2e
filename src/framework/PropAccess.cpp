#include "framework/PropAccess.h"

#include <charconv>

#include "framework/Streaming.h"

namespace tv {
namespace {
const TPropInfo* Find(const TObject* object, std::string_view name) {
    return object ? object->ClassInfo().FindProp(name) : nullptr;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}
}  // namespace

std::int64_t GetIntPropByName(const TObject* object, std::string_view name) {
    const TPropInfo* p = Find(object, name);
    return p && p->kind == TTypeKind::Integer ? p->getOrd(*object) : -1;
}

std::string GetEnumPropByName(const TObject* object, std::string_view name) {
    const TPropInfo* p = Find(object, name);
    return p && p->kind == TTypeKind::Enumeration ? p->type->NameOf(p->getOrd(*object)) : std::string();
}

std::string GetTextPropByName(const TObject* object, std::string_view name) {
    const TPropInfo* p = Find(object, name);
    return p && p->kind == TTypeKind::String ? p->getStr(*object) : std::string();
}

std::uint64_t GetSetPropByName(const TObject* object, std::string_view name) {
    const TPropInfo* p = Find(object, name);
    return p && p->kind == TTypeKind::Set ? std::uint64_t(p->getOrd(*object)) : 0;
}

TObject* GetObjectPropByName(const TObject* object, std::string_view name, std::string_view className) {
    const TPropInfo* p = Find(object, name);
    if (!p || p->kind != TTypeKind::Class) return nullptr;
    TObject* held = p->getObj(*object);
    return held && held->InheritsFrom(className) ? held : nullptr;
}

bool HasProperty(const TObject* object, std::string_view name) { return Find(object, name) != nullptr; }

void SetPropByName(TObject* object, std::string_view name, std::string_view text) {
    const TPropInfo* p = Find(object, name);
    if (!p || !p->Writable()) return;
    TValue value;
    switch (p->kind) {
        case TTypeKind::Integer: {
            std::string_view t = Trim(text);
            std::int64_t v = 0;
            const char* first = t.data();
            if (!t.empty() && t.front() == '+') ++first;
            auto [end, ec] = std::from_chars(first, t.data() + t.size(), v);
            if (ec == std::errc() && end == t.data() + t.size() && !t.empty())
                value = TValue::Int(v);
            else if (p->type && p->type->ValueOf(t, v))
                value = TValue::Int(v);
            else
                return;
            break;
        }
        case TTypeKind::Enumeration: value = TValue::Ident(std::string(Trim(text))); break;
        case TTypeKind::String: value = TValue::Str(std::string(text)); break;
        case TTypeKind::Set: {
            try {
                TObjectNode n = ParseDescription("object X: T\n P = " + std::string(text) + "\nend");
                if (n.props.size() != 1) return;
                value = n.props[0].value;
            } catch (const EReadError&) {
                return;
            }
            break;
        }
        default: return;
    }
    try {
        SetPropertyValue(*object, p->name, value);
    } catch (const EPropertyError&) {
        // a value the property does not take leaves it alone
    }
}

}  // namespace tv
