// Run-time type information of framework classes: every class describes itself
// once (name, parent, published properties, event handlers, message handlers,
// component fields), and the class registry finds creatable classes by name.
// This is all the stored-description reader and the by-name property helpers use.
#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "base/Error.h"

namespace tv {

class TObject;
class TComponent;
struct TClassInfo;

// The one exception base class of the framework.
class Exception : public base::Error {
public:
    using base::Error::Error;
};
class EPropertyError : public Exception {
public:
    using Exception::Exception;
};
class EClassNotFound : public Exception {
public:
    using Exception::Exception;
};

// A window message as the framework hands it around. Same widths as on Win64.
struct TMessage {
    std::uint32_t Msg = 0;
    std::uintptr_t WParam = 0;
    std::intptr_t LParam = 0;
    std::intptr_t Result = 0;
};

enum class TTypeKind { Integer, Enumeration, Set, String, Class, Method };

const char* TypeKindName(TTypeKind kind);

// Identifiers of an enumeration (value of each), or the named values of an
// integer type such as colours and character sets.
struct TEnumInfo {
    std::string name;
    std::vector<std::pair<std::string, std::int64_t>> values;

    // Case-insensitive; false when unknown.
    bool ValueOf(std::string_view ident, std::int64_t& value) const;
    // Empty when the value has no identifier.
    std::string NameOf(std::int64_t value) const;

    // Enumeration whose identifiers take the values 0, 1, 2, ...
    static TEnumInfo Sequential(std::string name, std::vector<std::string> idents);
};

// The boolean type: False = 0, True = 1.
const TEnumInfo& BooleanType();

// An event value: the callable plus the handler name it was bound by (kept so that
// a writer can store the binding again).
template <class Sig>
struct TEvent {
    std::function<Sig> fn;
    std::string name;

    TEvent() = default;
    template <class F, class = std::enable_if_t<!std::is_same_v<std::decay_t<F>, TEvent> &&
                                                std::is_constructible_v<std::function<Sig>, F>>>
    TEvent(F&& f) : fn(std::forward<F>(f)) {}  // NOLINT: events are assigned from lambdas

    explicit operator bool() const { return static_cast<bool>(fn); }
    template <class... A>
    decltype(auto) operator()(A&&... a) const { return fn(std::forward<A>(a)...); }
};

using TNotifyEvent = TEvent<void(TObject* Sender)>;

struct TPropInfo {
    std::string name;
    TTypeKind kind = TTypeKind::Integer;
    const TEnumInfo* type = nullptr;        // Enumeration: its values; Set: its elements; Integer: optional idents
    const TClassInfo& (*classType)() = nullptr;  // Class: the class held (a function: classes may refer to themselves)
    bool stored = true;                     // written by the writer
    std::function<bool(const TObject&)> storedIf;  // when set, written only when it answers true
    bool hasDefault = false;                // the writer leaves out a value equal to the default
    std::int64_t defaultValue = 0;

    std::function<std::int64_t(const TObject&)> getOrd;       // Integer, Enumeration, Set
    std::function<void(TObject&, std::int64_t)> setOrd;
    std::function<std::string(const TObject&)> getStr;        // String
    std::function<void(TObject&, const std::string&)> setStr;
    std::function<TObject*(const TObject&)> getObj;           // Class
    std::function<void(TObject&, TObject*)> setObj;           // Class, when a reference may be assigned
    std::function<std::string(const TObject&)> getMethodName;  // Method: bound handler name, "" when none
    // Method: binds a callable made by a TMethodEntry; false when its signature does not fit.
    std::function<bool(TObject&, const std::any& callable, const std::string& name)> setMethod;
    std::function<void(TObject&)> clearMethod;

    bool Writable() const;
};

// A handler that a stored description may bind by name: makes, for one instance,
// a std::function of the handler's signature (wrapped in std::any).
struct TMethodEntry {
    std::string name;
    std::function<std::any(TObject&)> bind;
};

struct TMessageEntry {
    std::uint32_t msg = 0;
    std::function<void(TObject&, TMessage&)> handler;
};

// A component field of a class (Button1 of a form), set when a component of that name is read.
struct TFieldEntry {
    std::string name;
    // False when the component is not of the field's class.
    std::function<bool(TObject&, TComponent*)> assign;
};

struct TClassInfo {
    std::string name;
    const TClassInfo* parent = nullptr;
    std::function<TComponent*(TComponent* owner)> create;  // null when not creatable by name
    std::vector<TPropInfo> props;
    std::vector<TMethodEntry> methods;
    std::vector<TMessageEntry> messages;
    std::vector<TFieldEntry> fields;

