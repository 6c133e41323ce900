#pragma once
#include "common/styler_dialog.hpp"

class shitu_shichu : public StylerDialog<shitu_shichu> {
public:
    shitu_shichu();
    void initialize_cb();
    void dialogShown_cb();
    int apply_cb();
    int update_cb(NXOpen::BlockStyler::UIBlock* block);

private:
    NXOpen::BlockStyler::Group* group0 = nullptr;
    NXOpen::BlockStyler::SelectObject* shitu = nullptr;
    NXOpen::BlockStyler::Group* group01 = nullptr;
    NXOpen::BlockStyler::SelectObject* boy = nullptr;
    NXOpen::BlockStyler::Group* group011 = nullptr;
    NXOpen::BlockStyler::Enumeration* enum0 = nullptr;
};
