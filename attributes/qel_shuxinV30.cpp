#include "attributes/qel_shuxinV30.hpp"
#include <uf.h>
#include <uf_part.h>

qel_shuxinV30::qel_shuxinV30() : StylerDialog("qel_shuxinV3.0.dlx") {
    theDialog->AddApplyHandler(NXOpen::make_callback(this, &qel_shuxinV30::apply_cb));
    theDialog->AddUpdateHandler(NXOpen::make_callback(this, &qel_shuxinV30::update_cb));
    theDialog->AddCancelHandler(NXOpen::make_callback(this, &qel_shuxinV30::cancel_cb));
    theDialog->AddInitializeHandler(NXOpen::make_callback(this, &qel_shuxinV30::initialize_cb));
    theDialog->AddDialogShownHandler(NXOpen::make_callback(this, &qel_shuxinV30::dialogShown_cb));
}

qel_shuxinV30::~qel_shuxinV30() {
    UF_initialize();
    UF_PART_cleanup(UF_PART_cleanup_highlight);
    UF_terminate();
}

void qel_shuxinV30::initialize_cb() {
    guard([&] {
        group1 = block<NXOpen::BlockStyler::Group>("group1");
        blockleixing = block<NXOpen::BlockStyler::Enumeration>("blockleixing");
        group = block<NXOpen::BlockStyler::Group>("group");
        blockxuanzhe = block<NXOpen::BlockStyler::SelectObject>("blockxuanzhe");
        group0 = block<NXOpen::BlockStyler::Group>("group0");
        blockgunge = block<NXOpen::BlockStyler::StringBlock>("blockgunge");
        jicheng = block<NXOpen::BlockStyler::Button>("jicheng");
        separator01 = block<NXOpen::BlockStyler::Separator>("separator01");
        blockPartName = block<NXOpen::BlockStyler::StringBlock>("blockPartName");
        blockPartNo = block<NXOpen::BlockStyler::StringBlock>("blockPartNo");
        blockbeizhu = block<NXOpen::BlockStyler::StringBlock>("blockbeizhu");
        blockCaiLiao = block<NXOpen::BlockStyler::StringBlock>("blockCaiLiao");
        blocksuling = block<NXOpen::BlockStyler::StringBlock>("blocksuling");
        blockRiqi = block<NXOpen::BlockStyler::StringBlock>("blockRiqi");
        separator0 = block<NXOpen::BlockStyler::Separator>("separator0");
        group2 = block<NXOpen::BlockStyler::Group>("group2");
        blocktoggle0 = block<NXOpen::BlockStyler::Toggle>("blocktoggle0");
        blocktoggle01 = block<NXOpen::BlockStyler::Toggle>("blocktoggle01");
        colorPicker0 = block<NXOpen::BlockStyler::ObjectColorPicker>("colorPicker0");
        blockbutton0 = block<NXOpen::BlockStyler::Button>("blockbutton0");
        button0 = block<NXOpen::BlockStyler::Button>("button0");
    });
}

void qel_shuxinV30::dialogShown_cb() {}

int qel_shuxinV30::apply_cb() {
    return guard([&] {});
}

int qel_shuxinV30::update_cb(NXOpen::BlockStyler::UIBlock*) {
    return 0;
}

int qel_shuxinV30::cancel_cb() {
    UF_initialize();
    UF_PART_cleanup(UF_PART_cleanup_highlight);
    UF_terminate();
    return 0;
}
