#include "attributes/shuxin_jichen.hpp"
#include <uf.h>
#include <uf_part.h>

shuxin_jichen::shuxin_jichen() : StylerDialog("shuxin_jichen.dlx") {
    theDialog->AddApplyHandler(NXOpen::make_callback(this, &shuxin_jichen::apply_cb));
    theDialog->AddOkHandler(NXOpen::make_callback(this, &shuxin_jichen::ok_cb));
    theDialog->AddUpdateHandler(NXOpen::make_callback(this, &shuxin_jichen::update_cb));
    theDialog->AddInitializeHandler(NXOpen::make_callback(this, &shuxin_jichen::initialize_cb));
    theDialog->AddDialogShownHandler(NXOpen::make_callback(this, &shuxin_jichen::dialogShown_cb));
}

void shuxin_jichen::initialize_cb() {
    guard([&] {
        group0 = block<NXOpen::BlockStyler::Group>("group0");
        selection0 = block<NXOpen::BlockStyler::SelectObject>("selection0");
    });
}

void shuxin_jichen::dialogShown_cb() {}

int shuxin_jichen::apply_cb() {
    return guard([&] {});
}

int shuxin_jichen::update_cb(NXOpen::BlockStyler::UIBlock*) {
    return 0;
}
