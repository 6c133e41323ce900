#include "components/delete_attr.hpp"
#include <cstdio>
#include <NXOpen/TaggedObject.hxx>
#include <uf.h>
#include <uf_assem.h>
#include <uf_attr.h>
#include <uf_draw.h>
#include <uf_obj.h>
#include <uf_part.h>
#include <uf_ui.h>
#include "common/attributes.hpp"
#include "common/report.hpp"
#include "common/part_bodies.hpp"
#include "common/uf_bracket.hpp"

namespace {

// Restoring gives every marked body the initial number, whether it had one or not.
void restoreNumber(tag_t object) {
    if (alive(object)) 写字符串属性(object, ATTR_PART_NO, "1");
}

}  // namespace

delete_attr::delete_attr() : StylerDialog("delete_attr.dlx") {
    theDialog->AddApplyHandler(NXOpen::make_callback(this, &delete_attr::apply_cb));
    theDialog->AddOkHandler(NXOpen::make_callback(this, &delete_attr::ok_cb));
    theDialog->AddUpdateHandler(NXOpen::make_callback(this, &delete_attr::update_cb));
    theDialog->AddInitializeHandler(NXOpen::make_callback(this, &delete_attr::initialize_cb));
    theDialog->AddDialogShownHandler(NXOpen::make_callback(this, &delete_attr::dialogShown_cb));
}

void delete_attr::initialize_cb() {
    guard([&] {
        group0 = block<NXOpen::BlockStyler::Group>("group0");
        selection0 = block<NXOpen::BlockStyler::SelectObject>("selection0");
        toggle_qian = block<NXOpen::BlockStyler::Toggle>("toggle_qian");
        toggle_delete = block<NXOpen::BlockStyler::Toggle>("toggle_delete");
        requireBlocks({{selection0, "selection0"}, {toggle_qian, "toggle_qian"}, {toggle_delete, "toggle_delete"}});
    });
}

void delete_attr::dialogShown_cb() {
    guard([&] {
        toggle_qian->SetValue(false);
        toggle_delete->SetValue(false);
    });
}

int delete_attr::apply_cb() {
    return guard([&] {
        std::vector<tag_t> objects;
        for (NXOpen::TaggedObject* o : selection0->GetSelectedObjects()) objects.push_back(o ? o->Tag() : NULL_TAG);
        if (toggle_delete->Value()) {
            bool occurrence = false, plain = false;
            删除属性(occurrence, plain, objects);
        }
        if (toggle_qian->Value()) {
            所有图号();
            bool occurrence = false, plain = false;
            图号还原(occurrence, plain, std::vector<tag_t>(bodies_));
            删除图纸页();
        }
    });
}

int delete_attr::update_cb(NXOpen::BlockStyler::UIBlock* changed) {
    guard([&] {
        if (changed == selection0 && toggle_delete->Value()) {
            uc1601("请确认是否删除属性?", 1);
        } else if (changed == toggle_qian && toggle_qian->Value()) {
            uc1601("请确认是否恢复出图前状态?\n恢复后将所有图号设为原始图号,\n且删除生成好的图纸!", 1);
        }
    });
    return 0;
}

void delete_attr::删除属性(bool& occurrenceSeen, bool& plainSeen, const std::vector<tag_t>& objects) {
    int missing = 0;
    for (tag_t object : objects) {
        if (occurrenceSeen && plainSeen) break;
        UfBracket bracket;
        if (!alive(object)) {
            ++missing;
            continue;
        }
        if (UF_ASSEM_is_occurrence(object)) {
            occurrenceSeen = true;
            for (tag_t o : objects) {
                if (!alive(o)) continue;
                const tag_t prototype = UF_ASSEM_ask_prototype_of_occ(o);
                if (prototype != NULL_TAG) UF_ATTR_delete_all(prototype, kAttrRead);
                UF_ATTR_delete_all(o, kAttrRead);
            }
        } else {
            plainSeen = true;
            UF_ATTR_delete_all(object, kAttrRead);
        }
    }
    reportSkipped(missing);
}

void delete_attr::所有图号() {
    UfBracket bracket;
    for (tag_t b : 部件的体(UF_ASSEM_ask_work_part())) {
        if (得到体的属性(b, ATTR_REMARK) == REMARK_MARKED) {
            bodies_.push_back(b);
            UF_OBJ_set_layer(b, 1);
        }
        const tag_t component = UF_ASSEM_ask_parent_component(b);
        if (component != NULL_TAG) UF_OBJ_set_layer(component, 1);
    }
}

void delete_attr::图号还原(bool& occurrenceSeen, bool& plainSeen, const std::vector<tag_t>& bodies) {
    int missing = 0;
    for (tag_t body : bodies) {
        if (occurrenceSeen && plainSeen) break;
        if (!alive(body)) {
            ++missing;
            continue;
        }
        if (UF_ASSEM_is_occurrence(body)) {
            occurrenceSeen = true;
            for (tag_t b : bodies) {
                if (!alive(b)) continue;
                restoreNumber(b);
                if (UF_ASSEM_is_occurrence(b)) restoreNumber(UF_ASSEM_ask_prototype_of_occ(b));
            }
        } else {
            plainSeen = true;
            restoreNumber(body);
        }
    }
    reportSkipped(missing);
}

void delete_attr::删除图纸页() {
    UfBracket bracket;
    int count = 0;
    tag_t* sheets = nullptr;
    UF_DRAW_ask_drawings(&count, &sheets);
    for (int i = 0; i < count; ++i) UF_DRAW_delete_drawing(sheets[i]);
    if (sheets) UF_free(sheets);
}
