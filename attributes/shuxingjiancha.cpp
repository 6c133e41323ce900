#include "attributes/shuxingjiancha.hpp"
#include <cmath>
#include <cstdio>
#include <NXOpen/TaggedObject.hxx>
#include <uf.h>
#include <uf_attr.h>
#include <uf_modl.h>
#include <uf_obj.h>
#include <uf_part.h>
#include "attributes/stock_rules.hpp"
#include "common/attributes.hpp"
#include "common/uf_bracket.hpp"

namespace {

// Mass figures within this many grams of the recorded one are the same body.
const double kTolerance = 3.0;

bool has(tag_t object, const char* title) {
    int type = 0;
    UF_ATTR_find_attribute(object, kAttrRead, const_cast<char*>(title), &type);
    return type != 0;
}

// The body's mass at its own density: the stock size record was measured so, and a body of
// another material is no changed body.
double grams(tag_t body) {
    double accuracy[11] = {0.01, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, props[47] = {0}, stats[13] = {0};
    UF_MODL_ask_mass_props_3d(&body, 1, 1, 3, 0.0, 1, accuracy, props, stats);
    return props[2];
}

}  // namespace

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
        requireBlocks();
        solidBodiesOnly(blockxuanzhe);
    });
}

void shuxingjiancha::requireBlocks() const {
    StylerDialog::requireBlocks({{blockxuanzhe, "blockxuanzhe"}, {blockwu, "blockwu"}, {blockgai, "blockgai"}, {blocktoggle_wu, "blocktoggle_wu"},
                                 {colorPicker_wu, "colorPicker_wu"}, {blocktoggle_gai, "blocktoggle_gai"}, {colorPicker_gai, "colorPicker_gai"}});
}

void shuxingjiancha::dialogShown_cb() {}

int shuxingjiancha::apply_cb() {
    return guard([&] { wu(); });
}

int shuxingjiancha::update_cb(NXOpen::BlockStyler::UIBlock* changed) {
    guard([&] {
        if (changed != nullptr && changed == blockxuanzhe) wu();
    });
    return 0;
}

void shuxingjiancha::wu() {
    requireBlocks();
    UfBracket bracket;
    std::vector<tag_t> without, changed;
    for (NXOpen::TaggedObject* o : blockxuanzhe->GetSelectedObjects()) {
        const tag_t b = o->Tag();
        UF_OBJ_set_blank_status(b, UF_OBJ_BLANKED);
        if (!has(b, ATTR_SIZE) || !has(b, ATTR_PART_NAME)) {
            without.push_back(b);
            continue;
        }
        const double recorded = stock::parse_record(得到体的属性(b, ATTR_SIZE)).e;
        // The record keeps a tenth of a gram: the mass is compared at that, so that 780.0000001 against
        // a recorded 783.0 is the 3 g the check allows, not a hair more.
        if (std::fabs(recorded - std::round(grams(b) * 10) / 10) > kTolerance + 1e-9) changed.push_back(b);
    }
    blockwu->SetValue(std::to_string(without.size()));
    blockgai->SetValue(std::to_string(changed.size()));
    auto show = [](const std::vector<tag_t>& bodies, NXOpen::BlockStyler::ObjectColorPicker* picker) {
        std::vector<int> colours = picker->GetValue();
        for (tag_t b : bodies) {
            if (!colours.empty()) UF_OBJ_set_color(b, colours.front());
            UF_OBJ_set_blank_status(b, UF_OBJ_NOT_BLANKED);
        }
    };
    if (blocktoggle_wu->Value()) show(without, colorPicker_wu);
    if (blocktoggle_gai->Value()) show(changed, colorPicker_gai);
}
