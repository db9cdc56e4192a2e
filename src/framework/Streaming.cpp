#include "framework/Streaming.h"

#include <algorithm>
#include <limits>
#include <sstream>

#include "base/Text.h"

namespace tv {

EReadError::EReadError(int line, const std::string& problem)
    : Exception("Line " + std::to_string(line) + ": " + problem), line_(line), problem_(problem) {}

TValue TValue::Int(std::int64_t v) {
    TValue x;
    x.kind = Kind::Integer;
    x.integer = v;
    return x;
}
TValue TValue::Str(std::string s) {
    TValue x;
    x.kind = Kind::String;
    x.text = std::move(s);
    return x;
}
TValue TValue::Ident(std::string s) {
    TValue x;
    x.kind = Kind::Ident;
    x.text = std::move(s);
    return x;
}

namespace {

constexpr int kMaxDepth = 64;

bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }
int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

class Parser {
public:
    explicit Parser(std::string_view text) : s_(text) {}

    TObjectNode ParseRoot() {
        SkipSpace();
        TObjectNode node = ParseObject(0);
        SkipSpace();
        if (!AtEnd()) Fail("unexpected text after the final 'end'");
        return node;
    }

private:
    [[noreturn]] void Fail(const std::string& problem) const { throw EReadError(line_, problem); }
    bool AtEnd() const { return pos_ >= s_.size(); }
    char Peek(std::size_t ahead = 0) const { return pos_ + ahead < s_.size() ? s_[pos_ + ahead] : '\0'; }

    void SkipSpace() {
        while (!AtEnd()) {
            char c = s_[pos_];
            if (c == '\n') {
                ++line_;
                ++pos_;
            } else if (c == '\r') {
                ++line_;
                ++pos_;
                if (Peek() == '\n') ++pos_;
            } else if (c == ' ' || c == '\t' || c == '\f' || c == '\v') {
                ++pos_;
            } else if (c == '\xEF' && Peek(1) == '\xBB' && Peek(2) == '\xBF' && pos_ == 0) {
                pos_ += 3;  // byte order mark
            } else {
                break;
            }
        }
    }

    std::string Ident(const char* what) {
        if (!IsIdentStart(Peek())) Fail(std::string("expected ") + what);
        std::size_t start = pos_;
        while (IsIdentChar(Peek())) ++pos_;
        return std::string(s_.substr(start, pos_ - start));
    }

    std::string DottedIdent(const char* what) {
        std::string out = Ident(what);
        while (Peek() == '.') {
            ++pos_;
            out += '.';
            out += Ident(what);
        }
        return out;
    }

    bool NextWordIs(std::string_view word) const {
        if (pos_ + word.size() > s_.size()) return false;
        if (!SameText(s_.substr(pos_, word.size()), word)) return false;
        return !IsIdentChar(Peek(word.size()));
    }

    TObjectNode ParseObject(int depth) {
        if (depth > kMaxDepth) Fail("objects nested too deeply");
        TObjectNode node;
        node.line = line_;
        if (NextWordIs("inherited") || NextWordIs("inline"))
            Fail("only 'object' descriptions are supported");
        if (!NextWordIs("object")) Fail("expected 'object'");
        pos_ += 6;
        SkipInline();
        std::string first = Ident("an object name");
        SkipInline();
        if (Peek() == ':') {
            ++pos_;
            SkipInline();
            node.name = first;
            node.className = Ident("a class name after ':'");
        } else {
            node.className = first;
        }
        for (;;) {
            SkipSpace();
            if (AtEnd()) Fail("missing 'end' of object " + (node.name.empty() ? node.className : node.name));
            if (NextWordIs("end")) {
                pos_ += 3;
                return node;
            }
            if (NextWordIs("object") || NextWordIs("inherited") || NextWordIs("inline")) {
                node.children.push_back(ParseObject(depth + 1));
                continue;
            }
            node.props.push_back(ParseProperty(depth, "a property name, 'object' or 'end'"));
        }
    }

    // An item's properties up to its 'end'.
    std::vector<TPropertyNode> ParseProps(int depth, const char* what, const char* expected) {
        if (depth > kMaxDepth) Fail("values nested too deeply");
        std::vector<TPropertyNode> props;
        for (;;) {
            SkipSpace();
            if (AtEnd()) Fail(std::string("missing 'end' of ") + what);
            if (NextWordIs("end")) {
                pos_ += 3;
                return props;
            }
            props.push_back(ParseProperty(depth, expected));
        }
    }

