#include "components/delete_attr.hpp"
#include <uf.h>
#include <uf_part.h>

delete_attr::delete_attr() : StylerDialog("delete_attr.dlx") {
    theDialog->AddApplyHandler(NXOpen::make_callback(this, &delete_attr::apply_cb));
    theDialog->AddOkHandler(NXOpen::make_callback(this, &delete_attr::ok_cb));
    theDialog->AddUpdateHandler(NXOpen::make_callback(this, &delete_attr::update_cb));
    theDialog->AddInitializeHandler(NXOpen::make_callback(this, &delete_attr::initialize_cb));
    theDialog->AddDialogShownHandler(NXOpen::make_callback(this, &delete_attr::dialogShown_cb));
}

void delete_attr::initialize_cb() {
    guard([&] {
        group0 = block<NXOpen::BlockStyler::Group>("group0");
        selection0 = block<NXOpen::BlockStyler::SelectObject>("selection0");
        toggle_qian = block<NXOpen::BlockStyler::Toggle>("toggle_qian");
        toggle_delete = block<NXOpen::BlockStyler::Toggle>("toggle_delete");
    });
}

void delete_attr::dialogShown_cb() {}

int delete_attr::apply_cb() {
    return guard([&] {});
}

int delete_attr::update_cb(NXOpen::BlockStyler::UIBlock*) {
    return 0;
}
