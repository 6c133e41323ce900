#include "components/zujian.hpp"
#include <uf.h>
#include <uf_part.h>

zujian::zujian() : StylerDialog("zujian.dlx") {
    theDialog->AddApplyHandler(NXOpen::make_callback(this, &zujian::apply_cb));
    theDialog->AddOkHandler(NXOpen::make_callback(this, &zujian::ok_cb));
    theDialog->AddUpdateHandler(NXOpen::make_callback(this, &zujian::update_cb));
    theDialog->AddFilterHandler(NXOpen::make_callback(this, &zujian::filter_cb));
    theDialog->AddCancelHandler(NXOpen::make_callback(this, &zujian::cancel_cb));
    theDialog->AddInitializeHandler(NXOpen::make_callback(this, &zujian::initialize_cb));
    theDialog->AddDialogShownHandler(NXOpen::make_callback(this, &zujian::dialogShown_cb));
}

void zujian::initialize_cb() {
    guard([&] {
        group0 = block<NXOpen::BlockStyler::Group>("group0");
        enum0 = block<NXOpen::BlockStyler::Enumeration>("enum0");
        group01 = block<NXOpen::BlockStyler::Group>("group01");
        selection0 = block<NXOpen::BlockStyler::SelectObject>("selection0");
        moldno = block<NXOpen::BlockStyler::StringBlock>("moldno");
        moldname = block<NXOpen::BlockStyler::StringBlock>("moldname");
        beginname = block<NXOpen::BlockStyler::StringBlock>("beginname");
        toggle0 = block<NXOpen::BlockStyler::Toggle>("toggle0");
    });
}

void zujian::dialogShown_cb() {}

int zujian::apply_cb() {
    return guard([&] {});
}

int zujian::update_cb(NXOpen::BlockStyler::UIBlock*) {
    return 0;
}

int zujian::cancel_cb() {
    return 0;
}

int zujian::filter_cb(NXOpen::BlockStyler::UIBlock*, NXOpen::TaggedObject*) {
    return 1;
}
