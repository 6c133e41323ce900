#pragma once
#include <uf_defs.h>
#include "common/styler_dialog.hpp"

class zidongbom : public StylerDialog<zidongbom> {
public:
    zidongbom();
    void initialize_cb();
    void dialogShown_cb();
    int apply_cb();
    int update_cb(NXOpen::BlockStyler::UIBlock* block);
    // The first parts list among what the current sheet shows; NULL_TAG when there is none.
    tag_t 找明细表();

private:
    NXOpen::BlockStyler::Group* group0 = nullptr;
    NXOpen::BlockStyler::SelectObject* selection0 = nullptr;
    NXOpen::BlockStyler::Group* group01 = nullptr;
    NXOpen::BlockStyler::ExpressionBlock* expression0 = nullptr;
};
