// What a tree block holds: columns, nodes in their places, the selection, the context menu and the
// module's callbacks; and what the user does with it.
#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>
#include "NXOpen/BlockStyler_Tree.hxx"

namespace host::ui {

class Dialog;
struct Block;

struct TreeState;

struct TreeNode {
    TreeState* tree = nullptr;
    std::map<int, std::string> columns;   // GBK display texts by column id
    std::string displayIcon, selectedIcon;
    TreeNode* parent = nullptr;
    std::vector<TreeNode*> children;
    bool inserted = false, expanded = false;
    std::unique_ptr<NXOpen::BlockStyler::Node> ui;
};

struct TreeState {
    struct Column {
        int id;
        std::string name;
        int width;
        bool visible = true;
    };
    std::vector<Column> columns;
    std::vector<std::unique_ptr<TreeNode>> nodes;   // every node made, inserted or not
    std::vector<TreeNode*> top;
    std::vector<TreeNode*> selected;
    std::vector<NXOpen::BlockStyler::TreeListMenu::Item> menu;
    NXOpen::BlockStyler::Tree::OnSelectCallback onSelect;
    NXOpen::BlockStyler::Tree::ToolTipTextCallback toolTip;
    NXOpen::BlockStyler::Tree::OnMenuCallback onMenu;
    NXOpen::BlockStyler::Tree::OnMenuSelectionCallback onMenuSelection;

    TreeNode* make(const std::string& text);
    NXOpen::BlockStyler::Node* ui(TreeNode* n);
    // Every inserted node in display order (depth first), collapsed branches included.
    std::vector<TreeNode*> inOrder() const;
    // The node whose column-0 texts from the top, joined by "/", are `path` (GBK); null when none.
    TreeNode* find(const std::string& path) const;
    std::string pathOf(const TreeNode* n) const;   // GBK
    // The list a node stands in: its parent's children, or the top.
    std::vector<TreeNode*>& siblingsOf(TreeNode* n) { return n->parent ? n->parent->children : top; }
};

TreeState& treeOf(Block& b);

// The user selects the node at PATH (UTF-8): the nodes selected before are reported deselected,
// then the new one selected, each through the module's select callback. A path that names no node
// throws UserError.
void selectNode(Dialog& d, const std::string& blockId, const std::string& pathUtf8);
// The user right-clicks the tree (on its selected node, if any) and picks the menu item whose number
// or text is ITEM (UTF-8); the items shown go to the transcript.
void chooseMenuItem(Dialog& d, const std::string& blockId, const std::string& itemUtf8);
// The tree as the user sees it: paths of the nodes in display order, ", " between them (UTF-8).
std::string treeText(Block& b);
// Writes the tree to the transcript, one node a line, indented by depth.
void showTree(Block& b);

}  // namespace host::ui
