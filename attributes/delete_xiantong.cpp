#include "attributes/delete_xiantong.hpp"
#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <NXOpen/TaggedObject.hxx>
#include <uf.h>
#include <uf_assem.h>
#include <uf_modl.h>
#include <uf_obj.h>
#include <uf_part.h>
#include <uf_ui.h>
#include "app/commands.hpp"
#include "attributes/stock_rules.hpp"
#include "common/report.hpp"
#include "common/uf_bracket.hpp"
#include <uf_disp.h>

namespace {

// One-key transparency: almost transparent, or opaque.
const int kAlmostTransparent = 95;

}  // namespace

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
        requireBlocks({{blockxuanzhe, "blockxuanzhe"}, {zongsu, "zongsu"}, {chongdie, "chongdie"}, {blocktoggle0, "blocktoggle0"},
                       {blocktoggle_debei, "blocktoggle_debei"}, {colorPicker0, "colorPicker0"}});
        solidBodiesOnly(blockxuanzhe);
        UfBracket bracket;
        UF_ASSEM_set_work_part(UF_PART_ask_display_part());
    });
}

void delete_xiantong::dialogShown_cb() {}

int delete_xiantong::apply_cb() {
    return guard([&] {
        得到选择体的信息();
        std::vector<int> colours = colorPicker0->GetValue();
        const int colour = colours.empty() ? 0 : colours.front();
        UfBracket bracket;
        // The duplicate list never holds a first-seen body (a body picked twice is one body), so
        // deleting it leaves every place its body.
        int notDeleted = 0;
        std::vector<tag_t> deleted;
        if (blocktoggle_debei->Value()) {
            for (tag_t d : duplicates_) {
                if (UF_OBJ_delete_object(d) == 0) deleted.push_back(d);
                else ++notDeleted;
            }
        }
        if (blocktoggle0->Value()) {
            for (tag_t d : duplicates_) {
                if (!alive(d)) continue;
                UF_OBJ_set_blank_status(d, UF_OBJ_BLANKED);
                UF_OBJ_set_color(d, colour);
            }
        }
        if (!deleted.empty()) {
            // The selection lets go of the deleted bodies, and the counts follow.
            std::vector<NXOpen::TaggedObject*> keep;
            for (NXOpen::TaggedObject* o : blockxuanzhe->GetSelectedObjects())
                if (o && std::find(deleted.begin(), deleted.end(), o->Tag()) == deleted.end() && alive(o->Tag())) keep.push_back(o);
            blockxuanzhe->SetSelectedObjects(keep);
            得到选择体的信息();
        }
        if (notDeleted > 0) {
            char message[120];
            std::snprintf(message, sizeof message, "%d 个重叠体未能删除", notDeleted);
            uc1601(message, 1);
        }
    });
}

int delete_xiantong::update_cb(NXOpen::BlockStyler::UIBlock* changed) {
    guard([&] {
        if (changed != nullptr && changed == blockxuanzhe) 得到选择体的信息();
    });
    return 0;
}

void delete_xiantong::得到选择体的信息() {
    UfBracket bracket;
    // Components are hidden while the bodies are measured and then given back the blank state
    // they had: a component the user had hidden stays hidden.
    const tag_t display = UF_PART_ask_display_part();
    std::vector<std::pair<tag_t, int>> components;
    for (tag_t c = UF_OBJ_cycle_objs_in_part(display, UF_component_type, NULL_TAG); c != NULL_TAG;
         c = UF_OBJ_cycle_objs_in_part(display, UF_component_type, c)) {
        UF_OBJ_disp_props_t props{};
        UF_OBJ_ask_display_properties(c, &props);
        components.emplace_back(c, props.blank_status);
        UF_OBJ_set_blank_status(c, UF_OBJ_BLANKED);
    }
    firstSeen_.clear();
    duplicates_.clear();
    std::set<std::string> keys;
    std::set<tag_t> seen;
    int missing = 0;
    for (NXOpen::TaggedObject* o : blockxuanzhe->GetSelectedObjects()) {
        const tag_t b = o ? o->Tag() : NULL_TAG;
        if (!alive(b)) {
            ++missing;
            continue;
        }
        if (!seen.insert(b).second) continue;
        double box[6] = {0, 0, 0, 0, 0, 0};
        UF_MODL_ask_bounding_box(b, box);
        if (keys.insert(stock::place_key(box)).second) firstSeen_.push_back(b);
        else duplicates_.push_back(b);
    }
    zongsu->SetValue(std::to_string(keys.size()));
    chongdie->SetValue(std::to_string(duplicates_.size()));
    for (auto& [c, blank] : components) UF_OBJ_set_blank_status(c, blank);
    reportSkipped(missing);
}

int yanse_touming() {
    // The call checker names the command's own source, as its log has always read.
    if (report_error("一键透明", 106, "UF_initialize()", UF_initialize()) != 0) return 0;
    char message[] = "qel", title[] = "qel";
    int response = 0, count = 0;
    tag_t* objects = nullptr;
    UF_UI_select_with_class_dialog(message, title, UF_UI_SEL_SCOPE_ANY_IN_ASSEMBLY, nullptr, nullptr, &response, &count, &objects);
    int missing = 0;
    for (int i = 0; i < count; ++i) {
        if (!alive(objects[i])) {
            ++missing;
            continue;
        }
        const tag_t target = UF_ASSEM_is_occurrence(objects[i]) ? UF_ASSEM_ask_prototype_of_occ(objects[i]) : objects[i];
        UF_DISP_set_highlight(target, 0);
        int translucency = 0;
        UF_OBJ_ask_translucency(target, &translucency);
        UF_OBJ_set_translucency(target, translucency != 0 ? 0 : kAlmostTransparent);
    }
    if (objects) UF_free(objects);
    reportSkipped(missing);
    UF_terminate();
    return 0;
}

int delete_xiantong::cancel_cb() {
    UF_initialize();
    UF_PART_cleanup(UF_PART_cleanup_highlight);
    UF_terminate();
    return 0;
}