    TPropertyNode ParseProperty(int depth, const char* expected) {
        TPropertyNode prop;
        prop.line = line_;
        prop.name = DottedIdent(expected);
        SkipInline();
        if (Peek() != '=') Fail("expected '=' after " + prop.name);
        ++pos_;
        SkipSpace();
        prop.value = ParseValue(depth + 1);
        return prop;
    }

    void SkipInline() {
        while (Peek() == ' ' || Peek() == '\t') ++pos_;
    }

    TValue ParseValue(int depth) {
        if (depth > kMaxDepth) Fail("values nested too deeply");
        TValue v;
        v.line = line_;
        char c = Peek();
        if (AtEnd()) Fail("missing value at the end of the text");
        if (c == '\'' || c == '#') {
            v.kind = TValue::Kind::String;
            v.text = ParseString();
        } else if (c == '-' || c == '+' || c == '$' || (c >= '0' && c <= '9')) {
            v.kind = TValue::Kind::Integer;
            v.integer = ParseInteger();
        } else if (c == '[') {
            v.kind = TValue::Kind::Set;
            ParseSet(v);
        } else if (c == '(') {
            v.kind = TValue::Kind::List;
            ++pos_;
            for (;;) {
                SkipSpace();
                if (AtEnd()) Fail("missing ')' at the end of a list");
                if (Peek() == ')') {
                    ++pos_;
                    break;
                }
                v.list.push_back(ParseValue(depth + 1));
            }
        } else if (c == '{') {
            v.kind = TValue::Kind::Binary;
            ParseBinary(v);
        } else if (c == '<') {
            v.kind = TValue::Kind::Collection;
            ++pos_;
            for (;;) {
                SkipSpace();
                if (AtEnd()) Fail("missing '>' at the end of a collection");
                if (Peek() == '>') {
                    ++pos_;
                    break;
                }
                if (!NextWordIs("item")) Fail("expected 'item' or '>' in a collection");
                pos_ += 4;
                v.items.push_back(ParseProps(depth + 1, "item", "a property name or 'end'"));
            }
        } else if (IsIdentStart(c)) {
            v.kind = TValue::Kind::Ident;
            v.text = DottedIdent("a value");
        } else {
            Fail(std::string("unexpected character '") + c + "' where a value was expected");
        }
        return v;
    }

    std::string ParseString() {
        std::string out;
        std::uint32_t high = 0;  // pending high surrogate of a #nnn pair
        auto flushHigh = [&] {
            if (high) text::AppendUtf8(out, 0xFFFD);
            high = 0;
        };
        for (;;) {
            char c = Peek();
            if (c == '\'') {
                flushHigh();
                ++pos_;
                for (;;) {
                    if (AtEnd() || Peek() == '\r' || Peek() == '\n') Fail("unterminated string");
                    if (Peek() == '\'') {
                        if (Peek(1) == '\'') {
                            out.push_back('\'');
                            pos_ += 2;
                            continue;
                        }
                        ++pos_;
                        break;
                    }
                    // Descriptions are UTF-8: a damaged sequence becomes U+FFFD, as in every text conversion.
                    char32_t cp = 0;
                    std::size_t n = text::Utf8SequenceAt(s_, pos_, cp);
                    if (n == 0) {
                        text::AppendUtf8(out, 0xFFFD);
                        ++pos_;
                    } else {
                        out.append(s_.substr(pos_, n));
                        pos_ += n;
                    }
                }
            } else if (c == '#') {
                ++pos_;
                std::uint32_t code = 0;
                bool any = false;
                if (Peek() == '$') {
                    ++pos_;
                    while (HexDigit(Peek()) >= 0) {
                        code = code * 16 + std::uint32_t(HexDigit(s_[pos_++]));
                        any = true;
                        if (code > 0x10FFFF) Fail("character code out of range");
                    }
                } else {
                    while (Peek() >= '0' && Peek() <= '9') {
                        code = code * 10 + std::uint32_t(s_[pos_++] - '0');
                        any = true;
                        if (code > 0x10FFFF) Fail("character code out of range");
                    }
                }
                if (!any) Fail("expected a number after '#'");
                if (code >= 0xD800 && code <= 0xDBFF) {
                    flushHigh();
                    high = code;
                } else if (code >= 0xDC00 && code <= 0xDFFF) {
                    if (high) {
                        text::AppendUtf8(out, 0x10000 + ((high - 0xD800) << 10) + (code - 0xDC00));
                        high = 0;
                    } else {
                        text::AppendUtf8(out, 0xFFFD);
                    }
                } else {
                    flushHigh();
                    text::AppendUtf8(out, code);
                }
            } else {
                // "+" joins pieces across lines.
                std::size_t savePos = pos_;
                int saveLine = line_;
                SkipSpace();
                if (Peek() == '+') {
                    ++pos_;
                    SkipSpace();
                    if (Peek() != '\'' && Peek() != '#') Fail("expected a string after '+'");
                    continue;
                }
                pos_ = savePos;
                line_ = saveLine;
                break;
            }
        }
        flushHigh();
        return out;
    }

