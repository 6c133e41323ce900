#include "tools/zidongbom.hpp"
#include <NXOpen/TaggedObject.hxx>
#include <uf_obj.h>
#include <uf_object_types.h>
#include <uf_plist.h>
#include <uf_tabnot.h>
#include <uf_view.h>
#include "common/uf_bracket.hpp"
#include <uf.h>
#include <uf_part.h>

zidongbom::zidongbom() : StylerDialog("zidong-bom.dlx") {
    theDialog->AddApplyHandler(NXOpen::make_callback(this, &zidongbom::apply_cb));
    theDialog->AddOkHandler(NXOpen::make_callback(this, &zidongbom::ok_cb));
    theDialog->AddUpdateHandler(NXOpen::make_callback(this, &zidongbom::update_cb));
    theDialog->AddInitializeHandler(NXOpen::make_callback(this, &zidongbom::initialize_cb));
    theDialog->AddDialogShownHandler(NXOpen::make_callback(this, &zidongbom::dialogShown_cb));
}

void zidongbom::initialize_cb() {
    guard([&] {
        group0 = block<NXOpen::BlockStyler::Group>("group0");
        selection0 = block<NXOpen::BlockStyler::SelectObject>("selection0");
        group01 = block<NXOpen::BlockStyler::Group>("group01");
        expression0 = block<NXOpen::BlockStyler::ExpressionBlock>("expression0");
        StylerDialog::requireBlocks({{selection0, "selection0"}, {expression0, "expression0"}});
        solidBodiesOnly(selection0);
    });
}

void zidongbom::dialogShown_cb() {}

tag_t zidongbom::找明细表() {
    UfBracket bracket;
    for (tag_t t = NULL_TAG; UF_VIEW_cycle_objects(NULL_TAG, UF_VIEW_VISIBLE_OBJECTS, &t) == 0 && t != NULL_TAG;) {
        int type = 0, subtype = 0;
        UF_OBJ_ask_type_and_subtype(t, &type, &subtype);
        if (type != UF_tabular_note_type) continue;
        tag_t note = NULL_TAG;
        UF_TABNOT_ask_tabular_note_of_section(t, &note);
        if (note == NULL_TAG) continue;
        UF_OBJ_ask_type_and_subtype(note, &type, &subtype);
        if (type == UF_tabular_note_type && subtype == UF_parts_list_subtype) return note;
    }
    return NULL_TAG;
}

int zidongbom::apply_cb() {
    return guard([&] {
        StylerDialog::requireBlocks({{selection0, "selection0"}, {expression0, "expression0"}});
        std::vector<NXOpen::TaggedObject*> picked = selection0->GetSelectedObjects();
        // Read as the dialog gives it; it changes nothing of what the list shows.
        const int count = static_cast<int>(expression0->Value());
        (void)count;
        UfBracket bracket;
        tag_t list = 找明细表();
        if (list == NULL_TAG) return;
        for (NXOpen::TaggedObject* o : picked) {
            UF_PLIST_add_object(list, 0, o->Tag());
            UF_PLIST_update(list);
        }
    });
}

int zidongbom::update_cb(NXOpen::BlockStyler::UIBlock*) {
    return 0;
}
