#include "attributes/shuxin_jichen.hpp"
#include <memory>
#include <NXOpen/TaggedObject.hxx>
#include <uf.h>
#include <uf_object_types.h>
#include <uf_ui.h>
#include "common/attributes.hpp"

using namespace NXOpen::BlockStyler;

shuxin_jichen::shuxin_jichen() : StylerDialog("shuxin_jichen.dlx") {
    theDialog->AddApplyHandler(NXOpen::make_callback(this, &shuxin_jichen::apply_cb));
    theDialog->AddOkHandler(NXOpen::make_callback(this, &shuxin_jichen::ok_cb));
    theDialog->AddUpdateHandler(NXOpen::make_callback(this, &shuxin_jichen::update_cb));
    theDialog->AddInitializeHandler(NXOpen::make_callback(this, &shuxin_jichen::initialize_cb));
    theDialog->AddDialogShownHandler(NXOpen::make_callback(this, &shuxin_jichen::dialogShown_cb));
}

void shuxin_jichen::initialize_cb() {
    guard([&] {
        group0 = block<Group>("group0");
        selection0 = block<SelectObject>("selection0");
        solidBodiesOnly(selection0);
    });
}

void shuxin_jichen::dialogShown_cb() {}

int shuxin_jichen::apply_cb() {
    return guard([&] {
        requireBlocks({{selection0, "selection0"}});
        std::vector<NXOpen::TaggedObject*> picked = selection0->GetSelectedObjects();
        if (!picked.empty()) 读写体的属性(picked[0]->Tag(), name, partNo, spec, material, remark, category);
    });
}

int shuxin_jichen::update_cb(UIBlock*) { return 0; }

int shuxin_jichen::读写体的属性(tag_t body, std::string& outName, std::string& outNo, std::string& outSpec,
                               std::string& outMaterial, std::string& outRemark, std::string& outCategory) {
    UF_initialize();
    outName = 得到体的属性(body, ATTR_PART_NAME);
    outNo = 得到体的属性(body, ATTR_PART_NO);
    outSpec = 得到体的属性(body, ATTR_SPEC);
    outMaterial = 得到体的属性(body, ATTR_MATERIAL);
    outRemark = 得到体的属性(body, ATTR_REMARK);
    outCategory = 得到体的属性(body, ATTR_CATEGORY);
    taken = true;
    UF_terminate();
    return 0;
}
