// A tree view over the system's SysTreeView32: nodes added in code, each with a caption and
// children, expanded or collapsed; lines and buttons as asked; one node selected. The
// nodes live in the control, so a window made anew shows the same tree.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Controls.h"

namespace tv {

class TCustomTreeView;

class TTreeNode {
public:
    TTreeNode(TCustomTreeView& owner, TTreeNode* parent, std::string text);
    TTreeNode(const TTreeNode&) = delete;
    TTreeNode& operator=(const TTreeNode&) = delete;

    const std::string& Text() const { return text_; }
    void SetText(const std::string& v);
    TTreeNode* Parent() const { return parent_; }
    int Count() const { return int(children_.size()); }
    TTreeNode* Item(int index) const { return children_.at(std::size_t(index)).get(); }
    bool HasChildren() const { return !children_.empty(); }
    // Nesting depth: 0 for a root node.
    int Level() const;
    // Shows (or hides) the children; the window follows, and the user's clicks come back here.
    bool Expanded() const { return expanded_; }
    void SetExpanded(bool v);
    void Expand() { SetExpanded(true); }
    void Collapse() { SetExpanded(false); }
    // The window's item, while there is a window.
    HTREEITEM ItemId() const { return item_; }
    // The part of the tree view's client area that shows the caption; empty when hidden.
    RECT DisplayRect(bool textOnly = true) const;

private:
    friend class TCustomTreeView;
    TCustomTreeView& owner_;
    TTreeNode* parent_;
    std::string text_;
    std::vector<std::unique_ptr<TTreeNode>> children_;
    bool expanded_ = false;
    HTREEITEM item_ = nullptr;
};

using TTVChangedEvent = TEvent<void(TObject* Sender, TTreeNode* Node)>;

class TCustomTreeView : public TWinControl {
    TV_CLASS(TCustomTreeView, TWinControl)
    explicit TCustomTreeView(TComponent* owner);
    ~TCustomTreeView() override;

    // A new last child of parent (a root node when parent is null).
    TTreeNode* AddChild(TTreeNode* parent, const std::string& text);
    // Removes node and everything below it.
    void Delete(TTreeNode* node);
    void ClearItems();
    int RootCount() const { return int(roots_.size()); }
    TTreeNode* Root(int index) const { return roots_.at(std::size_t(index)).get(); }
    // Every node, depth first.
    std::vector<TTreeNode*> AllNodes() const;

    TTreeNode* Selected() const { return selected_; }
    void SetSelected(TTreeNode* node);
    // The node whose caption (or its row) is at a client point, or null.
    TTreeNode* GetNodeAt(int x, int y);
    void FullExpand();
    void FullCollapse();

    bool ShowLines() const { return showLines_; }
    void SetShowLines(bool v);
    bool ShowButtons() const { return showButtons_; }
    void SetShowButtons(bool v);
    bool ShowRoot() const { return showRoot_; }
    void SetShowRoot(bool v);

    // The selection moved (by the user or by code).
    TTVChangedEvent OnChange;
    // A node was expanded or collapsed by the user.
    TTVChangedEvent OnExpanded;
    TTVChangedEvent OnCollapsed;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandle(const TCreateParams& params) override;
    void DestroyWnd() override;
    void HandleMessage(TMessage& m) override;

private:
    friend class TTreeNode;
    void WriteNode(TTreeNode& node);
    void ForgetItems(TTreeNode& node);
    TTreeNode* NodeOfItem(HTREEITEM item) const;
    void ApplyStyle();
    std::vector<std::unique_ptr<TTreeNode>> roots_;
    TTreeNode* selected_ = nullptr;
    bool showLines_ = true;
    bool showButtons_ = true;
    bool showRoot_ = true;
    bool quiet_ = false;  // the window is being filled or emptied by the control itself
};

class TTreeView : public TCustomTreeView {
    TV_CLASS(TTreeView, TCustomTreeView)
    using TCustomTreeView::TCustomTreeView;
};

}  // namespace tv