    // Lookups walk up the class chain; names compare case-insensitively.
    const TPropInfo* FindProp(std::string_view propName) const;
    const TMethodEntry* FindMethod(std::string_view methodName) const;
    const TMessageEntry* FindMessage(std::uint32_t msg) const;
    const TFieldEntry* FindField(std::string_view fieldName) const;
    bool InheritsFrom(const TClassInfo& other) const;
    bool InheritsFrom(std::string_view className) const;
    // Every published property, base classes first.
    std::vector<const TPropInfo*> AllProps() const;
};

// Class registry (creatable classes by name, case-insensitive).
void RegisterComponentClass(const TClassInfo& info);
const TClassInfo* FindClass(std::string_view name);
const TClassInfo& GetClass(std::string_view name);  // throws EClassNotFound

bool SameText(std::string_view a, std::string_view b);
std::string LowerCase(std::string_view s);
std::string UpperCase(std::string_view s);

// A set value: bit n is element n.
template <class E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> items) {
        for (E e : items) bits_ |= Bit(e);
    }
    static constexpr TSet FromBits(std::uint64_t bits) {
        TSet s;
        s.bits_ = bits;
        return s;
    }
    constexpr std::uint64_t Bits() const { return bits_; }
    constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
    constexpr TSet& Include(E e) { bits_ |= Bit(e); return *this; }
    constexpr TSet& Exclude(E e) { bits_ &= ~Bit(e); return *this; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr TSet operator+(TSet o) const { return FromBits(bits_ | o.bits_); }
    constexpr TSet operator-(TSet o) const { return FromBits(bits_ & ~o.bits_); }
    constexpr TSet operator*(TSet o) const { return FromBits(bits_ & o.bits_); }
    constexpr bool operator==(const TSet&) const = default;

private:
    static constexpr std::uint64_t Bit(E e) { return std::uint64_t(1) << static_cast<unsigned>(e); }
    std::uint64_t bits_ = 0;
};

namespace detail {
template <class O, class G>
decltype(auto) Get(O&& obj, const G& getter) {
    return std::invoke(getter, std::forward<O>(obj));
}
template <class T, class S, class V>
void Set(T& obj, const S& setter, V&& value) {
    if constexpr (std::is_member_object_pointer_v<S>)
        obj.*setter = std::forward<V>(value);
    else
        std::invoke(setter, obj, std::forward<V>(value));
}
template <class>
struct MemberFnTraits;
template <class C, class R, class... A>
struct MemberFnTraits<R (C::*)(A...)> {
    using Class = C;
    using Sig = R(A...);
};
template <class C, class R, class... A>
struct MemberFnTraits<R (C::*)(A...) const> {
    using Class = const C;
    using Sig = R(A...);
};
template <class T>
constexpr bool IsSet = false;
template <class E>
constexpr bool IsSet<TSet<E>> = true;
}  // namespace detail

// Builds the description of class T; parent is T::inherited unless T is the root.
template <class T>
class TClassBuilder {
public:
    TClassBuilder(std::string name, const TClassInfo* parent) {
        info_.name = std::move(name);
        info_.parent = parent;
        if constexpr (std::is_base_of_v<TComponent, T> && std::is_constructible_v<T, TComponent*> &&
                      !std::is_abstract_v<T>)
            info_.create = [](TComponent* owner) -> TComponent* { return new T(owner); };
    }

