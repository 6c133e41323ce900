#include "components/tuhao_xiegai.hpp"
#include <uf.h>
#include <uf_part.h>

tuhao_xiegai::tuhao_xiegai() : StylerDialog("tuhao_xiegai.dlx") {
    theDialog->AddApplyHandler(NXOpen::make_callback(this, &tuhao_xiegai::apply_cb));
    theDialog->AddOkHandler(NXOpen::make_callback(this, &tuhao_xiegai::ok_cb));
    theDialog->AddUpdateHandler(NXOpen::make_callback(this, &tuhao_xiegai::update_cb));
    theDialog->AddInitializeHandler(NXOpen::make_callback(this, &tuhao_xiegai::initialize_cb));
    theDialog->AddDialogShownHandler(NXOpen::make_callback(this, &tuhao_xiegai::dialogShown_cb));
}

void tuhao_xiegai::initialize_cb() {
    guard([&] {
        stringss_qian = block<NXOpen::BlockStyler::StringBlock>("stringss_qian");
        stringss_hou = block<NXOpen::BlockStyler::StringBlock>("stringss_hou");
    });
}

void tuhao_xiegai::dialogShown_cb() {}

int tuhao_xiegai::apply_cb() {
    return guard([&] {});
}

int tuhao_xiegai::update_cb(NXOpen::BlockStyler::UIBlock*) {
    return 0;
}
