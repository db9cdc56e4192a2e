// Stored descriptions: the textual form of a component tree.
//
//   object Form1: TForm1
//     Caption = 'Tovalin'          strings: 'quoted' with '' for a quote, #nnn characters,
//     Font.Height = -15                     pieces joined directly or with +
//     Font.Style = [fsUnderline]   sets, identifiers, integers ($hex too)
//     Items.Strings = ('a' 'b')    lists
//     SkinStream = {0400000001020304}   binary, hexadecimal
//     OnClick = Button1Click       events by handler name
//     Panels = <item Width = 90 end>  collections: items with their properties
//     object Button1: TButton ... end   nested objects
//   end
//
// Parsing gives a tree of nodes; reading applies a tree to a root component through the
// class registry and the property tables only. Every error names its line.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Classes.h"

namespace tv {

class EReadError : public Exception {
public:
    EReadError(int line, const std::string& problem);
    int Line() const { return line_; }
    const std::string& Problem() const { return problem_; }

private:
    int line_;
    std::string problem_;
};

struct TPropertyNode;

struct TValue {
    enum class Kind { Integer, String, Ident, Set, List, Binary, Collection };
    Kind kind = Kind::Integer;
    std::int64_t integer = 0;
    std::string text;                // String and Ident
    std::vector<std::string> set;    // Set: element identifiers
    std::vector<TValue> list;        // List items
    std::vector<std::uint8_t> binary;
    std::vector<std::vector<TPropertyNode>> items;  // Collection: each item's properties
    int line = 0;

    static TValue Int(std::int64_t v);
    static TValue Str(std::string s);
    static TValue Ident(std::string s);
};

struct TPropertyNode {
    std::string name;  // may be dotted: Font.Height
    TValue value;
    int line = 0;
};

struct TObjectNode {
    std::string name;
    std::string className;
    int line = 0;
    std::vector<TPropertyNode> props;
    std::vector<TObjectNode> children;
};

// Throws EReadError naming the line and the problem.
TObjectNode ParseDescription(std::string_view text);
std::string FormatDescription(const TObjectNode& node);

// Gives DefineProperties the value of one stored property, or takes one to store.
class TReader {
public:
    explicit TReader(const TValue& value) : value_(value) {}
    std::int64_t ReadInteger();
    std::string ReadString();
    std::string ReadIdent();
    bool ReadBool();
    void ReadListBegin();
    bool EndOfList() const;
    void ReadListEnd();
    [[noreturn]] void Error(const std::string& problem) const;

private:
    const TValue& Next(TValue::Kind kind, const char* what);
    const TValue& value_;
    bool consumed_ = false;
    bool inList_ = false;
    std::size_t index_ = 0;
};

class TWriter {
public:
    void WriteInteger(std::int64_t v);
    void WriteString(const std::string& s);
    void WriteIdent(const std::string& s);
    void WriteBool(bool b) { WriteIdent(b ? "True" : "False"); }
    void WriteListBegin();
    void WriteListEnd();
    TValue Take();

private:
    void Put(TValue v);
    TValue value_;
    bool hasValue_ = false;
    bool inList_ = false;
};

class TFiler {
public:
    using ReadProc = std::function<void(TReader&)>;
    using WriteProc = std::function<void(TWriter&)>;
    using StreamProc = std::function<void(TStream&)>;
    virtual ~TFiler() = default;
    // hasData: whether the writer should store the property at all.
    virtual void DefineProperty(const std::string& name, ReadProc read, WriteProc write, bool hasData) = 0;
    // The stream given to read holds exactly the stored bytes, positioned at 0.
    virtual void DefineBinaryProperty(const std::string& name, StreamProc read, StreamProc write, bool hasData) = 0;
};

// Reads a description into root: its own properties, then creates the nested components
// (owner root, parent the enclosing object), binds events by handler name through
// root's class and fields by component name, resolves component references, and
// finally calls Loaded on root and every created component, in that order.
void ReadComponent(TComponent& root, std::string_view text);
void ReadComponent(TComponent& root, const TObjectNode& node);

// Writes root and every component it owns (nested by parent) as a description.
TObjectNode WriteComponentNode(const TComponent& root);
std::string WriteComponent(const TComponent& root);

// Single properties by name, as the reader sets them; path may be dotted (Font.Height).
// Throw EPropertyError for a wrong name, kind or value.
void SetPropertyValue(TObject& object, std::string_view path, const TValue& value);

}  // namespace tv
