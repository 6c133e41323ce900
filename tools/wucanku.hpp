#pragma once
#include "common/styler_dialog.hpp"

class wucanku : public StylerDialog<wucanku> {
public:
    wucanku();
    void initialize_cb();
    void dialogShown_cb();
    int apply_cb();
    int update_cb(NXOpen::BlockStyler::UIBlock* block);

private:
    NXOpen::BlockStyler::Tree* tree_control0 = nullptr;
    NXOpen::BlockStyler::DrawingArea* drawingArea0 = nullptr;
    NXOpen::BlockStyler::Group* group = nullptr;
    NXOpen::BlockStyler::Toggle* toggle0 = nullptr;
    NXOpen::BlockStyler::SpecifyOrientation* manip0 = nullptr;
};
