// The bill of materials: one row per body, or per part name with its count, written through Knowledge
// Fusion rules into a copy of the workbook template, and a copy of it named after the work part.
#pragma once
#include <string>
#include <vector>
#include <uf_defs.h>
#include "common/styler_dialog.hpp"

class bom : public StylerDialog<bom> {
public:
    bom();
    void initialize_cb();
    void dialogShown_cb();
    int apply_cb();
    int update_cb(NXOpen::BlockStyler::UIBlock* block);
    void AA();

private:
    void requireBlocks() const;
    void showSelection();
    std::vector<tag_t> bodies() const;

    NXOpen::BlockStyler::Group* group1 = nullptr;
    NXOpen::BlockStyler::Enumeration* enum0 = nullptr;
    NXOpen::BlockStyler::Group* group2 = nullptr;
    NXOpen::BlockStyler::SelectObject* selection0 = nullptr;
    NXOpen::BlockStyler::Label* label0 = nullptr;
    NXOpen::BlockStyler::FolderSelection* filepath = nullptr;
    NXOpen::BlockStyler::Group* group3 = nullptr;
    NXOpen::BlockStyler::Toggle* toggle0 = nullptr;
};
