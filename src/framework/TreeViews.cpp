#include "framework/TreeViews.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "base/Text.h"
#include "framework/ComCtrls.h"

namespace tv {

namespace {

// Sets a flag for a scope.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag), old_(flag) { flag = true; }
    ~FlagScope() { flag_ = old_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
    bool old_;
};

}  // namespace

// ---- nodes ---------------------------------------------------------------------------------

TTreeNode::TTreeNode(TCustomTreeView& owner, TTreeNode* parent, std::string text)
    : owner_(owner), parent_(parent), text_(std::move(text)) {}

void TTreeNode::SetText(const std::string& v) {
    text_ = v;
    if (!item_ || !owner_.HandleAllocated()) return;
    std::wstring wide = text::Widen(text_);
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = item_;
    item.pszText = wide.data();
    ::SendMessageW(owner_.Handle(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

int TTreeNode::Level() const {
    int level = 0;
    for (const TTreeNode* p = parent_; p; p = p->parent_) ++level;
    return level;
}

void TTreeNode::SetExpanded(bool v) {
    expanded_ = v;
    if (item_ && owner_.HandleAllocated())
        ::SendMessageW(owner_.Handle(), TVM_EXPAND, v ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(item_));
}

RECT TTreeNode::DisplayRect(bool textOnly) const {
    RECT r{};
    if (!item_ || !owner_.HandleAllocated()) return r;
    // The item goes in where the rectangle comes back.
    std::memcpy(&r, &item_, sizeof item_);
    if (!::SendMessageW(owner_.Handle(), TVM_GETITEMRECT, textOnly ? TRUE : FALSE, reinterpret_cast<LPARAM>(&r)))
        return RECT{};
    return r;
}

// ---- the view ------------------------------------------------------------------------------

const TClassInfo& TCustomTreeView::StaticClass() {
    static const TClassInfo info =
        DescribeClass<TCustomTreeView>("TCustomTreeView")
            .Bool("ShowLines", &TCustomTreeView::ShowLines, &TCustomTreeView::SetShowLines)
            .Default(1)
            .Bool("ShowButtons", &TCustomTreeView::ShowButtons, &TCustomTreeView::SetShowButtons)
            .Default(1)
            .Bool("ShowRoot", &TCustomTreeView::ShowRoot, &TCustomTreeView::SetShowRoot)
            .Default(1)
            .Event("OnChange", &TCustomTreeView::OnChange)
            .Event("OnExpanded", &TCustomTreeView::OnExpanded)
            .Event("OnCollapsed", &TCustomTreeView::OnCollapsed)
            .Done();
    return info;
}

const TClassInfo& TTreeView::StaticClass() {
    static const TClassInfo info = DescribeClass<TTreeView>("TTreeView").Done();
    return info;
}

TCustomTreeView::TCustomTreeView(TComponent* owner) : TWinControl(owner) {
    SetBoundsFields(0, 0, 121, 97);
    InitColor(clWindow, false);
    Brush().SetColor(clWindow);
    SetTabStop(true);
}

TCustomTreeView::~TCustomTreeView() {
    // The window goes later, with the base class: nothing it says may reach the nodes.
    quiet_ = true;
    selected_ = nullptr;
}

void TCustomTreeView::CreateParams(TCreateParams& p) {
    EnsureCommonControls();
    TWinControl::CreateParams(p);
    p.sysClassName = WC_TREEVIEWW;
    p.exStyle |= WS_EX_CLIENTEDGE;
    p.style |= TVS_SHOWSELALWAYS;
    if (showLines_) p.style |= TVS_HASLINES;
    if (showButtons_) p.style |= TVS_HASBUTTONS;
    if (showRoot_) p.style |= TVS_LINESATROOT;
}

void TCustomTreeView::CreateWindowHandle(const TCreateParams& p) {
    TWinControl::CreateWindowHandle(p);
    FlagScope quiet(quiet_);
    for (const auto& root : roots_) WriteNode(*root);
    if (selected_ && selected_->item_)
        ::SendMessageW(Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(selected_->item_));
}

void TCustomTreeView::DestroyWnd() {
    {
        FlagScope quiet(quiet_);
        for (const auto& root : roots_) ForgetItems(*root);
        TWinControl::DestroyWnd();
    }
}

void TCustomTreeView::ForgetItems(TTreeNode& node) {
    node.item_ = nullptr;
    for (auto& child : node.children_) ForgetItems(*child);
}

void TCustomTreeView::WriteNode(TTreeNode& node) {
    if (!HandleAllocated()) return;
    std::wstring wide = text::Widen(node.text_);
    TVINSERTSTRUCTW ins{};
    ins.hParent = node.parent_ ? node.parent_->item_ : TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_PARAM;
    ins.item.pszText = wide.data();
    ins.item.lParam = reinterpret_cast<LPARAM>(&node);
    node.item_ = reinterpret_cast<HTREEITEM>(::SendMessageW(Handle(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins)));
    for (auto& child : node.children_) WriteNode(*child);
    if (node.expanded_ && !node.children_.empty())
        ::SendMessageW(Handle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node.item_));
}

TTreeNode* TCustomTreeView::AddChild(TTreeNode* parent, const std::string& text) {
    auto& list = parent ? parent->children_ : roots_;
    list.push_back(std::make_unique<TTreeNode>(*this, parent, text));
    TTreeNode* node = list.back().get();
    if (HandleAllocated() && (!parent || parent->item_)) {
        FlagScope quiet(quiet_);
        WriteNode(*node);
        // A parent that was meant to be open opens when it gets its first child.
        if (parent && parent->expanded_ && parent->children_.size() == 1) parent->SetExpanded(true);
    }
    return node;
}

void TCustomTreeView::Delete(TTreeNode* node) {
    if (!node) return;
    bool selectionInside = false;
    for (TTreeNode* n = selected_; n; n = n->parent_) selectionInside = selectionInside || n == node;
    if (node->item_ && HandleAllocated()) {
        FlagScope quiet(quiet_);
        ::SendMessageW(Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(node->item_));
    }
    auto& list = node->parent_ ? node->parent_->children_ : roots_;
    const auto it = std::find_if(list.begin(), list.end(), [node](const auto& p) { return p.get() == node; });
    std::unique_ptr<TTreeNode> gone;
    if (it != list.end()) {
        gone = std::move(*it);
        list.erase(it);
    }
    if (selectionInside) {
        // The window chose another node (or none): that is the selection now.
        TTreeNode* now = nullptr;
        if (HandleAllocated())
            now = NodeOfItem(reinterpret_cast<HTREEITEM>(::SendMessageW(Handle(), TVM_GETNEXTITEM, TVGN_CARET, 0)));
        selected_ = now;
        if (OnChange) OnChange(this, selected_);
    }
}

void TCustomTreeView::ClearItems() {
    const bool hadSelection = selected_ != nullptr;
    if (HandleAllocated()) {
        FlagScope quiet(quiet_);
        ::SendMessageW(Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    }
    selected_ = nullptr;
    roots_.clear();
    if (hadSelection && OnChange) OnChange(this, nullptr);
}

std::vector<TTreeNode*> TCustomTreeView::AllNodes() const {
    std::vector<TTreeNode*> all;
    std::function<void(TTreeNode&)> add = [&](TTreeNode& n) {
        all.push_back(&n);
        for (auto& c : n.children_) add(*c);
    };
    for (const auto& r : roots_) add(*r);
    return all;
}

TTreeNode* TCustomTreeView::NodeOfItem(HTREEITEM item) const {
    if (!item) return nullptr;
    for (TTreeNode* n : AllNodes())
        if (n->item_ == item) return n;
    return nullptr;
}

void TCustomTreeView::SetSelected(TTreeNode* node) {
    if (node == selected_) return;
    if (HandleAllocated() && (!node || node->item_)) {
        // The window reports the change (TVN_SELCHANGED), and with it OnChange.
        ::SendMessageW(Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node ? node->item_ : nullptr));
        if (selected_ == node) return;
    }
    selected_ = node;
    if (OnChange) OnChange(this, node);
}

TTreeNode* TCustomTreeView::GetNodeAt(int x, int y) {
    if (!HandleAllocated()) return nullptr;
    TVHITTESTINFO hit{};
    hit.pt = POINT{x, y};
    const auto item = reinterpret_cast<HTREEITEM>(::SendMessageW(Handle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return (hit.flags & (TVHT_ONITEM | TVHT_ONITEMRIGHT | TVHT_ONITEMINDENT | TVHT_ONITEMBUTTON)) ? NodeOfItem(item)
                                                                                                     : nullptr;
}

void TCustomTreeView::FullExpand() {
    for (TTreeNode* n : AllNodes())
        if (n->HasChildren()) n->SetExpanded(true);
}

void TCustomTreeView::FullCollapse() {
    for (TTreeNode* n : AllNodes())
        if (n->HasChildren()) n->SetExpanded(false);
}

void TCustomTreeView::ApplyStyle() {
    if (HandleAllocated()) RecreateWnd();
}

void TCustomTreeView::SetShowLines(bool v) {
    if (v == showLines_) return;
    showLines_ = v;
    ApplyStyle();
}

void TCustomTreeView::SetShowButtons(bool v) {
    if (v == showButtons_) return;
    showButtons_ = v;
    ApplyStyle();
}

void TCustomTreeView::SetShowRoot(bool v) {
    if (v == showRoot_) return;
    showRoot_ = v;
    ApplyStyle();
}

void TCustomTreeView::HandleMessage(TMessage& m) {
    if (m.Msg == CN_NOTIFY && !quiet_) {
        const auto* hdr = reinterpret_cast<const NMHDR*>(m.LParam);
        const auto* tv = reinterpret_cast<const NMTREEVIEWW*>(m.LParam);
        switch (hdr->code) {
            case TVN_SELCHANGEDW:
            case TVN_SELCHANGEDA: {
                TTreeNode* node = NodeOfItem(tv->itemNew.hItem);
                if (node != selected_) {
                    selected_ = node;
                    if (OnChange) OnChange(this, node);
                }
                m.Result = 0;
                return;
            }
            case TVN_ITEMEXPANDEDW:
            case TVN_ITEMEXPANDEDA:
                if (TTreeNode* node = NodeOfItem(tv->itemNew.hItem)) {
                    const bool open = (tv->action & TVE_EXPAND) != 0;
                    if (open != node->expanded_) {
                        node->expanded_ = open;
                        if (open && OnExpanded) OnExpanded(this, node);
                        if (!open && OnCollapsed) OnCollapsed(this, node);
                    }
                }
                m.Result = 0;
                return;
            default: break;
        }
    }
    TWinControl::HandleMessage(m);
}

}  // namespace tv
