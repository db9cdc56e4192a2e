#include "framework/Strings.h"

#include <algorithm>

#include "framework/Streaming.h"

namespace tv {

// ---- string lists ----

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t nul = text.find('\0');
    if (nul != std::string_view::npos) text = text.substr(0, nul);
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            start = ++i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

const TClassInfo& TStrings::StaticClass() {
    static const TClassInfo info = DescribeClass<TStrings>("TStrings").Done();
    return info;
}

void TStrings::Put(int index, const std::string& s) {
    TObject* object = Objects(index);
    Delete(index);
    Insert(index, s);
    SetObject(index, object);
}

TObject* TStrings::Objects(int) const { return nullptr; }
void TStrings::SetObject(int, TObject*) {}

int TStrings::Add(const std::string& s) {
    int index = Count();
    Insert(index, s);
    return index;
}

int TStrings::AddObject(const std::string& s, TObject* object) {
    int index = Add(s);
    SetObject(index, object);
    return index;
}

void TStrings::AddStrings(const TStrings& other) {
    BeginUpdate();
    for (int i = 0; i < other.Count(); ++i) AddObject(other.Get(i), other.Objects(i));
    EndUpdate();
}

int TStrings::IndexOf(std::string_view s) const {
    for (int i = 0; i < Count(); ++i)
        if (SameText(Get(i), s)) return i;
    return -1;
}

std::string TStrings::Text() const {
    std::string out;
    for (int i = 0; i < Count(); ++i) {
        out += Get(i);
        out += "\r\n";
    }
    return out;
}

void TStrings::SetText(std::string_view text) {
    BeginUpdate();
    Clear();
    for (auto& line : SplitLines(text)) Add(line);
    EndUpdate();
}

int TStrings::IndexOfName(std::string_view name) const {
    for (int i = 0; i < Count(); ++i) {
        std::string line = Get(i);
        std::size_t eq = line.find('=');
        if (eq != std::string::npos && SameText(std::string_view(line).substr(0, eq), name)) return i;
    }
    return -1;
}

std::string TStrings::Values(std::string_view name) const {
    int i = IndexOfName(name);
    if (i < 0) return {};
    std::string line = Get(i);
    return line.substr(line.find('=') + 1);
}

void TStrings::Assign(const TPersistent& source) {
    if (const auto* other = dynamic_cast<const TStrings*>(&source)) {
        if (other == this) return;
        BeginUpdate();
        Clear();
        AddStrings(*other);
        EndUpdate();
        return;
    }
    TPersistent::Assign(source);
}

bool TStrings::Equals(const TStrings& other) const {
    if (Count() != other.Count()) return false;
    for (int i = 0; i < Count(); ++i)
        if (Get(i) != other.Get(i)) return false;
    return true;
}

void TStrings::DefineProperties(TFiler& filer) {
    filer.DefineProperty(
        "Strings",
        [this](TReader& reader) {
            BeginUpdate();
            Clear();
            reader.ReadListBegin();
            while (!reader.EndOfList()) Add(reader.ReadString());
            reader.ReadListEnd();
            EndUpdate();
        },
        [this](TWriter& writer) {
            writer.WriteListBegin();
            for (int i = 0; i < Count(); ++i) writer.WriteString(Get(i));
            writer.WriteListEnd();
        },
        Count() > 0);
}

const TClassInfo& TStringList::StaticClass() {
    static const TClassInfo info = DescribeClass<TStringList>("TStringList").Done();
    return info;
}

TStringList::TStringList(std::initializer_list<std::string> lines) {
    for (const auto& s : lines) items_.push_back({s, nullptr});
}

void TStringList::CheckIndex(int index, bool forInsert) const {
    int limit = forInsert ? Count() : Count() - 1;
    if (index < 0 || index > limit)
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

void TStringList::Changed() {
    if (UpdateCount() > 0) {
        changedInUpdate_ = true;
        return;
    }
    if (OnChange) OnChange(this);
}

void TStringList::EndUpdate() {
    TStrings::EndUpdate();
    if (UpdateCount() == 0 && changedInUpdate_) {
        changedInUpdate_ = false;
        Changed();
    }
}

std::string TStringList::Get(int index) const {
    CheckIndex(index);
    return items_[std::size_t(index)].text;
}

void TStringList::Put(int index, const std::string& s) {
    CheckIndex(index);
    items_[std::size_t(index)].text = s;
    Changed();
}

TObject* TStringList::Objects(int index) const {
    CheckIndex(index);
    return items_[std::size_t(index)].object;
}

void TStringList::SetObject(int index, TObject* object) {
    CheckIndex(index);
    items_[std::size_t(index)].object = object;
}

void TStringList::Insert(int index, const std::string& s) {
    CheckIndex(index, true);
    items_.insert(items_.begin() + index, Item{s, nullptr});
    Changed();
}

void TStringList::Delete(int index) {
    CheckIndex(index);
    items_.erase(items_.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (items_.empty()) return;
    items_.clear();
    Changed();
}

}  // namespace tv
