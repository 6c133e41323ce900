#pragma once
#include "common/styler_dialog.hpp"

class delete_attr : public StylerDialog<delete_attr> {
public:
    delete_attr();
    void initialize_cb();
    void dialogShown_cb();
    int apply_cb();
    int update_cb(NXOpen::BlockStyler::UIBlock* block);

private:
    NXOpen::BlockStyler::Group* group0 = nullptr;
    NXOpen::BlockStyler::SelectObject* selection0 = nullptr;
    NXOpen::BlockStyler::Toggle* toggle_qian = nullptr;
    NXOpen::BlockStyler::Toggle* toggle_delete = nullptr;
};
