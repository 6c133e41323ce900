#include "tools/bom.hpp"
#include <uf.h>
#include <uf_part.h>

bom::bom() : StylerDialog("bom.dlx") {
    theDialog->AddApplyHandler(NXOpen::make_callback(this, &bom::apply_cb));
    theDialog->AddOkHandler(NXOpen::make_callback(this, &bom::ok_cb));
    theDialog->AddUpdateHandler(NXOpen::make_callback(this, &bom::update_cb));
    theDialog->AddInitializeHandler(NXOpen::make_callback(this, &bom::initialize_cb));
    theDialog->AddDialogShownHandler(NXOpen::make_callback(this, &bom::dialogShown_cb));
}

void bom::initialize_cb() {
    guard([&] {
        group1 = block<NXOpen::BlockStyler::Group>("group1");
        enum0 = block<NXOpen::BlockStyler::Enumeration>("enum0");
        group2 = block<NXOpen::BlockStyler::Group>("group2");
        selection0 = block<NXOpen::BlockStyler::SelectObject>("selection0");
        label0 = block<NXOpen::BlockStyler::Label>("label0");
        filepath = block<NXOpen::BlockStyler::FolderSelection>("filepath");
        group3 = block<NXOpen::BlockStyler::Group>("group3");
        toggle0 = block<NXOpen::BlockStyler::Toggle>("toggle0");
    });
}

void bom::dialogShown_cb() {}

int bom::apply_cb() {
    return guard([&] {});
}

int bom::update_cb(NXOpen::BlockStyler::UIBlock*) {
    return 0;
}
