// Tab controls over the system's SysTabControl32: a plain one with a list of tabs, and a
// page control whose tabs are its sheets.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/Controls.h"
#include "framework/Strings.h"

namespace tv {

enum class TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
const TEnumInfo& TabPositionType();
enum class TTabStyle { tsTabs, tsButtons, tsFlatButtons };
const TEnumInfo& TabStyleType();

using TTabChangingEvent = TEvent<void(TObject* Sender, bool& AllowChange)>;

class TCustomTabControl : public TWinControl {
    TV_CLASS(TCustomTabControl, TWinControl)
    explicit TCustomTabControl(TComponent* owner);

    TTabPosition TabPosition() const { return tabPosition_; }
    void SetTabPosition(TTabPosition v);
    TTabStyle Style() const { return style_; }
    void SetStyle(TTabStyle v);
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool v);
    // The selected tab; -1 none.
    int TabIndex() const { return tabIndex_; }
    void SetTabIndex(int index);
    int TabCount() const { return int(TabCaptions().size()); }
    // The client area the tabs leave for what the control shows.
    RECT DisplayRect();

    // After the user chose another tab.
    TNotifyEvent OnChange;
    // Before the user's choice takes effect; AllowChange false keeps the old tab.
    TTabChangingEvent OnChanging;

    void Loaded() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandle(const TCreateParams& params) override;
    void HandleMessage(TMessage& m) override;
    // The captions of the tabs, in order.
    virtual std::vector<std::string> TabCaptions() const { return {}; }
    // Writes the tabs into the window again (after the captions changed).
    void UpdateTabs();
    virtual bool CanChange();
    // The selection moved to tabIndex_ (by the user or by code).
    virtual void Change(bool byUser);
    // The display rectangle may have moved: lay out what it shows.
    virtual void DisplayChanged() {}
    int tabIndex_ = -1;

private:
    TTabPosition tabPosition_ = TTabPosition::tpTop;
    TTabStyle style_ = TTabStyle::tsTabs;
    bool multiLine_ = false;
};

// Tabs from a list of strings; the control's children are what it shows.
class TTabControl : public TCustomTabControl {
    TV_CLASS(TTabControl, TCustomTabControl)
    explicit TTabControl(TComponent* owner);
    ~TTabControl() override;
    TStrings& Tabs() { return *tabs_; }
    TStrings* TabsPtr() { return tabs_.get(); }

protected:
    std::vector<std::string> TabCaptions() const override;

private:
    std::unique_ptr<TStringList> tabs_;
};

class TPageControl;

// One page of a page control: shown while its tab is selected.
class TTabSheet : public TWinControl {
    TV_CLASS(TTabSheet, TWinControl)
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;

    TPageControl* PageControl() const { return pageControl_; }
    void SetPageControl(TPageControl* control);
    // The sheet's place among its page control's sheets.
    int PageIndex() const;
    void SetPageIndex(int index);
    // A sheet without a tab is never shown.
    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool v);

    void SetParent(TWinControl* parent) override;
    void SetText(const std::string& v) override;

private:
    friend class TPageControl;
    TPageControl* pageControl_ = nullptr;
    bool tabVisible_ = true;
};

class TPageControl : public TCustomTabControl {
    TV_CLASS(TPageControl, TCustomTabControl)
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;

    int PageCount() const { return int(pages_.size()); }
    TTabSheet* Pages(int index) const { return pages_.at(std::size_t(index)); }
    TTabSheet* ActivePage() const { return activePage_; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    // The sheet after (or before) current that has a tab, wrapping round; null when none.
    TTabSheet* FindNextPage(TTabSheet* current, bool forward) const;
    // Ctrl+Tab's step: the next sheet with a tab becomes active, as if its tab was clicked.
    void SelectNextPage(bool forward);

    void Loaded() override;

protected:
    std::vector<std::string> TabCaptions() const override;
    bool CanChange() override;
    void Change(bool byUser) override;
    void DisplayChanged() override;
    void HandleMessage(TMessage& m) override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void MovePage(TTabSheet* page, int index);
    // The tabs changed: rewrite them and select the active sheet's tab.
    void PagesChanged();
    void ShowActivePage();
    int TabOfPage(const TTabSheet* page) const;
    TTabSheet* PageOfTab(int tab) const;
    std::vector<TTabSheet*> pages_;
    TTabSheet* activePage_ = nullptr;
};

}  // namespace tv
