// String lists. Apart from the component classes because they store themselves
// through the description reader and writer.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Classes.h"

namespace tv {

// String lists. Text splits at CR, LF or CR LF; a NUL ends it; a break at the very
// end adds no empty line. Text joins lines with CR LF.
class EStringListError : public Exception {
public:
    using Exception::Exception;
};

class TStrings : public TPersistent {
    TV_CLASS(TStrings, TPersistent)

    virtual int Count() const = 0;
    virtual std::string Get(int index) const = 0;
    virtual void Put(int index, const std::string& s);
    virtual TObject* Objects(int index) const;
    virtual void SetObject(int index, TObject* object);
    virtual void Insert(int index, const std::string& s) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    // Brackets many changes so that a control updates once.
    virtual void BeginUpdate() { ++updateCount_; }
    virtual void EndUpdate() {
        if (updateCount_ > 0) --updateCount_;
    }

    std::string operator[](int index) const { return Get(index); }
    int Add(const std::string& s);
    int AddObject(const std::string& s, TObject* object);
    void AddStrings(const TStrings& other);
    int IndexOf(std::string_view s) const;  // case-insensitive
    std::string Text() const;
    void SetText(std::string_view text);
    // NAME=VALUE lines.
    int IndexOfName(std::string_view name) const;
    std::string Values(std::string_view name) const;

    void Assign(const TPersistent& source) override;
    void DefineProperties(TFiler& filer) override;
    bool Equals(const TStrings& other) const;

protected:
    int UpdateCount() const { return updateCount_; }

private:
    int updateCount_ = 0;
};

class TStringList : public TStrings {
    TV_CLASS(TStringList, TStrings)
    TStringList() = default;
    TStringList(std::initializer_list<std::string> lines);

    int Count() const override { return int(items_.size()); }
    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;
    TObject* Objects(int index) const override;
    void SetObject(int index, TObject* object) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;

    void EndUpdate() override;
    // Fired after every change, or once at the end of a BeginUpdate/EndUpdate bracket.
    TNotifyEvent OnChange;

private:
    void CheckIndex(int index, bool forInsert = false) const;
    void Changed();
    bool changedInUpdate_ = false;
    struct Item {
        std::string text;
        TObject* object = nullptr;
    };
    std::vector<Item> items_;
};

// Splits text into lines the way a string list takes a text.
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace tv
