// Header bars and list views over the system's SysHeader32 and SysListView32. Their
// sections, columns and items are kept by the control and written into each window it
// makes, so that a window made anew shows the same.
#pragma once

#include <string>
#include <vector>

#include "framework/Controls.h"
#include "framework/StdCtrls.h"

namespace tv {

struct THeaderSection {
    std::string Text;
    int Width = 50;
    TAlignment Alignment = TAlignment::taLeftJustify;
};

using TSectionEvent = TEvent<void(TObject* Sender, int Index)>;

class THeaderControl : public TWinControl {
    TV_CLASS(THeaderControl, TWinControl)
    explicit THeaderControl(TComponent* owner);

    int SectionCount() const { return int(sections_.size()); }
    // The section as the window has it now (its width follows the user's dragging).
    THeaderSection Section(int index) const;
    int AddSection(const std::string& text, int width, TAlignment alignment = TAlignment::taLeftJustify);
    void SetSectionWidth(int index, int width);
    void ClearSections();
    // Sections look like buttons and can be clicked.
    bool HotTrack() const { return hotTrack_; }
    void SetHotTrack(bool v);

    // A click on a section.
    TSectionEvent OnSectionClick;
    // The user finished dragging a section's divider.
    TSectionEvent OnSectionResize;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandle(const TCreateParams& params) override;
    void HandleMessage(TMessage& m) override;

private:
    void WriteSection(int index, bool insert);
    std::vector<THeaderSection> sections_;
    bool hotTrack_ = false;
};

enum class TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
const TEnumInfo& ViewStyleType();

struct TListColumn {
    std::string Caption;
    int Width = 50;
    TAlignment Alignment = TAlignment::taLeftJustify;
};

class TCustomListView : public TWinControl {
    TV_CLASS(TCustomListView, TWinControl)
    explicit TCustomListView(TComponent* owner);

    TViewStyle ViewStyle() const { return viewStyle_; }
    void SetViewStyle(TViewStyle v);
    bool RowSelect() const { return rowSelect_; }
    void SetRowSelect(bool v);
    bool GridLines() const { return gridLines_; }
    void SetGridLines(bool v);

    int ColumnCount() const { return int(columns_.size()); }
    // The column as the window has it now (its width follows the user's dragging).
    TListColumn Column(int index) const;
    int AddColumn(const std::string& caption, int width, TAlignment alignment = TAlignment::taLeftJustify);
    int ItemCount() const { return int(items_.size()); }
    // An item: its caption and the texts of the columns after the first.
    int AddItem(const std::string& caption, const std::vector<std::string>& subItems = {});
    std::string ItemText(int item, int column = 0) const;
    void ClearItems();
    // The selected item, -1 none.
    int ItemIndex() const;
    void SetItemIndex(int index);

    // A click on a column's header.
    TSectionEvent OnColumnClick;
    // The selection moved.
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandle(const TCreateParams& params) override;
    void HandleMessage(TMessage& m) override;

private:
    void WriteColumn(int index);
    void WriteItem(int index);
    void UpdateExtendedStyle();
    std::vector<TListColumn> columns_;
    std::vector<std::vector<std::string>> items_;
    TViewStyle viewStyle_ = TViewStyle::vsIcon;
    bool rowSelect_ = false;
    bool gridLines_ = false;
};

class TListView : public TCustomListView {
    TV_CLASS(TListView, TCustomListView)
    using TCustomListView::TCustomListView;
};

}  // namespace tv
