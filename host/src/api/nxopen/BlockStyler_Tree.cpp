// Tree list blocks over the host's tree state.
#include "NXOpen/BlockStyler_Tree.hxx"
#include <algorithm>
#include "NXOpen/NXException.hxx"
#include "api/common.h"
#include "ui/dialog.h"
#include "ui/tree.h"

using namespace NXOpen;
using namespace NXOpen::BlockStyler;
using host::ui::TreeNode;
using host::ui::TreeState;

void Node::SetColumnDisplayText(int column, const NXString& text) { node_->columns[column] = text.GetText(); }
NXString Node::GetColumnDisplayText(int column) {
    auto it = node_->columns.find(column);
    return it == node_->columns.end() ? "" : it->second;
}
NXString Node::DisplayText() { return GetColumnDisplayText(0); }
void Node::SetDisplayIcon(const NXString& icon) { node_->displayIcon = icon.GetText(); }
NXString Node::DisplayIcon() { return node_->displayIcon; }
void Node::SetSelectedIcon(const NXString& icon) { node_->selectedIcon = icon.GetText(); }
NXString Node::SelectedIcon() { return node_->selectedIcon; }

Node* Node::ParentNode() { return node_->parent ? node_->parent->ui.get() : nullptr; }
Node* Node::FirstChildNode() { return node_->children.empty() ? nullptr : node_->children.front()->ui.get(); }

namespace {

// The node after n among its siblings, null when it is the last (or not inserted).
TreeNode* nextSibling(TreeNode* n) {
    if (!n->inserted) return nullptr;
    std::vector<TreeNode*>& level = n->tree->siblingsOf(n);
    auto it = std::find(level.begin(), level.end(), n);
    return it != level.end() && it + 1 != level.end() ? *(it + 1) : nullptr;
}

Node* uiOf(TreeNode* n) { return n ? n->tree->ui(n) : nullptr; }

}  // namespace

Node* Node::NextSiblingNode() { return uiOf(nextSibling(node_)); }

Node* Node::NextNode() {
    // Depth first: the first child, else the next sibling of this node or of its nearest ancestor that has one.
    if (!node_->children.empty()) return uiOf(node_->children.front());
    for (TreeNode* n = node_; n; n = n->parent)
        if (TreeNode* next = nextSibling(n)) return uiOf(next);
    return nullptr;
}

void Node::Expand(ExpandOption option) {
    if (option == ExpandOptionCollapse) node_->expanded = false;
    else if (option == ExpandOptionExpand) node_->expanded = true;
    else if (option == ExpandOptionToggle) node_->expanded = !node_->expanded;
    else throw NXException(3520081, "no expand option " + std::to_string(option));
}

bool Node::IsExpanded() { return node_->expanded; }

void TreeListMenu::AddMenuItem(int id, const NXString& text) { items_.push_back({id, text, ""}); }

void TreeListMenu::SetItemIcon(int id, const NXString& icon) {
    for (Item& i : items_)
        if (i.id == id) {
            i.icon = icon;
            return;
        }
    throw NXException(3520082, "the menu has no item " + std::to_string(id));
}

TreeState& Tree::state() { return host::ui::treeOf(*block_); }

void Tree::SetOnSelectHandler(const OnSelectCallback& cb) { state().onSelect = cb; }
void Tree::SetToolTipTextHandler(const ToolTipTextCallback& cb) { state().toolTip = cb; }
void Tree::SetOnMenuHandler(const OnMenuCallback& cb) { state().onMenu = cb; }
void Tree::SetOnMenuSelectionHandler(const OnMenuSelectionCallback& cb) { state().onMenuSelection = cb; }

void Tree::InsertColumn(int id, const NXString& name, int width) {
    TreeState& t = state();
    for (auto& c : t.columns)
        if (c.id == id) throw NXException(3520083, "the tree has a column " + std::to_string(id) + " already");
    t.columns.push_back({id, name.GetText(), width, true});
}

void Tree::SetColumnVisible(int id, bool visible) {
    for (auto& c : state().columns)
        if (c.id == id) {
            c.visible = visible;
            return;
        }
    throw NXException(3520084, "the tree has no column " + std::to_string(id));
}

Node* Tree::CreateNode(const NXString& text) {
    TreeState& t = state();
    return t.ui(t.make(text.GetText()));
}

void Tree::InsertNode(Node* node, Node* parentNode, Node* afterNode, NodeInsertOption option) {
    TreeState& t = state();
    if (!node || node->node_->tree != &t) throw NXException(3520085, "the node is not one of this tree's");
    TreeNode* n = node->node_;
    if (n->inserted) throw NXException(3520086, "the node is in the tree already");
    TreeNode* parent = parentNode ? parentNode->node_ : nullptr;
    if (parent && (parent->tree != &t || !parent->inserted)) throw NXException(3520087, "the parent node is not in this tree");
    n->parent = parent;
    std::vector<TreeNode*>& level = t.siblingsOf(n);
    auto at = level.end();
    if (option == NodeInsertOptionAlwaysFirst) {
        at = level.begin();
    } else if (option == NodeInsertOptionSort) {
        // Byte order of the column-0 texts; equal texts keep the order they came in.
        at = std::upper_bound(level.begin(), level.end(), n, [](TreeNode* a, TreeNode* b) { return a->columns[0] < b->columns[0]; });
    } else if (option == NodeInsertOptionLast && afterNode) {
        auto it = std::find(level.begin(), level.end(), afterNode->node_);
        if (it == level.end()) throw NXException(3520088, "the node to insert after is not under that parent");
        at = it + 1;
    } else if (option != NodeInsertOptionAlwaysLast && option != NodeInsertOptionLast) {
        throw NXException(3520089, "no insert option " + std::to_string(option));
    }
    level.insert(at, n);
    n->inserted = true;
}

Node* Tree::RootNode() {
    TreeState& t = state();
    return t.top.empty() ? nullptr : t.ui(t.top.front());
}

std::vector<Node*> Tree::GetSelectedNodes() {
    TreeState& t = state();
    std::vector<Node*> out;
    for (TreeNode* n : t.selected) out.push_back(t.ui(n));
    return out;
}

TreeListMenu* Tree::CreateMenu() {
    state();
    return new TreeListMenu();
}

void Tree::SetMenu(TreeListMenu* menu) {
    if (!menu) throw NXException(3520090, "no menu");
    state().menu = menu->items_;
}
