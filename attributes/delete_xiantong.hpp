#pragma once
#include "common/styler_dialog.hpp"

class delete_xiantong : public StylerDialog<delete_xiantong> {
public:
    delete_xiantong();
    void initialize_cb();
    void dialogShown_cb();
    int apply_cb();
    int update_cb(NXOpen::BlockStyler::UIBlock* block);
    int cancel_cb();

private:
    NXOpen::BlockStyler::Group* group = nullptr;
    NXOpen::BlockStyler::SelectObject* blockxuanzhe = nullptr;
    NXOpen::BlockStyler::Group* group0 = nullptr;
    NXOpen::BlockStyler::StringBlock* zongsu = nullptr;
    NXOpen::BlockStyler::StringBlock* chongdie = nullptr;
    NXOpen::BlockStyler::Separator* separator0 = nullptr;
    NXOpen::BlockStyler::Group* group2 = nullptr;
    NXOpen::BlockStyler::Toggle* blocktoggle0 = nullptr;
    NXOpen::BlockStyler::Toggle* blocktoggle_debei = nullptr;
    NXOpen::BlockStyler::ObjectColorPicker* colorPicker0 = nullptr;
};
