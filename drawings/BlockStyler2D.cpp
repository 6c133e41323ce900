#include "drawings/BlockStyler2D.hpp"
#include <uf.h>
#include <uf_part.h>

BlockStyler2D::BlockStyler2D() : StylerDialog("2D.dlx") {
    theDialog->AddApplyHandler(NXOpen::make_callback(this, &BlockStyler2D::apply_cb));
    theDialog->AddOkHandler(NXOpen::make_callback(this, &BlockStyler2D::ok_cb));
    theDialog->AddUpdateHandler(NXOpen::make_callback(this, &BlockStyler2D::update_cb));
    theDialog->AddInitializeHandler(NXOpen::make_callback(this, &BlockStyler2D::initialize_cb));
    theDialog->AddDialogShownHandler(NXOpen::make_callback(this, &BlockStyler2D::dialogShown_cb));
}

void BlockStyler2D::initialize_cb() {
    guard([&] {
        group1 = block<NXOpen::BlockStyler::Group>("group1");
        enum0 = block<NXOpen::BlockStyler::Enumeration>("enum0");
        tuhao = block<NXOpen::BlockStyler::StringBlock>("tuhao");
        ming = block<NXOpen::BlockStyler::StringBlock>("ming");
        chong = block<NXOpen::BlockStyler::Group>("chong");
        selection0 = block<NXOpen::BlockStyler::SelectObject>("selection0");
        ming_new = block<NXOpen::BlockStyler::StringBlock>("ming_new");
        tuhao_new = block<NXOpen::BlockStyler::StringBlock>("tuhao_new");
        beifen = block<NXOpen::BlockStyler::Group>("beifen");
        label0 = block<NXOpen::BlockStyler::Label>("label0");
        filepath_lujin = block<NXOpen::BlockStyler::FolderSelection>("filepath_lujin");
        ming_qz = block<NXOpen::BlockStyler::StringBlock>("ming_qz");
    });
}

void BlockStyler2D::dialogShown_cb() {}

int BlockStyler2D::apply_cb() {
    return guard([&] {});
}

int BlockStyler2D::update_cb(NXOpen::BlockStyler::UIBlock*) {
    return 0;
}
