#pragma once
#include <vector>
#include <uf_defs.h>
#include "common/styler_dialog.hpp"

class delete_attr : public StylerDialog<delete_attr> {
public:
    delete_attr();
    void initialize_cb();
    void dialogShown_cb();
    int apply_cb();
    int update_cb(NXOpen::BlockStyler::UIBlock* block);
    // Deletes every attribute of the objects; once an occurrence is among them, of all their prototypes too.
    void 删除属性(bool& occurrenceSeen, bool& plainSeen, const std::vector<tag_t>& objects);
    // Remembers the bodies marked for drawing, and puts them and every body's component on layer 1.
    void 所有图号();
    // Gives the bodies (and, for occurrences, their prototypes) back the initial drawing number.
    void 图号还原(bool& occurrenceSeen, bool& plainSeen, const std::vector<tag_t>& bodies);
    // Deletes every drawing sheet of the work part.
    void 删除图纸页();

private:
    std::vector<tag_t> bodies_;  // marked for drawing, appended by every restore
    NXOpen::BlockStyler::Group* group0 = nullptr;
    NXOpen::BlockStyler::SelectObject* selection0 = nullptr;
    NXOpen::BlockStyler::Toggle* toggle_qian = nullptr;
    NXOpen::BlockStyler::Toggle* toggle_delete = nullptr;
};
