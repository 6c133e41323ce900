#pragma once
#include <string>
#include <NXOpen/BlockStyler_DrawingArea.hxx>
#include <NXOpen/BlockStyler_Tree.hxx>
#include <uf_defs.h>
#include "common/styler_dialog.hpp"

class wucanku : public StylerDialog<wucanku> {
public:
    wucanku();
    void initialize_cb();
    void dialogShown_cb();
    int apply_cb();
    int update_cb(NXOpen::BlockStyler::UIBlock* block);

    // Adds a folder's sub-folders and part files to the tree under the current parent node.
    void show_file(const std::string& folder, NXOpen::BlockStyler::Node* parent);
    // The folder text with "\" appended.
    static std::string initarray(const std::string& folder);
    NXOpen::BlockStyler::Node* CreateAndAddNode(NXOpen::BlockStyler::Node* after, const std::string& text);
    void OnSelectCallback(NXOpen::BlockStyler::Tree* tree, NXOpen::BlockStyler::Node* node, int column, bool selected);
    NXOpen::NXString ToolTipTextCallback(NXOpen::BlockStyler::Tree* tree, NXOpen::BlockStyler::Node* node, int column);
    void OnMenuCallback(NXOpen::BlockStyler::Tree* tree, NXOpen::BlockStyler::Node* node, int column);
    void OnMenuSelectionCallback(NXOpen::BlockStyler::Tree* tree, NXOpen::BlockStyler::Node* node, int item);
    // Imports the part file at the manipulator's placement, into a group of its own.
    void importpart(const std::string& file);

private:
    void requireBlocks() const;
    std::string libraryFolder() const;
    void showPicture(const std::string& path);

    NXOpen::BlockStyler::Node* parent_ = nullptr;   // where new nodes go while the tree is built
    NXOpen::BlockStyler::Node* last_ = nullptr;     // the last node made
    tag_t group_ = NULL_TAG;                        // the last import's group
    double origin_[3] = {0, 0, 0}, xAxis_[3] = {1, 0, 0}, yAxis_[3] = {0, 1, 0};   // where it stands

    NXOpen::BlockStyler::Tree* tree_control0 = nullptr;
    NXOpen::BlockStyler::DrawingArea* drawingArea0 = nullptr;
    NXOpen::BlockStyler::Group* group = nullptr;
    NXOpen::BlockStyler::Toggle* toggle0 = nullptr;
    NXOpen::BlockStyler::SpecifyOrientation* manip0 = nullptr;
};
