#pragma once
#include "common/styler_dialog.hpp"

class shuxin_jichen : public StylerDialog<shuxin_jichen> {
public:
    shuxin_jichen();
    void initialize_cb();
    void dialogShown_cb();
    int apply_cb();
    int update_cb(NXOpen::BlockStyler::UIBlock* block);

private:
    NXOpen::BlockStyler::Group* group0 = nullptr;
    NXOpen::BlockStyler::SelectObject* selection0 = nullptr;
};
