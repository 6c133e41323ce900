#pragma once
#include "common/styler_dialog.hpp"

class zujian : public StylerDialog<zujian> {
public:
    zujian();
    void initialize_cb();
    void dialogShown_cb();
    int apply_cb();
    int update_cb(NXOpen::BlockStyler::UIBlock* block);
    int cancel_cb();
    int filter_cb(NXOpen::BlockStyler::UIBlock* block, NXOpen::TaggedObject* selectObject);

private:
    NXOpen::BlockStyler::Group* group0 = nullptr;
    NXOpen::BlockStyler::Enumeration* enum0 = nullptr;
    NXOpen::BlockStyler::Group* group01 = nullptr;
    NXOpen::BlockStyler::SelectObject* selection0 = nullptr;
    NXOpen::BlockStyler::StringBlock* moldno = nullptr;
    NXOpen::BlockStyler::StringBlock* moldname = nullptr;
    NXOpen::BlockStyler::StringBlock* beginname = nullptr;
    NXOpen::BlockStyler::Toggle* toggle0 = nullptr;
};
