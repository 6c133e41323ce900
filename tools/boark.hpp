#pragma once
#include "common/styler_dialog.hpp"

class boark : public StylerDialog<boark> {
public:
    boark();
    void initialize_cb();
    void dialogShown_cb();
    int apply_cb();
    int update_cb(NXOpen::BlockStyler::UIBlock* block);

private:
    NXOpen::BlockStyler::Group* group0 = nullptr;
    NXOpen::BlockStyler::SpecifyOrientation* manip0 = nullptr;
    NXOpen::BlockStyler::Group* group = nullptr;
    NXOpen::BlockStyler::DoubleBlock* double0 = nullptr;
    NXOpen::BlockStyler::Group* group3 = nullptr;
    NXOpen::BlockStyler::LinearDimension* dim_X1 = nullptr;
    NXOpen::BlockStyler::LinearDimension* dim_X2 = nullptr;
    NXOpen::BlockStyler::LinearDimension* dim_Y1 = nullptr;
    NXOpen::BlockStyler::LinearDimension* dim_Y2 = nullptr;
    NXOpen::BlockStyler::LinearDimension* dim_Z1 = nullptr;
    NXOpen::BlockStyler::LinearDimension* dim_Z2 = nullptr;
};
