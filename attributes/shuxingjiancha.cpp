#include "attributes/shuxingjiancha.hpp"
#include <uf.h>
#include <uf_part.h>

shuxingjiancha::shuxingjiancha() : StylerDialog("shuxingjiancha.dlx") {
    theDialog->AddApplyHandler(NXOpen::make_callback(this, &shuxingjiancha::apply_cb));
    theDialog->AddUpdateHandler(NXOpen::make_callback(this, &shuxingjiancha::update_cb));
    theDialog->AddInitializeHandler(NXOpen::make_callback(this, &shuxingjiancha::initialize_cb));
    theDialog->AddDialogShownHandler(NXOpen::make_callback(this, &shuxingjiancha::dialogShown_cb));
}

void shuxingjiancha::initialize_cb() {
    guard([&] {
        group = block<NXOpen::BlockStyler::Group>("group");
        blockxuanzhe = block<NXOpen::BlockStyler::SelectObject>("blockxuanzhe");
        group0 = block<NXOpen::BlockStyler::Group>("group0");
        blockwu = block<NXOpen::BlockStyler::StringBlock>("blockwu");
        blockgai = block<NXOpen::BlockStyler::StringBlock>("blockgai");
        separator01 = block<NXOpen::BlockStyler::Separator>("separator01");
        group2 = block<NXOpen::BlockStyler::Group>("group2");
        blocktoggle_wu = block<NXOpen::BlockStyler::Toggle>("blocktoggle_wu");
        colorPicker_wu = block<NXOpen::BlockStyler::ObjectColorPicker>("colorPicker_wu");
        separator011 = block<NXOpen::BlockStyler::Separator>("separator011");
        separator0111 = block<NXOpen::BlockStyler::Separator>("separator0111");
        blocktoggle_gai = block<NXOpen::BlockStyler::Toggle>("blocktoggle_gai");
        colorPicker_gai = block<NXOpen::BlockStyler::ObjectColorPicker>("colorPicker_gai");
        blockbutton0 = block<NXOpen::BlockStyler::Button>("blockbutton0");
    });
}

void shuxingjiancha::dialogShown_cb() {}

int shuxingjiancha::apply_cb() {
    return guard([&] {});
}

int shuxingjiancha::update_cb(NXOpen::BlockStyler::UIBlock*) {
    return 0;
}
