// The tree list block: columns, nodes with icons, a context menu, and the callbacks the user's
// selections, hovers and right-clicks call.
#pragma once
#include <vector>
#include "BlockStyler_UIBlock.hxx"
#include "Callback.hxx"

namespace host::ui { struct TreeNode; struct TreeState; }

namespace NXOpen {
namespace BlockStyler {

class Tree;

class Node {
public:
    // 0 collapses the node, 1 expands it, 2 toggles it.
    enum ExpandOption { ExpandOptionCollapse = 0, ExpandOptionExpand = 1, ExpandOptionToggle = 2 };
    void SetColumnDisplayText(int columnID, const NXString& text);
    NXString GetColumnDisplayText(int columnID);
    NXString DisplayText();  // column 0
    void SetDisplayIcon(const NXString& icon);
    NXString DisplayIcon();
    void SetSelectedIcon(const NXString& icon);
    NXString SelectedIcon();
    // The parent (null at the top), the next node in display order with collapsed branches counted
    // (null after the last), the first child and the next sibling.
    Node* ParentNode();
    Node* NextNode();
    Node* FirstChildNode();
    Node* NextSiblingNode();
    void Expand(ExpandOption option);
    bool IsExpanded();
private:
    friend struct host::ui::TreeState;
    friend class Tree;
    explicit Node(host::ui::TreeNode* node) : node_(node) {}
    host::ui::TreeNode* node_;
};

// A context menu of numbered items; the tree keeps a copy when it is set.
class TreeListMenu {
public:
    void AddMenuItem(int itemID, const NXString& text);
    void SetItemIcon(int itemID, const NXString& icon);
    struct Item {
        int id;
        NXString text, icon;
    };
    const std::vector<Item>& Items() const { return items_; }
private:
    friend class Tree;
    TreeListMenu() = default;
    std::vector<Item> items_;
};

class Tree : public UIBlock {
public:
    using UIBlock::UIBlock;
    // 0 first under the parent, 1 last, 2 in order of the column-0 texts, 3 after the given node.
    enum NodeInsertOption { NodeInsertOptionAlwaysFirst = 0, NodeInsertOptionAlwaysLast = 1, NodeInsertOptionSort = 2, NodeInsertOptionLast = 3 };
    typedef Callback<void, Tree*, Node*, int, bool> OnSelectCallback;
    typedef Callback<NXString, Tree*, Node*, int> ToolTipTextCallback;
    typedef Callback<void, Tree*, Node*, int> OnMenuCallback;
    typedef Callback<void, Tree*, Node*, int> OnMenuSelectionCallback;
    void SetOnSelectHandler(const OnSelectCallback& cb);
    void SetToolTipTextHandler(const ToolTipTextCallback& cb);
    void SetOnMenuHandler(const OnMenuCallback& cb);
    void SetOnMenuSelectionHandler(const OnMenuSelectionCallback& cb);

    void InsertColumn(int columnID, const NXString& columnDisplayName, int columnWidth);
    void SetColumnVisible(int columnID, bool visible);
    // A node of this tree, not yet shown; InsertNode places it (a null parent: at the top).
    Node* CreateNode(const NXString& displayText);
    void InsertNode(Node* node, Node* parentNode, Node* afterNode, NodeInsertOption option);
    // The first node at the top, null when the tree is empty.
    Node* RootNode();
    std::vector<Node*> GetSelectedNodes();
    // A new menu, the caller's to delete once it is set.
    TreeListMenu* CreateMenu();
    void SetMenu(TreeListMenu* menu);
private:
    host::ui::TreeState& state();
};

}  // namespace BlockStyler
}  // namespace NXOpen
