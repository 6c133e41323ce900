#pragma once
#include "common/styler_dialog.hpp"

class shuxingjiancha : public StylerDialog<shuxingjiancha> {
public:
    shuxingjiancha();
    void initialize_cb();
    void dialogShown_cb();
    int apply_cb();
    int update_cb(NXOpen::BlockStyler::UIBlock* block);
    // Hides the picked bodies and shows again, in their colours, those without attributes and those
    // whose mass no longer matches their stock size record.
    void wu();

private:
    void requireBlocks() const;
    NXOpen::BlockStyler::Group* group = nullptr;
    NXOpen::BlockStyler::SelectObject* blockxuanzhe = nullptr;
    NXOpen::BlockStyler::Group* group0 = nullptr;
    NXOpen::BlockStyler::StringBlock* blockwu = nullptr;
    NXOpen::BlockStyler::StringBlock* blockgai = nullptr;
    NXOpen::BlockStyler::Separator* separator01 = nullptr;
    NXOpen::BlockStyler::Group* group2 = nullptr;
    NXOpen::BlockStyler::Toggle* blocktoggle_wu = nullptr;
    NXOpen::BlockStyler::ObjectColorPicker* colorPicker_wu = nullptr;
    NXOpen::BlockStyler::Separator* separator011 = nullptr;
    NXOpen::BlockStyler::Separator* separator0111 = nullptr;
    NXOpen::BlockStyler::Toggle* blocktoggle_gai = nullptr;
    NXOpen::BlockStyler::ObjectColorPicker* colorPicker_gai = nullptr;
    NXOpen::BlockStyler::Button* blockbutton0 = nullptr;
};
