#include "tools/shitu_shichu.hpp"
#include <uf.h>
#include <uf_part.h>

shitu_shichu::shitu_shichu() : StylerDialog("shitu_shichu.dlx") {
    theDialog->AddApplyHandler(NXOpen::make_callback(this, &shitu_shichu::apply_cb));
    theDialog->AddOkHandler(NXOpen::make_callback(this, &shitu_shichu::ok_cb));
    theDialog->AddUpdateHandler(NXOpen::make_callback(this, &shitu_shichu::update_cb));
    theDialog->AddInitializeHandler(NXOpen::make_callback(this, &shitu_shichu::initialize_cb));
    theDialog->AddDialogShownHandler(NXOpen::make_callback(this, &shitu_shichu::dialogShown_cb));
}

void shitu_shichu::initialize_cb() {
    guard([&] {
        group0 = block<NXOpen::BlockStyler::Group>("group0");
        shitu = block<NXOpen::BlockStyler::SelectObject>("shitu");
        group01 = block<NXOpen::BlockStyler::Group>("group01");
        boy = block<NXOpen::BlockStyler::SelectObject>("boy");
        group011 = block<NXOpen::BlockStyler::Group>("group011");
        enum0 = block<NXOpen::BlockStyler::Enumeration>("enum0");
    });
}

void shitu_shichu::dialogShown_cb() {}

int shitu_shichu::apply_cb() {
    return guard([&] {});
}

int shitu_shichu::update_cb(NXOpen::BlockStyler::UIBlock*) {
    return 0;
}
