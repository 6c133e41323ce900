#include "tools/shitu_shichu.hpp"
#include <memory>
#include <vector>
#include <NXOpen/Body.hxx>
#include <NXOpen/NXObjectManager.hxx>
#include <NXOpen/Part.hxx>
#include <NXOpen/PartCollection.hxx>
#include <NXOpen/Session.hxx>
#include <NXOpen/View.hxx>
#include <uf.h>
#include <uf_draw.h>
#include <uf_obj.h>
#include <uf_part.h>
#include <uf_ui.h>
#include <uf_view.h>
#include "common/uf_bracket.hpp"

namespace {

// Operations of enum0.
enum { kErase = 0, kShade = 1, kRemoveEdits = 2 };

std::vector<tag_t> picked(NXOpen::BlockStyler::SelectObject* block) {
    std::unique_ptr<NXOpen::BlockStyler::PropertyList> props(block->GetProperties());
    std::vector<tag_t> out;
    for (NXOpen::TaggedObject* o : props->GetTaggedObjectVector("SelectedObjects"))
        if (o) out.push_back(o->Tag());
    return out;
}

NXOpen::View* viewObject(tag_t view) {
    auto* v = dynamic_cast<NXOpen::View*>(NXOpen::NXObjectManager::Get(view));
    if (!v) throw std::runtime_error("the picked view is no drawing view");
    return v;
}

}  // namespace

shitu_shichu::shitu_shichu() : StylerDialog("shitu_shichu.dlx") {
    theDialog->AddApplyHandler(NXOpen::make_callback(this, &shitu_shichu::apply_cb));
    theDialog->AddOkHandler(NXOpen::make_callback(this, &shitu_shichu::ok_cb));
    theDialog->AddUpdateHandler(NXOpen::make_callback(this, &shitu_shichu::update_cb));
    theDialog->AddInitializeHandler(NXOpen::make_callback(this, &shitu_shichu::initialize_cb));
    theDialog->AddDialogShownHandler(NXOpen::make_callback(this, &shitu_shichu::dialogShown_cb));
}

void shitu_shichu::initialize_cb() {
    guard([&] {
        group0 = block<NXOpen::BlockStyler::Group>("group0");
        shitu = block<NXOpen::BlockStyler::SelectObject>("shitu");
        group01 = block<NXOpen::BlockStyler::Group>("group01");
        boy = block<NXOpen::BlockStyler::SelectObject>("boy");
        group011 = block<NXOpen::BlockStyler::Group>("group011");
        enum0 = block<NXOpen::BlockStyler::Enumeration>("enum0");
        requireBlocks({{shitu, "shitu"}, {boy, "boy"}, {enum0, "enum0"}});
        std::vector<NXOpen::Selection::MaskTriple> views;
        for (int subtype = 0; subtype <= 14; ++subtype) views.emplace_back(60, subtype, 0);
        std::unique_ptr<NXOpen::BlockStyler::PropertyList> viewProps(shitu->GetProperties());
        viewProps->SetInteger("MaximumScope", 3);
        viewProps->SetSelectionFilter("SelectionFilter", NXOpen::Selection::SelectionActionClearAndEnableSpecific, views);
        std::unique_ptr<NXOpen::BlockStyler::PropertyList> bodyProps(boy->GetProperties());
        bodyProps->SetInteger("MaximumScope", 3);
        bodyProps->SetSelectionFilter("SelectionFilter", NXOpen::Selection::SelectionActionClearAndEnableSpecific,
                                      {NXOpen::Selection::MaskTriple(70, 0, 36)});
    });
}

void shitu_shichu::dialogShown_cb() {}

int shitu_shichu::apply_cb() {
    return guard([&] {
        const std::vector<tag_t> views = picked(shitu), bodies = picked(boy);
        if (views.empty()) {
            uc1601("请选择视图", 1);
            return;
        }
        const tag_t view = views.front();
        std::unique_ptr<NXOpen::BlockStyler::PropertyList> props(enum0->GetProperties());
        for (tag_t body : bodies) {
            const int operation = props->GetEnum("Value");
            if (operation == kErase) 擦出对象(view, body);
            else if (operation == kShade) 编辑着色及透明(view, body);
        }
        UfBracket bracket;
        tag_t sheet = NULL_TAG;
        UF_DRAW_ask_current_drawing(&sheet);
        UF_DRAW_update_one_view(sheet, view);
        if (props->GetEnum("Value") == kRemoveEdits) 取消所有擦除(view);
    });
}

int shitu_shichu::update_cb(NXOpen::BlockStyler::UIBlock*) { return 0; }

void shitu_shichu::擦出对象(tag_t view, tag_t object) {
    UfBracket bracket;
    char name[UF_OBJ_NAME_BUFSIZE] = "";
    UF_OBJ_ask_name(view, name);
    uc6400(name, object);
}

void shitu_shichu::编辑着色及透明(tag_t view, tag_t object) {
    NXOpen::View* v = viewObject(view);
    auto* body = dynamic_cast<NXOpen::Body*>(NXOpen::NXObjectManager::Get(object));
    if (!body) throw std::runtime_error("only bodies are shaded in a view");
    NXOpen::Session* session = NXOpen::Session::GetSession();
    NXOpen::NXColor* cyan = session->Parts()->Work()->Colors()->Find("Cyan");
    v->DependentDisplay()->ApplyShadeEdit(cyan, NXOpen::ViewDependentDisplayManager::PartialShadingOn,
                                          NXOpen::ViewDependentDisplayManager::TranslucencyOptionOn, 95, {body});
    session->CleanUpFacetedFacesAndEdges();
}

void shitu_shichu::取消所有擦除(tag_t view) { viewObject(view)->DependentDisplay()->RemoveAllEdits(); }
