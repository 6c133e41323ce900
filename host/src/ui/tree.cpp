#include "ui/tree.h"
#include <algorithm>
#include "model/session.h"
#include "text.h"
#include "ui/dialog.h"

namespace host::ui {

TreeNode* TreeState::make(const std::string& text) {
    nodes.push_back(std::make_unique<TreeNode>());
    TreeNode* n = nodes.back().get();
    n->tree = this;
    n->columns[0] = text;
    return n;
}

NXOpen::BlockStyler::Node* TreeState::ui(TreeNode* n) {
    if (!n) return nullptr;
    if (!n->ui) n->ui.reset(new NXOpen::BlockStyler::Node(n));
    return n->ui.get();
}

std::vector<TreeNode*> TreeState::inOrder() const {
    std::vector<TreeNode*> out;
    // Depth first without recursion: a library may nest deeply.
    std::vector<TreeNode*> stack(top.rbegin(), top.rend());
    while (!stack.empty()) {
        TreeNode* n = stack.back();
        stack.pop_back();
        out.push_back(n);
        stack.insert(stack.end(), n->children.rbegin(), n->children.rend());
    }
    return out;
}

std::string TreeState::pathOf(const TreeNode* n) const {
    std::string path;
    for (; n; n = n->parent) {
        auto it = n->columns.find(0);
        std::string text = it == n->columns.end() ? "" : it->second;
        path = path.empty() ? text : text + "/" + path;
    }
    return path;
}

TreeNode* TreeState::find(const std::string& path) const {
    for (TreeNode* n : inOrder())
        if (pathOf(n) == path) return n;
    return nullptr;
}

TreeState& treeOf(Block& b) {
    if (!b.tree) b.tree = std::make_shared<TreeState>();
    return *b.tree;
}

namespace {

Block& treeBlock(Dialog& d, const std::string& id) {
    Block* b = d.find(id);
    if (!b) throw UserError("the dialog has no block " + text::toUtf8Lossy(id));
    if (b->kind != "Tree") throw UserError("block " + text::toUtf8Lossy(id) + " is a " + b->kind + ", not a tree");
    return *b;
}

auto* treeUi(Block& b) { return static_cast<NXOpen::BlockStyler::Tree*>(b.ui.get()); }

}  // namespace

void selectNode(Dialog& d, const std::string& id, const std::string& pathUtf8) {
    Block& b = treeBlock(d, id);
    TreeState& t = treeOf(b);
    TreeNode* n = t.find(text::toGbk(pathUtf8));
    if (!n) throw UserError("tree " + text::toUtf8Lossy(id) + " has no node " + pathUtf8);
    session().say("[tree] select " + pathUtf8);
    // The host reports the nodes that lose the selection first, as a list control does.
    std::vector<TreeNode*> before = std::move(t.selected);
    t.selected.clear();
    for (TreeNode* old : before)
        if (t.onSelect) t.onSelect(treeUi(b), t.ui(old), 0, false);
    t.selected = {n};
    // Selecting a node shows it: its branch opens.
    for (TreeNode* p = n->parent; p; p = p->parent) p->expanded = true;
    if (t.onSelect) t.onSelect(treeUi(b), t.ui(n), 0, true);
}

void chooseMenuItem(Dialog& d, const std::string& id, const std::string& itemUtf8) {
    Block& b = treeBlock(d, id);
    TreeState& t = treeOf(b);
    TreeNode* on = t.selected.empty() ? nullptr : t.selected.front();
    t.menu.clear();
    if (t.onMenu) t.onMenu(treeUi(b), t.ui(on), 0);
    std::string shown;
    const NXOpen::BlockStyler::TreeListMenu::Item* chosen = nullptr;
    for (const auto& item : t.menu) {
        const std::string label = text::toUtf8Lossy(item.text.GetText());
        shown += (shown.empty() ? "" : ", ") + std::to_string(item.id) + " " + label;
        if (itemUtf8 == label || itemUtf8 == std::to_string(item.id)) chosen = &item;
    }
    session().say("[tree] menu: " + (shown.empty() ? std::string("(none)") : shown));
    if (!chosen) throw UserError("tree " + text::toUtf8Lossy(id) + " has no menu item " + itemUtf8);
    const int item = chosen->id;
    if (t.onMenuSelection) t.onMenuSelection(treeUi(b), t.ui(on), item);
    showTree(b);
}

std::string treeText(Block& b) {
    TreeState& t = treeOf(b);
    std::string out;
    for (TreeNode* n : t.inOrder()) out += (out.empty() ? "" : ", ") + text::toUtf8Lossy(t.pathOf(n));
    return out;
}

void showTree(Block& b) {
    TreeState& t = treeOf(b);
    for (TreeNode* n : t.inOrder()) {
        bool hidden = false;
        int depth = 0;
        for (TreeNode* p = n->parent; p; p = p->parent, ++depth) hidden |= !p->expanded;
        if (hidden) continue;
        auto it = n->columns.find(0);
        std::string mark = n->children.empty() ? "  " : n->expanded ? "- " : "+ ";
        session().say("[tree] " + std::string(2 * depth, ' ') + mark + text::toUtf8Lossy(it == n->columns.end() ? "" : it->second) +
                      (n->displayIcon.empty() ? "" : " (" + text::toUtf8Lossy(n->displayIcon) + ")"));
    }
}

}  // namespace host::ui