    std::int64_t ParseInteger() {
        bool negative = false;
        if (Peek() == '-' || Peek() == '+') {
            negative = Peek() == '-';
            ++pos_;
        }
        std::uint64_t v = 0;
        const std::uint64_t limit = negative ? std::uint64_t(std::numeric_limits<std::int64_t>::max()) + 1
                                             : std::uint64_t(std::numeric_limits<std::int64_t>::max());
        bool any = false;
        if (Peek() == '$') {
            ++pos_;
            while (HexDigit(Peek()) >= 0) {
                if (v > (std::numeric_limits<std::uint64_t>::max() >> 4)) Fail("number out of range");
                v = v * 16 + std::uint64_t(HexDigit(s_[pos_++]));
                any = true;
            }
            // Hexadecimal values carry bit patterns: $FFFFFFFF is -1 in 32 bits.
            if (any && !negative) {
                if (IsIdentChar(Peek())) Fail("malformed number");
                return std::int64_t(v);
            }
        } else {
            while (Peek() >= '0' && Peek() <= '9') {
                std::uint64_t d = std::uint64_t(s_[pos_++] - '0');
                if (v > (limit - d) / 10) Fail("number out of range");
                v = v * 10 + d;
                any = true;
            }
        }
        if (!any) Fail("malformed number");
        if (Peek() == '.' || Peek() == 'e' || Peek() == 'E') Fail("floating-point values are not supported");
        if (IsIdentChar(Peek())) Fail("malformed number");
        if (v > limit) Fail("number out of range");
        if (negative) return v == limit ? std::numeric_limits<std::int64_t>::min() : -std::int64_t(v);
        return std::int64_t(v);
    }

    void ParseSet(TValue& v) {
        ++pos_;
        SkipSpace();
        if (Peek() == ']') {
            ++pos_;
            return;
        }
        for (;;) {
            SkipSpace();
            v.set.push_back(Ident("a set element"));
            SkipSpace();
            if (Peek() == ',') {
                ++pos_;
                continue;
            }
            if (Peek() == ']') {
                ++pos_;
                return;
            }
            Fail("expected ',' or ']' in a set");
        }
    }

    void ParseBinary(TValue& v) {
        ++pos_;
        int pending = -1;
        for (;;) {
            SkipSpace();
            if (AtEnd()) Fail("missing '}' at the end of binary data");
            char c = s_[pos_];
            if (c == '}') {
                ++pos_;
                break;
            }
            int d = HexDigit(c);
            if (d < 0) Fail(std::string("invalid character '") + c + "' in binary data");
            ++pos_;
            if (pending < 0) {
                pending = d;
            } else {
                v.binary.push_back(std::uint8_t(pending * 16 + d));
                pending = -1;
            }
        }
        if (pending >= 0) Fail("odd number of hexadecimal digits in binary data");
    }

