#include "tools/wucanku.hpp"
#include <uf.h>
#include <uf_part.h>

wucanku::wucanku() : StylerDialog("wucanku.dlx") {
    theDialog->AddApplyHandler(NXOpen::make_callback(this, &wucanku::apply_cb));
    theDialog->AddOkHandler(NXOpen::make_callback(this, &wucanku::ok_cb));
    theDialog->AddUpdateHandler(NXOpen::make_callback(this, &wucanku::update_cb));
    theDialog->AddInitializeHandler(NXOpen::make_callback(this, &wucanku::initialize_cb));
    theDialog->AddDialogShownHandler(NXOpen::make_callback(this, &wucanku::dialogShown_cb));
}

void wucanku::initialize_cb() {
    guard([&] {
        tree_control0 = block<NXOpen::BlockStyler::Tree>("tree_control0");
        drawingArea0 = block<NXOpen::BlockStyler::DrawingArea>("drawingArea0");
        group = block<NXOpen::BlockStyler::Group>("group");
        toggle0 = block<NXOpen::BlockStyler::Toggle>("toggle0");
        manip0 = block<NXOpen::BlockStyler::SpecifyOrientation>("manip0");
    });
}

void wucanku::dialogShown_cb() {}

int wucanku::apply_cb() {
    return guard([&] {});
}

int wucanku::update_cb(NXOpen::BlockStyler::UIBlock*) {
    return 0;
}
