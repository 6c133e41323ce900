// Attribute inheritance: the attributes of a picked body, taken over by the attribute command.
#pragma once
#include <string>
#include <uf_defs.h>
#include "common/styler_dialog.hpp"

class shuxin_jichen : public StylerDialog<shuxin_jichen> {
public:
    // What was read from the picked body; empty until then.
    std::string name, partNo, spec, material, remark, category;
    // Whether a body was read: a dialog closed without one leaves the caller's fields alone.
    bool taken = false;

    shuxin_jichen();
    void initialize_cb();
    void dialogShown_cb();
    int apply_cb();
    int update_cb(NXOpen::BlockStyler::UIBlock* block);
    int 读写体的属性(tag_t body, std::string& name, std::string& partNo, std::string& spec, std::string& material,
                    std::string& remark, std::string& category);

private:
    NXOpen::BlockStyler::Group* group0 = nullptr;
    NXOpen::BlockStyler::SelectObject* selection0 = nullptr;
};
