#pragma once
#include <uf_defs.h>
#include "common/styler_dialog.hpp"

class shitu_shichu : public StylerDialog<shitu_shichu> {
public:
    shitu_shichu();
    void initialize_cb();
    void dialogShown_cb();
    int apply_cb();
    int update_cb(NXOpen::BlockStyler::UIBlock* block);
    // Erases the object from the view, by the view's name.
    void 擦出对象(tag_t view, tag_t object);
    // Shades the body in the view translucent cyan.
    void 编辑着色及透明(tag_t view, tag_t object);
    // Undoes every erase and shade edit of the view.
    void 取消所有擦除(tag_t view);

private:
    NXOpen::BlockStyler::Group* group0 = nullptr;
    NXOpen::BlockStyler::SelectObject* shitu = nullptr;
    NXOpen::BlockStyler::Group* group01 = nullptr;
    NXOpen::BlockStyler::SelectObject* boy = nullptr;
    NXOpen::BlockStyler::Group* group011 = nullptr;
    NXOpen::BlockStyler::Enumeration* enum0 = nullptr;
};
