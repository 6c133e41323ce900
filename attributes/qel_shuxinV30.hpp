#pragma once
#include "common/styler_dialog.hpp"

class qel_shuxinV30 : public StylerDialog<qel_shuxinV30> {
public:
    qel_shuxinV30();
    ~qel_shuxinV30() override;
    void initialize_cb();
    void dialogShown_cb();
    int apply_cb();
    int update_cb(NXOpen::BlockStyler::UIBlock* block);
    int cancel_cb();

private:
    NXOpen::BlockStyler::Group* group1 = nullptr;
    NXOpen::BlockStyler::Enumeration* blockleixing = nullptr;
    NXOpen::BlockStyler::Group* group = nullptr;
    NXOpen::BlockStyler::SelectObject* blockxuanzhe = nullptr;
    NXOpen::BlockStyler::Group* group0 = nullptr;
    NXOpen::BlockStyler::StringBlock* blockgunge = nullptr;
    NXOpen::BlockStyler::Button* jicheng = nullptr;
    NXOpen::BlockStyler::Separator* separator01 = nullptr;
    NXOpen::BlockStyler::StringBlock* blockPartName = nullptr;
    NXOpen::BlockStyler::StringBlock* blockPartNo = nullptr;
    NXOpen::BlockStyler::StringBlock* blockbeizhu = nullptr;
    NXOpen::BlockStyler::StringBlock* blockCaiLiao = nullptr;
    NXOpen::BlockStyler::StringBlock* blocksuling = nullptr;
    NXOpen::BlockStyler::StringBlock* blockRiqi = nullptr;
    NXOpen::BlockStyler::Separator* separator0 = nullptr;
    NXOpen::BlockStyler::Group* group2 = nullptr;
    NXOpen::BlockStyler::Toggle* blocktoggle0 = nullptr;
    NXOpen::BlockStyler::Toggle* blocktoggle01 = nullptr;
    NXOpen::BlockStyler::ObjectColorPicker* colorPicker0 = nullptr;
    NXOpen::BlockStyler::Button* blockbutton0 = nullptr;
    NXOpen::BlockStyler::Button* button0 = nullptr;
};
