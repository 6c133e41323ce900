#pragma once
#include "common/styler_dialog.hpp"

#include <vector>
#include <uf_defs.h>

class delete_xiantong : public StylerDialog<delete_xiantong> {
public:
    delete_xiantong();
    void initialize_cb();
    void dialogShown_cb();
    int apply_cb();
    int update_cb(NXOpen::BlockStyler::UIBlock* block);
    int cancel_cb();
    // Counts the places and the overlapping copies among the picked bodies.
    void 得到选择体的信息();

private:
    std::vector<tag_t> firstSeen_;
    std::vector<tag_t> duplicates_;
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