    // Integer property; identifiers (colour names...) optional.
    template <class G, class S>
    TClassBuilder& Int(std::string name, G getter, S setter, const TEnumInfo* idents = nullptr) {
        TPropInfo p = Base(std::move(name), TTypeKind::Integer);
        p.type = idents;
        p.getOrd = [getter](const TObject& o) { return std::int64_t(detail::Get(Self(o), getter)); };
        if constexpr (!std::is_same_v<S, std::nullptr_t>)
            p.setOrd = [setter](TObject& o, std::int64_t v) {
                using V = std::remove_cvref_t<decltype(detail::Get(Self(o), std::declval<G>()))>;
                // Values or bit patterns of the property's width only: the rest would be cut silently.
                if constexpr (std::is_integral_v<V> && !std::is_same_v<V, bool> && sizeof(V) < sizeof(std::int64_t)) {
                    if (v < std::int64_t(std::numeric_limits<std::make_signed_t<V>>::min()) ||
                        v > std::int64_t(std::numeric_limits<std::make_unsigned_t<V>>::max()))
                        throw EPropertyError("value " + std::to_string(v) + " out of range");
                }
                detail::Set(Self(o), setter, static_cast<V>(v));
            };
        info_.props.push_back(std::move(p));
        return *this;
    }
    template <class G>
    TClassBuilder& Int(std::string name, G field) { return Int(std::move(name), field, field); }

    // Enumeration property (booleans use BooleanType()).
    template <class G, class S>
    TClassBuilder& Enum(std::string name, const TEnumInfo& type, G getter, S setter) {
        TPropInfo p = Base(std::move(name), TTypeKind::Enumeration);
        p.type = &type;
        p.getOrd = [getter](const TObject& o) { return std::int64_t(detail::Get(Self(o), getter)); };
        if constexpr (!std::is_same_v<S, std::nullptr_t>)
            p.setOrd = [setter](TObject& o, std::int64_t v) {
                using V = std::remove_cvref_t<decltype(detail::Get(Self(o), std::declval<G>()))>;
                detail::Set(Self(o), setter, static_cast<V>(v));
            };
        info_.props.push_back(std::move(p));
        return *this;
    }
    template <class G>
    TClassBuilder& Enum(std::string name, const TEnumInfo& type, G field) { return Enum(std::move(name), type, field, field); }
    template <class G, class S>
    TClassBuilder& Bool(std::string name, G getter, S setter) { return Enum(std::move(name), BooleanType(), getter, setter); }
    template <class G>
    TClassBuilder& Bool(std::string name, G field) { return Bool(std::move(name), field, field); }

    // Set property: the getter returns a TSet<E> or an unsigned bit mask.
    template <class G, class S>
    TClassBuilder& Set(std::string name, const TEnumInfo& elements, G getter, S setter) {
        TPropInfo p = Base(std::move(name), TTypeKind::Set);
        p.type = &elements;
        p.getOrd = [getter](const TObject& o) {
            const auto& v = detail::Get(Self(o), getter);
            if constexpr (detail::IsSet<std::remove_cvref_t<decltype(v)>>)
                return std::int64_t(v.Bits());
            else
                return std::int64_t(v);
        };
        if constexpr (!std::is_same_v<S, std::nullptr_t>)
            p.setOrd = [setter](TObject& o, std::int64_t bits) {
                using V = std::remove_cvref_t<decltype(detail::Get(Self(o), std::declval<G>()))>;
                if constexpr (detail::IsSet<V>)
                    detail::Set(Self(o), setter, V::FromBits(std::uint64_t(bits)));
                else
                    detail::Set(Self(o), setter, static_cast<V>(bits));
            };
        info_.props.push_back(std::move(p));
        return *this;
    }
    template <class G>
    TClassBuilder& Set(std::string name, const TEnumInfo& elements, G field) { return Set(std::move(name), elements, field, field); }

    template <class G, class S>
    TClassBuilder& Str(std::string name, G getter, S setter) {
        TPropInfo p = Base(std::move(name), TTypeKind::String);
        p.getStr = [getter](const TObject& o) { return std::string(detail::Get(Self(o), getter)); };
        if constexpr (!std::is_same_v<S, std::nullptr_t>)
            p.setStr = [setter](TObject& o, const std::string& v) { detail::Set(Self(o), setter, v); };
        info_.props.push_back(std::move(p));
        return *this;
    }
    template <class G>
    TClassBuilder& Str(std::string name, G field) { return Str(std::move(name), field, field); }

