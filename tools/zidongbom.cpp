#include "tools/zidongbom.hpp"
#include <uf.h>
#include <uf_part.h>

zidongbom::zidongbom() : StylerDialog("zidong-bom.dlx") {
    theDialog->AddApplyHandler(NXOpen::make_callback(this, &zidongbom::apply_cb));
    theDialog->AddOkHandler(NXOpen::make_callback(this, &zidongbom::ok_cb));
    theDialog->AddUpdateHandler(NXOpen::make_callback(this, &zidongbom::update_cb));
    theDialog->AddInitializeHandler(NXOpen::make_callback(this, &zidongbom::initialize_cb));
    theDialog->AddDialogShownHandler(NXOpen::make_callback(this, &zidongbom::dialogShown_cb));
}

void zidongbom::initialize_cb() {
    guard([&] {
        group0 = block<NXOpen::BlockStyler::Group>("group0");
        selection0 = block<NXOpen::BlockStyler::SelectObject>("selection0");
        group01 = block<NXOpen::BlockStyler::Group>("group01");
        expression0 = block<NXOpen::BlockStyler::ExpressionBlock>("expression0");
    });
}

void zidongbom::dialogShown_cb() {}

int zidongbom::apply_cb() {
    return guard([&] {});
}

int zidongbom::update_cb(NXOpen::BlockStyler::UIBlock*) {
    return 0;
}
