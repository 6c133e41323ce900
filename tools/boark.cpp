#include "tools/boark.hpp"
#include <uf.h>
#include <uf_part.h>

boark::boark() : StylerDialog("boark.dlx") {
    theDialog->AddApplyHandler(NXOpen::make_callback(this, &boark::apply_cb));
    theDialog->AddOkHandler(NXOpen::make_callback(this, &boark::ok_cb));
    theDialog->AddUpdateHandler(NXOpen::make_callback(this, &boark::update_cb));
    theDialog->AddInitializeHandler(NXOpen::make_callback(this, &boark::initialize_cb));
    theDialog->AddDialogShownHandler(NXOpen::make_callback(this, &boark::dialogShown_cb));
}

void boark::initialize_cb() {
    guard([&] {
        group0 = block<NXOpen::BlockStyler::Group>("group0");
        manip0 = block<NXOpen::BlockStyler::SpecifyOrientation>("manip0");
        group = block<NXOpen::BlockStyler::Group>("group");
        double0 = block<NXOpen::BlockStyler::DoubleBlock>("double0");
        group3 = block<NXOpen::BlockStyler::Group>("group3");
        dim_X1 = block<NXOpen::BlockStyler::LinearDimension>("dim_X1");
        dim_X2 = block<NXOpen::BlockStyler::LinearDimension>("dim_X2");
        dim_Y1 = block<NXOpen::BlockStyler::LinearDimension>("dim_Y1");
        dim_Y2 = block<NXOpen::BlockStyler::LinearDimension>("dim_Y2");
        dim_Z1 = block<NXOpen::BlockStyler::LinearDimension>("dim_Z1");
        dim_Z2 = block<NXOpen::BlockStyler::LinearDimension>("dim_Z2");
    });
}

void boark::dialogShown_cb() {}

int boark::apply_cb() {
    return guard([&] {});
}

int boark::update_cb(NXOpen::BlockStyler::UIBlock*) {
    return 0;
}