    // Object property. Owned sub-objects (Font, Items) pass nullptr as setter: the reader
    // then sets their own properties (Font.Height); references take a setter.
    template <class C, class G, class S>
    TClassBuilder& Obj(std::string name, G getter, S setter) {
        TPropInfo p = Base(std::move(name), TTypeKind::Class);
        p.classType = &C::StaticClass;
        p.getObj = [getter](const TObject& o) -> TObject* {
            // Sub-object getters need not be const.
            auto* v = detail::Get(const_cast<T&>(Self(o)), getter);
            return const_cast<std::remove_const_t<std::remove_pointer_t<std::remove_cvref_t<decltype(v)>>>*>(v);
        };
        if constexpr (!std::is_same_v<S, std::nullptr_t>)
            p.setObj = [setter](TObject& o, TObject* v) {
                C* typed = v ? dynamic_cast<C*>(v) : nullptr;
                if (v && !typed) throw EPropertyError("object is not a " + C::StaticClass().name);
                detail::Set(Self(o), setter, typed);
            };
        info_.props.push_back(std::move(p));
        return *this;
    }

    // Event property over a TEvent<Sig> member.
    template <class Sig>
    TClassBuilder& Event(std::string name, TEvent<Sig> T::*member) {
        TPropInfo p = Base(std::move(name), TTypeKind::Method);
        p.getMethodName = [member](const TObject& o) { return (Self(o).*member).name; };
        p.setMethod = [member](TObject& o, const std::any& callable, const std::string& handler) {
            const auto* fn = std::any_cast<std::function<Sig>>(&callable);
            if (!fn) return false;
            (Self(o).*member).fn = *fn;
            (Self(o).*member).name = handler;
            return true;
        };
        p.clearMethod = [member](TObject& o) { Self(o).*member = TEvent<Sig>{}; };
        info_.props.push_back(std::move(p));
        return *this;
    }

    // Handler that descriptions bind by name (FormCreate, Button1Click).
    template <class M>
    TClassBuilder& Handler(std::string name, M method) {
        using Traits = detail::MemberFnTraits<M>;
        using Sig = typename Traits::Sig;
        using C = typename Traits::Class;
        info_.methods.push_back({std::move(name), [method](TObject& o) -> std::any {
                                     C* self = &static_cast<C&>(Self(o));  // C may be const
                                     return std::function<Sig>([self, method](auto&&... a) {
                                         return (self->*method)(std::forward<decltype(a)>(a)...);
                                     });
                                 }});
        return *this;
    }

    // Message handler: handler(TMessage&) runs for message msg before the default handling.
    template <class M>
    TClassBuilder& Message(std::uint32_t msg, M method) {
        info_.messages.push_back({msg, [method](TObject& o, TMessage& m) { std::invoke(method, Self(o), m); }});
        return *this;
    }

    // Component field bound by name when the description creates a component of that name.
    // Registers the field's class, so that the description can create it.
    template <class C>
    TClassBuilder& Field(std::string name, C* T::*member) {
        RegisterComponentClass(C::StaticClass());
        info_.fields.push_back({std::move(name), [member](TObject& o, TComponent* c) {
                                    C* typed = dynamic_cast<C*>(c);
                                    if (c && !typed) return false;
                                    Self(o).*member = typed;
                                    return true;
                                }});
        return *this;
    }

    // Marks the last property as not written, or gives it a default the writer leaves out.
    TClassBuilder& NotStored() {
        info_.props.back().stored = false;
        return *this;
    }
    template <class P>
    TClassBuilder& StoredIf(P predicate) {
        info_.props.back().storedIf = [predicate](const TObject& o) { return bool(std::invoke(predicate, Self(o))); };
        return *this;
    }
    TClassBuilder& Default(std::int64_t value) {
        info_.props.back().hasDefault = true;
        info_.props.back().defaultValue = value;
        return *this;
    }

    TClassInfo Done() { return std::move(info_); }

private:
    static T& Self(TObject& o) { return static_cast<T&>(o); }
    static const T& Self(const TObject& o) { return static_cast<const T&>(o); }
    static TPropInfo Base(std::string name, TTypeKind kind) {
        TPropInfo p;
        p.name = std::move(name);
        p.kind = kind;
        return p;
    }
    TClassInfo info_;
};

// Starts the description of T below T::inherited.
template <class T>
TClassBuilder<T> DescribeClass(std::string name) {
    return TClassBuilder<T>(std::move(name), &T::inherited::StaticClass());
}

}  // namespace tv

// Inside a class body: declares the class's run-time description. Leaves access public.
#define TV_CLASS(Self, Base)                                          \
public:                                                               \
    using inherited = Base;                                           \
    static const ::tv::TClassInfo& StaticClass();                     \
    const ::tv::TClassInfo& ClassInfo() const override { return Self::StaticClass(); }
