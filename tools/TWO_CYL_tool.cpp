#include "tools/TWO_CYL_tool.hpp"
#include <uf.h>
#include <uf_part.h>

TWO_CYL_tool::TWO_CYL_tool() : StylerDialog("TWO_CYL_tool.dlx") {
    theDialog->AddApplyHandler(NXOpen::make_callback(this, &TWO_CYL_tool::apply_cb));
    theDialog->AddOkHandler(NXOpen::make_callback(this, &TWO_CYL_tool::ok_cb));
    theDialog->AddUpdateHandler(NXOpen::make_callback(this, &TWO_CYL_tool::update_cb));
    theDialog->AddInitializeHandler(NXOpen::make_callback(this, &TWO_CYL_tool::initialize_cb));
    theDialog->AddDialogShownHandler(NXOpen::make_callback(this, &TWO_CYL_tool::dialogShown_cb));
}

void TWO_CYL_tool::initialize_cb() {
    guard([&] {
        group0 = block<NXOpen::BlockStyler::Group>("group0");
        point0 = block<NXOpen::BlockStyler::SpecifyPoint>("point0");
        point01 = block<NXOpen::BlockStyler::SpecifyPoint>("point01");
        group = block<NXOpen::BlockStyler::Group>("group");
        expression0 = block<NXOpen::BlockStyler::ExpressionBlock>("expression0");
    });
}

void TWO_CYL_tool::dialogShown_cb() {}

int TWO_CYL_tool::apply_cb() {
    return guard([&] {});
}

int TWO_CYL_tool::update_cb(NXOpen::BlockStyler::UIBlock*) {
    return 0;
}
