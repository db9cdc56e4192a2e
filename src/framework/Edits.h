// Edit controls: the single-line TEdit and the multi-line TMemo over the system EDIT.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "framework/Controls.h"
#include "framework/StdCtrls.h"
#include "framework/Strings.h"

namespace tv {

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
const TEnumInfo& ScrollStyleType();

class TCustomEdit : public TWinControl {
    TV_CLASS(TCustomEdit, TWinControl)
    explicit TCustomEdit(TComponent* owner);

    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v);
    // Characters the user may type; 0: no limit of ours.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int v);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle v);

    // After the text changed, by the user or by code.
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandle(const TCreateParams& params) override;
    void HandleMessage(TMessage& m) override;
    bool ClicksOnMouseUp() const override { return false; }

private:
    bool readOnly_ = false;
    int maxLength_ = 0;
    TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
};

class TEdit : public TCustomEdit {
    TV_CLASS(TEdit, TCustomEdit)
    using TCustomEdit::TCustomEdit;
};

class TCustomMemo;

// The lines of a memo: its text, split at line breaks. Inside BeginUpdate/EndUpdate
// the lines are kept here and the text is set once at the end.
class TMemoStrings : public TStrings {
    TV_CLASS(TMemoStrings, TStrings)
    explicit TMemoStrings(TCustomMemo& owner) : owner_(owner) {}
    int Count() const override;
    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;
    void BeginUpdate() override;
    void EndUpdate() override;

private:
    std::vector<std::string> Lines() const;
    void Store(std::vector<std::string> lines);
    void CheckIndex(int index, int count) const;
    TCustomMemo& owner_;
    std::optional<std::vector<std::string>> batch_;
};

class TCustomMemo : public TCustomEdit {
    TV_CLASS(TCustomMemo, TCustomEdit)
    explicit TCustomMemo(TComponent* owner);
    ~TCustomMemo() override;

    TStrings& Lines() { return *lines_; }
    TStrings* LinesPtr() { return lines_.get(); }
    void SetLines(const TStrings& lines) { lines_->Assign(lines); }
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle v);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v);

protected:
    void CreateParams(TCreateParams& params) override;

private:
    std::unique_ptr<TMemoStrings> lines_;
    TScrollStyle scrollBars_ = TScrollStyle::ssNone;
    bool wordWrap_ = true;
};

class TMemo : public TCustomMemo {
    TV_CLASS(TMemo, TCustomMemo)
    using TCustomMemo::TCustomMemo;
};

}  // namespace tv
