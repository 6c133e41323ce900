#include "attributes/delete_xiantong.hpp"
#include <uf.h>
#include <uf_part.h>

delete_xiantong::delete_xiantong() : StylerDialog("delete_xiantong.dlx") {
    theDialog->AddApplyHandler(NXOpen::make_callback(this, &delete_xiantong::apply_cb));
    theDialog->AddCancelHandler(NXOpen::make_callback(this, &delete_xiantong::cancel_cb));
    theDialog->AddUpdateHandler(NXOpen::make_callback(this, &delete_xiantong::update_cb));
    theDialog->AddInitializeHandler(NXOpen::make_callback(this, &delete_xiantong::initialize_cb));
    theDialog->AddDialogShownHandler(NXOpen::make_callback(this, &delete_xiantong::dialogShown_cb));
}

void delete_xiantong::initialize_cb() {
    guard([&] {
        group = block<NXOpen::BlockStyler::Group>("group");
        blockxuanzhe = block<NXOpen::BlockStyler::SelectObject>("blockxuanzhe");
        group0 = block<NXOpen::BlockStyler::Group>("group0");
        zongsu = block<NXOpen::BlockStyler::StringBlock>("zongsu");
        chongdie = block<NXOpen::BlockStyler::StringBlock>("chongdie");
        separator0 = block<NXOpen::BlockStyler::Separator>("separator0");
        group2 = block<NXOpen::BlockStyler::Group>("group2");
        blocktoggle0 = block<NXOpen::BlockStyler::Toggle>("blocktoggle0");
        blocktoggle_debei = block<NXOpen::BlockStyler::Toggle>("blocktoggle_debei");
        colorPicker0 = block<NXOpen::BlockStyler::ObjectColorPicker>("colorPicker0");
    });
}

void delete_xiantong::dialogShown_cb() {}

int delete_xiantong::apply_cb() {
    return guard([&] {});
}

int delete_xiantong::update_cb(NXOpen::BlockStyler::UIBlock*) {
    return 0;
}

int delete_xiantong::cancel_cb() {
    UF_initialize();
    UF_PART_cleanup(UF_PART_cleanup_highlight);
    UF_terminate();
    return 0;
}
