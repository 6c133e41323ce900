#pragma once
#include "common/styler_dialog.hpp"

class tuhao_xiegai : public StylerDialog<tuhao_xiegai> {
public:
    tuhao_xiegai();
    void initialize_cb();
    void dialogShown_cb();
    int apply_cb();
    int update_cb(NXOpen::BlockStyler::UIBlock* block);

private:
    NXOpen::BlockStyler::StringBlock* stringss_qian = nullptr;
    NXOpen::BlockStyler::StringBlock* stringss_hou = nullptr;
};
