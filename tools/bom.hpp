#pragma once
#include "common/styler_dialog.hpp"

class bom : public StylerDialog<bom> {
public:
    bom();
    void initialize_cb();
    void dialogShown_cb();
    int apply_cb();
    int update_cb(NXOpen::BlockStyler::UIBlock* block);

private:
    NXOpen::BlockStyler::Group* group1 = nullptr;
    NXOpen::BlockStyler::Enumeration* enum0 = nullptr;
    NXOpen::BlockStyler::Group* group2 = nullptr;
    NXOpen::BlockStyler::SelectObject* selection0 = nullptr;
    NXOpen::BlockStyler::Label* label0 = nullptr;
    NXOpen::BlockStyler::FolderSelection* filepath = nullptr;
    NXOpen::BlockStyler::Group* group3 = nullptr;
    NXOpen::BlockStyler::Toggle* toggle0 = nullptr;
};