    std::string_view s_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

// ---- formatting ----

void FormatString(std::ostringstream& out, const std::string& s) {
    if (s.empty()) {
        out << "''";
        return;
    }
    bool quoted = false;
    std::size_t i = 0;
    while (i < s.size()) {
        std::uint8_t c = std::uint8_t(s[i]);
        char32_t cp = 0;
        std::size_t n = c >= 32 && c != 127 ? text::Utf8SequenceAt(s, i, cp) : 0;
        if (n > 0) {
            if (!quoted) out << '\'';
            quoted = true;
            if (c == '\'') out << '\'';
            out.write(s.data() + i, std::streamsize(n));
            i += n;
        } else {
            if (quoted) out << '\'';
            quoted = false;
            out << '#' << int(c);  // control characters; stray bytes keep their value
            ++i;
        }
    }
    if (quoted) out << '\'';
}

void FormatValue(std::ostringstream& out, const TValue& v, int indent) {
    std::string pad(std::size_t(indent) * 2, ' ');
    switch (v.kind) {
        case TValue::Kind::Integer: out << v.integer; break;
        case TValue::Kind::String: FormatString(out, v.text); break;
        case TValue::Kind::Ident: out << v.text; break;
        case TValue::Kind::Set:
            out << '[';
            for (std::size_t i = 0; i < v.set.size(); ++i) out << (i ? ", " : "") << v.set[i];
            out << ']';
            break;
        case TValue::Kind::List:
            out << '(';
            for (const auto& item : v.list) {
                out << '\n' << pad << "  ";
                FormatValue(out, item, indent + 1);
            }
            out << ')';
            break;
        case TValue::Kind::Binary: {
            static const char* hex = "0123456789ABCDEF";
            out << '{';
            for (std::size_t i = 0; i < v.binary.size(); ++i) {
                if (i % 32 == 0) out << '\n' << pad << "  ";
                out << hex[v.binary[i] >> 4] << hex[v.binary[i] & 15];
            }
            out << '}';
            break;
        }
        case TValue::Kind::Collection:
            out << '<';
            for (const auto& item : v.items) {
                out << '\n' << pad << "  item";
                for (const auto& p : item) {
                    out << '\n' << pad << "    " << p.name << " = ";
                    FormatValue(out, p.value, indent + 2);
                }
                out << '\n' << pad << "  end";
            }
            out << '>';
            break;
    }
}

void FormatObject(std::ostringstream& out, const TObjectNode& node, int indent) {
    std::string pad(std::size_t(indent) * 2, ' ');
    out << pad << "object ";
    if (!node.name.empty()) out << node.name << ": ";
    out << node.className << '\n';
    for (const auto& p : node.props) {
        out << pad << "  " << p.name << " = ";
        FormatValue(out, p.value, indent + 1);
        out << '\n';
    }
    for (const auto& child : node.children) FormatObject(out, child, indent + 1);
    out << pad << "end\n";
}

// ---- applying values ----

struct ReadContext {
    TComponent* root = nullptr;
    std::vector<TComponent*> existing;  // made by the root's constructor
    std::vector<TComponent*> loaded;
    struct Fixup {
        TObject* object;
        const TPropInfo* prop;
        std::string ident;
        int line;
    };
    std::vector<Fixup> fixups;
};

// Collects the one defined property of an object that a reader looks for.
class FindingFiler : public TFiler {
public:
    explicit FindingFiler(std::string_view name) : name_(name) {}
    void DefineProperty(const std::string& name, ReadProc read, WriteProc, bool) override {
        if (SameText(name, name_)) read_ = std::move(read);
    }
    void DefineBinaryProperty(const std::string& name, StreamProc read, StreamProc, bool) override {
        if (SameText(name, name_)) readBinary_ = std::move(read);
    }
    ReadProc read_;
    StreamProc readBinary_;

private:
    std::string_view name_;
};

const char* ValueKindName(TValue::Kind kind) {
    switch (kind) {
        case TValue::Kind::Integer: return "an integer";
        case TValue::Kind::String: return "a string";
        case TValue::Kind::Ident: return "an identifier";
        case TValue::Kind::Set: return "a set";
        case TValue::Kind::List: return "a list";
        case TValue::Kind::Binary: return "binary data";
        case TValue::Kind::Collection: return "a collection";
    }
    return "?";
}

void ApplyValue(ReadContext* ctx, TObject& target, std::string_view path, const TValue& value, int line) {
    TObject* object = &target;
    std::string_view rest = path;
    std::size_t dot;
    while ((dot = rest.find('.')) != std::string_view::npos) {
        std::string_view part = rest.substr(0, dot);
        const TPropInfo* p = object->ClassInfo().FindProp(part);
        if (!p) throw EReadError(line, "Property " + std::string(part) + " does not exist in " + object->ClassName());
        if (p->kind != TTypeKind::Class)
            throw EReadError(line, "Property " + std::string(part) + " is not an object");
        TObject* sub = p->getObj(*object);
        if (!sub) throw EReadError(line, "Property " + std::string(part) + " holds no object");
        object = sub;
        rest = rest.substr(dot + 1);
    }
    const std::string name(rest);
    const TPropInfo* p = object->ClassInfo().FindProp(name);
    auto bad = [&](const std::string& why) -> EReadError {
        return EReadError(line, "Invalid value for property " + std::string(path) + ": " + why);
    };
    auto guarded = [&](auto&& fn) {
        try {
            fn();
        } catch (const EReadError&) {
            throw;
        } catch (const std::exception& e) {
            throw EReadError(line, "Error setting property " + std::string(path) + ": " + e.what());
        }
    };
    if (!p) {
        if (auto* persistent = dynamic_cast<TPersistent*>(object)) {
            FindingFiler filer(name);
            persistent->DefineProperties(filer);
            if (filer.read_) {
                guarded([&] {
                    TReader reader(value);
                    filer.read_(reader);
                });
                return;
            }
            if (filer.readBinary_) {
                if (value.kind != TValue::Kind::Binary) throw bad("binary data expected");
                guarded([&] {
                    TMemoryStream stream;
                    if (!value.binary.empty()) stream.LoadFromBytes(value.binary.data(), value.binary.size());
                    filer.readBinary_(stream);
                });
                return;
            }
        }
        throw EReadError(line, "Property " + std::string(path) + " does not exist in " + object->ClassName());
    }
    if (p->kind == TTypeKind::Class && value.kind == TValue::Kind::Collection) {
        auto* list = dynamic_cast<TCollection*>(p->getObj(*object));
        if (!list) throw bad("a collection given to a property that holds none");
        guarded([&] { list->ClearItems(); });
        for (const auto& item : value.items) {
            TPersistent* added = nullptr;
            guarded([&] { added = &list->AddItem(); });
            for (const auto& prop : item) ApplyValue(ctx, *added, prop.name, prop.value, prop.line);
        }
        return;
    }
    if (!p->Writable()) throw EReadError(line, "Property " + std::string(path) + " is read-only");
    switch (p->kind) {
        case TTypeKind::Integer: {
            std::int64_t v = 0;
            if (value.kind == TValue::Kind::Integer)
                v = value.integer;
            else if (value.kind == TValue::Kind::Ident && p->type && p->type->ValueOf(value.text, v))
                ;
            else if (value.kind == TValue::Kind::Ident)
                throw bad("unknown identifier " + value.text);
            else
                throw bad(std::string("an integer expected, not ") + ValueKindName(value.kind));
            guarded([&] { p->setOrd(*object, v); });
            break;
        }
        case TTypeKind::Enumeration: {
            std::int64_t v = 0;
            if (value.kind != TValue::Kind::Ident)
                throw bad(std::string("an identifier expected, not ") + ValueKindName(value.kind));
            if (!p->type->ValueOf(value.text, v)) throw bad(value.text + " is not a " + p->type->name);
            guarded([&] { p->setOrd(*object, v); });
            break;
        }
        case TTypeKind::Set: {
            if (value.kind != TValue::Kind::Set)
                throw bad(std::string("a set expected, not ") + ValueKindName(value.kind));
            std::uint64_t bits = 0;
            for (const auto& element : value.set) {
                std::int64_t v = 0;
                if (!p->type->ValueOf(element, v) || v < 0 || v > 63)
                    throw bad(element + " is not a " + p->type->name);
                bits |= std::uint64_t(1) << v;
            }
            guarded([&] { p->setOrd(*object, std::int64_t(bits)); });
            break;
        }
        case TTypeKind::String:
            if (value.kind != TValue::Kind::String)
                throw bad(std::string("a string expected, not ") + ValueKindName(value.kind));
            guarded([&] { p->setStr(*object, value.text); });
            break;
        case TTypeKind::Class:
            if (value.kind != TValue::Kind::Ident)
                throw bad(std::string("a component name expected, not ") + ValueKindName(value.kind));
            if (SameText(value.text, "nil")) {
                guarded([&] { p->setObj(*object, nullptr); });
            } else if (ctx) {
                ctx->fixups.push_back({object, p, value.text, line});
            } else {
                throw bad("component references need a root");
            }
            break;
        case TTypeKind::Method: {
            if (value.kind != TValue::Kind::Ident)
                throw bad(std::string("a handler name expected, not ") + ValueKindName(value.kind));
            if (SameText(value.text, "nil")) {
                p->clearMethod(*object);
                break;
            }
            if (!ctx) throw bad("handlers need a root");
            const TMethodEntry* m = ctx->root->ClassInfo().FindMethod(value.text);
            if (!m)
                throw EReadError(line, "Handler " + value.text + " of " + std::string(path) + " not found in " +
                                           ctx->root->ClassName());
            bool ok = false;
            guarded([&] { ok = p->setMethod(*object, m->bind(*ctx->root), m->name); });
            if (!ok) throw EReadError(line, "Handler " + value.text + " does not fit event " + std::string(path));
            break;
        }
    }
}

void ReadObject(ReadContext& ctx, TComponent& object, const TObjectNode& node) {
    for (const auto& prop : node.props) ApplyValue(&ctx, object, prop.name, prop.value, prop.line);
    for (const auto& child : node.children) {
        TComponent& root = *ctx.root;
        TComponent* c = child.name.empty() ? nullptr : root.FindComponent(child.name);
        if (c && std::find(ctx.existing.begin(), ctx.existing.end(), c) == ctx.existing.end())
            throw EReadError(child.line, "A component named " + child.name + " already exists");
        if (c) {
            ctx.existing.erase(std::find(ctx.existing.begin(), ctx.existing.end(), c));
            // Made by the root's constructor already: read into it.
            if (!SameText(c->ClassName(), child.className))
                throw EReadError(child.line, child.name + " is a " + c->ClassName() + ", not a " + child.className);
        } else {
            const TClassInfo* info = FindClass(child.className);
            if (!info) throw EReadError(child.line, "Class " + child.className + " not found");
            if (!info->create) throw EReadError(child.line, "Class " + child.className + " cannot be created");
            try {
                c = info->create(&root);
            } catch (const std::exception& e) {
                throw EReadError(child.line, "Cannot create " + child.className + ": " + e.what());
            }
            try {
                c->SetName(child.name);
            } catch (const std::exception& e) {
                throw EReadError(child.line, e.what());
            }
        }
        c->SetState(TComponentState::Loading, true);
        c->SetState(TComponentState::Reading, true);
        ctx.loaded.push_back(c);
        if (const TFieldEntry* field = root.ClassInfo().FindField(child.name))
            if (!field->assign(root, c))
                throw EReadError(child.line, "Field " + child.name + " of " + root.ClassName() +
                                                 " does not hold a " + child.className);
        try {
            c->SetParentComponent(&object);
        } catch (const std::exception& e) {
            throw EReadError(child.line, std::string("Cannot place ") + child.name + ": " + e.what());
        }
        ReadObject(ctx, *c, child);
    }
}

// ---- writing ----

class CollectingFiler : public TFiler {
public:
    explicit CollectingFiler(std::vector<TPropertyNode>& out, std::string prefix)
        : out_(out), prefix_(std::move(prefix)) {}
    void DefineProperty(const std::string& name, ReadProc, WriteProc write, bool hasData) override {
        if (!hasData || !write) return;
        TWriter writer;
        write(writer);
        out_.push_back({prefix_ + name, writer.Take(), 0});
    }
    void DefineBinaryProperty(const std::string& name, StreamProc, StreamProc write, bool hasData) override {
        if (!hasData || !write) return;
        TMemoryStream stream;
        write(stream);
        TValue v;
        v.kind = TValue::Kind::Binary;
        v.binary = stream.Bytes();
        out_.push_back({prefix_ + name, std::move(v), 0});
    }

private:
    std::vector<TPropertyNode>& out_;
    std::string prefix_;
};

void WriteProps(const TObject& object, const std::string& prefix, std::vector<TPropertyNode>& out, int depth) {
    if (depth > kMaxDepth) return;
    for (const TPropInfo* p : object.ClassInfo().AllProps()) {
        if (!p->stored || (p->storedIf && !p->storedIf(object))) continue;
        std::string name = prefix + p->name;
        switch (p->kind) {
            case TTypeKind::Integer:
            case TTypeKind::Enumeration:
            case TTypeKind::Set: {
                if (!p->setOrd) continue;
                std::int64_t v = p->getOrd(object);
                if (p->hasDefault && v == p->defaultValue) continue;
                if (p->kind == TTypeKind::Integer) {
                    std::string ident = p->type ? p->type->NameOf(v) : std::string();
                    out.push_back({name, ident.empty() ? TValue::Int(v) : TValue::Ident(ident), 0});
                } else if (p->kind == TTypeKind::Enumeration) {
                    std::string ident = p->type->NameOf(v);
                    if (!ident.empty()) out.push_back({name, TValue::Ident(ident), 0});
                } else {
                    TValue set;
                    set.kind = TValue::Kind::Set;
                    for (int bit = 0; bit < 64; ++bit)
                        if (std::uint64_t(v) >> bit & 1) {
                            std::string ident = p->type->NameOf(bit);
                            if (!ident.empty()) set.set.push_back(ident);
                        }
                    out.push_back({name, std::move(set), 0});
                }
                break;
            }
            case TTypeKind::String: {
                if (!p->setStr) continue;
                std::string v = p->getStr(object);
                if (!v.empty()) out.push_back({name, TValue::Str(v), 0});
                break;
            }
            case TTypeKind::Class: {
                TObject* sub = p->getObj(object);
                if (!sub) continue;
                if (p->setObj) {
                    if (auto* c = dynamic_cast<TComponent*>(sub); c && !c->Name().empty())
                        out.push_back({name, TValue::Ident(c->Name()), 0});
                } else if (const auto* list = dynamic_cast<const TCollection*>(sub)) {
                    if (list->ItemCount() == 0) continue;
                    TValue items;
                    items.kind = TValue::Kind::Collection;
                    for (int i = 0; i < list->ItemCount(); ++i) {
                        items.items.emplace_back();
                        WriteProps(list->ItemAt(i), "", items.items.back(), depth + 1);
                    }
                    out.push_back({name, std::move(items), 0});
                } else {
                    WriteProps(*sub, name + ".", out, depth + 1);
                }
                break;
            }
            case TTypeKind::Method: {
                std::string handler = p->getMethodName(object);
                if (!handler.empty()) out.push_back({name, TValue::Ident(handler), 0});
                break;
            }
        }
    }
    if (const auto* persistent = dynamic_cast<const TPersistent*>(&object)) {
        CollectingFiler filer(out, prefix);
        const_cast<TPersistent*>(persistent)->DefineProperties(filer);
    }
}

void WriteChildren(const TComponent& root, const TComponent& parent, TObjectNode& node, int depth) {
    if (depth > kMaxDepth) return;
    for (int i = 0; i < root.ComponentCount(); ++i) {
        TComponent* c = root.Components(i);
        TComponent* p = c->GetParentComponent();
        bool belongs = &parent == &root ? (p == nullptr || p == &root) : p == &parent;
        if (!belongs) continue;
        TObjectNode child;
        child.name = c->Name();
        child.className = c->ClassName();
        WriteProps(*c, "", child.props, 0);
        WriteChildren(root, *c, child, depth + 1);
        node.children.push_back(std::move(child));
    }
}

}  // namespace

TObjectNode ParseDescription(std::string_view text) { return Parser(text).ParseRoot(); }

std::string FormatDescription(const TObjectNode& node) {
    std::ostringstream out;
    FormatObject(out, node, 0);
    return out.str();
}

// ---- TReader / TWriter ----

void TReader::Error(const std::string& problem) const { throw EReadError(value_.line, problem); }

const TValue& TReader::Next(TValue::Kind kind, const char* what) {
    const TValue* v;
    if (inList_) {
        if (index_ >= value_.list.size()) Error(std::string("list ended where ") + what + " was expected");
        v = &value_.list[index_++];
    } else {
        if (consumed_) Error(std::string("no more values where ") + what + " was expected");
        consumed_ = true;
        v = &value_;
    }
    if (v->kind != kind) Error(std::string(what) + " expected, not " + ValueKindName(v->kind));
    return *v;
}

std::int64_t TReader::ReadInteger() { return Next(TValue::Kind::Integer, "an integer").integer; }
std::string TReader::ReadString() { return Next(TValue::Kind::String, "a string").text; }
std::string TReader::ReadIdent() { return Next(TValue::Kind::Ident, "an identifier").text; }

bool TReader::ReadBool() {
    std::string id = ReadIdent();
    if (SameText(id, "True")) return true;
    if (SameText(id, "False")) return false;
    Error(id + " is not a Boolean");
}

void TReader::ReadListBegin() {
    if (inList_ || consumed_ || value_.kind != TValue::Kind::List)
        Error(std::string("a list expected, not ") + ValueKindName(value_.kind));
    consumed_ = true;
    inList_ = true;
    index_ = 0;
}

bool TReader::EndOfList() const { return !inList_ || index_ >= value_.list.size(); }

void TReader::ReadListEnd() {
    if (!inList_) Error("no list to end");
    if (index_ < value_.list.size()) Error("unexpected value in a list");
    inList_ = false;
}

void TWriter::Put(TValue v) {
    if (inList_) {
        value_.list.push_back(std::move(v));
    } else {
        value_ = std::move(v);
        hasValue_ = true;
    }
}

void TWriter::WriteInteger(std::int64_t v) { Put(TValue::Int(v)); }
void TWriter::WriteString(const std::string& s) { Put(TValue::Str(s)); }
void TWriter::WriteIdent(const std::string& s) { Put(TValue::Ident(s)); }

void TWriter::WriteListBegin() {
    value_ = TValue{};
    value_.kind = TValue::Kind::List;
    inList_ = true;
    hasValue_ = true;
}

void TWriter::WriteListEnd() { inList_ = false; }

TValue TWriter::Take() {
    if (!hasValue_) throw Exception("A defined property wrote no value");
    return std::move(value_);
}

// ---- components ----

void ReadComponent(TComponent& root, std::string_view text) { ReadComponent(root, ParseDescription(text)); }

void ReadComponent(TComponent& root, const TObjectNode& node) {
    if (!SameText(node.className, root.ClassName()))
        throw EReadError(node.line, "The description is of a " + node.className + ", not a " + root.ClassName());
    ReadContext ctx;
    ctx.root = &root;
    ctx.loaded.push_back(&root);
    for (int i = 0; i < root.ComponentCount(); ++i) ctx.existing.push_back(root.Components(i));
    root.SetState(TComponentState::Loading, true);
    root.SetState(TComponentState::Reading, true);
    auto endStates = [&] {
        for (TComponent* c : ctx.loaded) {
            c->SetState(TComponentState::Reading, false);
            c->SetState(TComponentState::Loading, false);
        }
    };
    try {
        try {
            // A second instance of a form gets a name of its own (Form1_1).
            std::string name = node.name;
            for (int n = 1; root.Owner() && !name.empty() && root.Owner()->FindComponent(name) &&
                            root.Owner()->FindComponent(name) != &root;
                 ++n)
                name = node.name + "_" + std::to_string(n);
            root.SetName(name);
        } catch (const std::exception& e) {
            throw EReadError(node.line, e.what());
        }
        ReadObject(ctx, root, node);
        for (const auto& f : ctx.fixups) {
            TComponent* target = SameText(f.ident, root.Name()) ? &root : root.FindComponent(f.ident);
            if (!target) throw EReadError(f.line, "Component " + f.ident + " not found");
            try {
                f.prop->setObj(*f.object, target);
            } catch (const std::exception& e) {
                throw EReadError(f.line, "Error setting property " + f.prop->name + ": " + e.what());
            }
        }
    } catch (...) {
        endStates();
        throw;
    }
    for (TComponent* c : ctx.loaded) c->SetState(TComponentState::Reading, false);
    for (TComponent* c : ctx.loaded) {
        c->Loaded();
        c->SetState(TComponentState::Loading, false);
    }
}

TObjectNode WriteComponentNode(const TComponent& root) {
    TObjectNode node;
    node.name = root.Name();
    node.className = root.ClassName();
    WriteProps(root, "", node.props, 0);
    WriteChildren(root, root, node, 0);
    return node;
}

std::string WriteComponent(const TComponent& root) { return FormatDescription(WriteComponentNode(root)); }

void SetPropertyValue(TObject& object, std::string_view path, const TValue& value) {
    try {
        ApplyValue(nullptr, object, path, value, value.line);
    } catch (const EReadError& e) {
        throw EPropertyError(e.Problem());
    }
}

}  // namespace tv
