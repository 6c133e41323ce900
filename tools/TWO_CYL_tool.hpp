#pragma once
#include "common/styler_dialog.hpp"

class TWO_CYL_tool : public StylerDialog<TWO_CYL_tool> {
public:
    TWO_CYL_tool();
    void initialize_cb();
    void dialogShown_cb();
    int apply_cb();
    int update_cb(NXOpen::BlockStyler::UIBlock* block);

private:
    NXOpen::BlockStyler::Group* group0 = nullptr;
    NXOpen::BlockStyler::SpecifyPoint* point0 = nullptr;
    NXOpen::BlockStyler::SpecifyPoint* point01 = nullptr;
    NXOpen::BlockStyler::Group* group = nullptr;
    NXOpen::BlockStyler::ExpressionBlock* expression0 = nullptr;
};
