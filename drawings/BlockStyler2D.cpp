#include "drawings/BlockStyler2D.hpp"
#include <algorithm>
#include <memory>
#include <NXOpen/BlockStyler_PropertyList.hxx>
#include <NXOpen/TaggedObject.hxx>
#include <uf.h>
#include <uf_assem.h>
#include <uf_draw.h>
#include <uf_layer.h>
#include <uf_modl.h>
#include <uf_obj.h>
#include <uf_object_types.h>
#include <uf_part.h>
#include <uf_ui.h>
#include "common/attributes.hpp"
#include "common/uf_bracket.hpp"
#include "components/assembly_queries.hpp"
#include "components/naming.hpp"

using namespace NXOpen::BlockStyler;

namespace {

void message(const std::string& text) { uc1601(text.c_str(), 1); }

int layerOf(tag_t object) {
    UF_OBJ_disp_props_t props{};
    UF_OBJ_ask_display_properties(object, &props);
    return props.layer;
}

bool alive(tag_t t) { return UF_OBJ_ask_status(t) == UF_OBJ_ALIVE; }

}  // namespace

BlockStyler2D::BlockStyler2D() : StylerDialog("2D.dlx") {
    theDialog->AddApplyHandler(NXOpen::make_callback(this, &BlockStyler2D::apply_cb));
    theDialog->AddOkHandler(NXOpen::make_callback(this, &BlockStyler2D::ok_cb));
    theDialog->AddUpdateHandler(NXOpen::make_callback(this, &BlockStyler2D::update_cb));
    theDialog->AddInitializeHandler(NXOpen::make_callback(this, &BlockStyler2D::initialize_cb));
    theDialog->AddDialogShownHandler(NXOpen::make_callback(this, &BlockStyler2D::dialogShown_cb));
}

void BlockStyler2D::initialize_cb() {
    guard([&] {
        group1 = block<Group>("group1");
        enum0 = block<Enumeration>("enum0");
        tuhao = block<StringBlock>("tuhao");
        ming = block<StringBlock>("ming");
        chong = block<Group>("chong");
        selection0 = block<SelectObject>("selection0");
        ming_new = block<StringBlock>("ming_new");
        tuhao_new = block<StringBlock>("tuhao_new");
        beifen = block<Group>("beifen");
        label0 = block<Label>("label0");
        filepath_lujin = block<FolderSelection>("filepath_lujin");
        ming_qz = block<StringBlock>("ming_qz");
        requireBlocks();
        std::unique_ptr<PropertyList> props(selection0->GetProperties());
        props->SetSelectionFilter("SelectionFilter", NXOpen::Selection::SelectionActionClearAndEnableSpecific,
                                  {NXOpen::Selection::MaskTriple(63, 0, 0), NXOpen::Selection::MaskTriple(63, 1, 0)});
        UfBracket bracket;
        UF_ASSEM_set_work_part(UF_PART_ask_display_part());
    });
}

void BlockStyler2D::requireBlocks() const {
    StylerDialog::requireBlocks({{group1, "group1"}, {enum0, "enum0"}, {tuhao, "tuhao"}, {ming, "ming"}, {chong, "chong"},
                                 {selection0, "selection0"}, {ming_new, "ming_new"}, {tuhao_new, "tuhao_new"}, {beifen, "beifen"},
                                 {filepath_lujin, "filepath_lujin"}, {ming_qz, "ming_qz"}});
}

std::string BlockStyler2D::text(UIBlock* b) const {
    std::unique_ptr<PropertyList> props(b->GetProperties());
    return props->GetString("Value").GetText();
}

void BlockStyler2D::setText(UIBlock* b, const std::string& value) {
    std::unique_ptr<PropertyList> props(b->GetProperties());
    props->SetString("Value", value);
}

int BlockStyler2D::job() const {
    std::unique_ptr<PropertyList> props(enum0->GetProperties());
    return props->GetEnum("Value");
}

void BlockStyler2D::dialogShown_cb() {
    guard([&] {
        requireBlocks();
        setText(tuhao, "AAAA");
        ming_new->SetEnable(false);
        UI初始设置();
        向UI写值();
    });
}

void BlockStyler2D::UI初始设置() {
    switch (job()) {
        case 0: group1->SetShow(true); chong->SetShow(false); beifen->SetShow(false); break;
        case 1: group1->SetShow(false); chong->SetShow(false); beifen->SetShow(true); break;
        case 2: group1->SetShow(false); chong->SetShow(true); beifen->SetShow(false); break;
        default: break;
    }
}

void BlockStyler2D::向UI写值() {
    UfBracket bracket;
    if (job() == 0) {
        tag_t work = UF_ASSEM_ask_work_part();
        setText(tuhao, 得到体的属性(work, ATTR_PART_NO));
        setText(ming, 得到体的属性(work, ATTR_PART_NAME));
    }
    // The backup's folder and prefix are proposed whichever job the dialog opens in: a user who
    // switches to the backup finds them filled, and the backup never goes to a folder nobody chose.
    char name[MAX_FSPEC_BUFSIZE] = "";
    UF_PART_ask_part_name(UF_PART_ask_display_part(), name);
    std::string path = name;
    size_t slash = naming::lastOf(path, '\\');
    std::unique_ptr<PropertyList> props(filepath_lujin->GetProperties());
    props->SetString("Path", slash == std::string::npos ? std::string() : path.substr(0, slash + 1));
    setText(ming_qz, "BF");
}

int BlockStyler2D::update_cb(UIBlock* changed) {
    guard([&] {
        requireBlocks();
        if (changed == enum0) {
            UI初始设置();
        } else if (changed == selection0) {
            std::vector<NXOpen::TaggedObject*> picked = selection0->GetSelectedObjects();
            std::string stem = picked.size() == 1 ? componentStem(picked[0]->Tag()) : std::string();
            setText(ming_new, stem);
            setText(tuhao_new, stem);
        }
    });
    return 0;
}

int BlockStyler2D::apply_cb() {
    return guard([&] {
        requireBlocks();
        requireWorkPart();
        UfBracket bracket;
        switch (job()) {
            case 0:
                if (判断模式() == 1) {
                    message("组件模式");
                    组件出图初始化();
                    批量修改零件图号();
                    批量创建图纸及视图_assm();
                } else {
                    message("图层模式");
                    批量修改零件图号_图层出图();
                    图层出图();
                }
                break;
            case 1:
                图纸备份();
                break;
            case 2: {
                std::vector<NXOpen::TaggedObject*> picked = selection0->GetSelectedObjects();
                // The rename is defined for one component; anything else is said, and nothing changes.
                if (picked.size() != 1) {
                    message("请选择一个组件再重命名");
                    break;
                }
                const tag_t c = picked[0]->Tag();
                const std::string oldPath = 得到新建组件的路径(c);
                const std::string newPath = 获取文件名和路径(oldPath, 2) + "\\" + text(tuhao_new) + ".prt";
                重命名组件(oldPath, newPath, c);
                break;
            }
            default: break;
        }
    });
}

int BlockStyler2D::判断模式() {
    std::vector<tag_t> multi, single;
    得到组件及零件的tag(multi, single);
    return single.size() < 2 ? 2 : 1;
}

int BlockStyler2D::组件出图初始化() {
    UfBracket bracket;
    int work = 0;
    UF_LAYER_ask_work_layer(&work);
    if (work == drawing::kIgnoredLayer) UF_LAYER_set_status(1, UF_LAYER_ACTIVE_LAYER);
    int n = 0;
    tag_t* sheets = nullptr;
    UF_DRAW_ask_drawings(&n, &sheets);
    if (sheets) UF_free(sheets);
    if (n > 0) return 1;
    for (tag_t c : components_) {
        if (!alive(c)) continue;
        if (layerOf(c) == drawing::kIgnoredLayer) UF_OBJ_set_layer(c, 1);
        std::vector<tag_t> bodies;
        得到组件下所有的实体(c, bodies);
        for (tag_t b : bodies)
            if (layerOf(b) == drawing::kIgnoredLayer) UF_OBJ_set_layer(b, 1);
    }
    UF_LAYER_set_status(1, UF_LAYER_REFERENCE_LAYER);
    return 0;
}

/* Walks of the assembly */

void BlockStyler2D::ASSEM_cycle_all_part(tag_t occurrence) {
    UfBracket bracket;
    tag_t* children = nullptr;
    int n = UF_ASSEM_ask_part_occ_children(occurrence, &children);
    std::vector<tag_t> list(children, children + std::max(n, 0));
    if (children) UF_free(children);
    for (tag_t c : list) {
        ASSEM_cycle_all_part(c);
        if (layerOf(c) == drawing::kIgnoredLayer || listed_.count(c)) continue;
        char part[MAX_FSPEC_BUFSIZE] = "", refset[MAX_ENTITY_NAME_BUFSIZE] = "", instance[MAX_ENTITY_NAME_BUFSIZE] = "";
        double origin[3], matrix[9], transform[4][4];
        UF_ASSEM_ask_component_data(c, part, refset, instance, origin, matrix, transform);
        components_.push_back(c);
        instanceNames_.push_back(instance);
        listed_.insert(c);
    }
}

void BlockStyler2D::得到所有组件的数组(std::vector<tag_t>& out) {
    UfBracket bracket;
    // The kept list never hands out a component that is gone (moved or deleted since it was met).
    for (size_t i = 0; i < components_.size();) {
        if (alive(components_[i])) { ++i; continue; }
        listed_.erase(components_[i]);
        components_.erase(components_.begin() + static_cast<long>(i));
        instanceNames_.erase(instanceNames_.begin() + static_cast<long>(i));
    }
    tag_t root = UF_ASSEM_ask_root_part_occ(UF_ASSEM_ask_work_part());
    if (root != NULL_TAG) ASSEM_cycle_all_part(root);
    // Walking the list once after all children gives what walking it after each top-level child gives.
    std::set<std::string> seen;
    for (tag_t c : components_)
        if (seen.insert(wholeName(c)).second) out.push_back(c);
}

// Every body counts, a part placed twice twice: the quantities of a parent and the single-part test rest on it.
int BlockStyler2D::得到组件下所有的实体(tag_t component, std::vector<tag_t>& bodies) {
    UfBracket bracket;
    auto add = [&](tag_t b) { bodies.push_back(b); };
    std::vector<tag_t> children;
    for (tag_t t = UF_ASSEM_cycle_objs_in_comp(component, NULL_TAG); t != NULL_TAG; t = UF_ASSEM_cycle_objs_in_comp(component, t)) {
        int type = 0, subtype = 0;
        UF_OBJ_ask_type_and_subtype(t, &type, &subtype);
        if (type == UF_solid_type && subtype == UF_solid_body_subtype) add(t);
        else if (type == UF_component_type && subtype == UF_part_occurrence_subtype) children.push_back(t);
    }
    for (tag_t c : children) {
        std::vector<tag_t> nested;
        得到组件下所有的实体(c, nested);
        for (tag_t b : nested) add(UF_ASSEM_is_occurrence(b) ? UF_ASSEM_ask_prototype_of_occ(b) : b);
    }
    return 0;
}

int BlockStyler2D::得到组件及零件的tag(std::vector<tag_t>& multi, std::vector<tag_t>& single) {
    std::vector<tag_t> all;
    得到所有组件的数组(all);
    for (tag_t c : all) {
        std::vector<tag_t> bodies;
        得到组件下所有的实体(c, bodies);
        (bodies.size() == 1 ? single : multi).push_back(c);
    }
    return 0;
}

int BlockStyler2D::得到工作部件所有的实体(std::vector<tag_t>& bodies) {
    UfBracket bracket;
    tag_t part = UF_PART_ask_display_part();
    for (tag_t t = UF_OBJ_cycle_objs_in_part(part, UF_solid_type, NULL_TAG); t != NULL_TAG; t = UF_OBJ_cycle_objs_in_part(part, UF_solid_type, t)) {
        int type = 0, subtype = 0, bodyType = 0;
        UF_OBJ_ask_type_and_subtype(t, &type, &subtype);
        if (subtype != UF_solid_body_subtype) continue;
        UF_MODL_ask_body_type(t, &bodyType);
        if (bodyType == UF_MODL_SOLID_BODY && layerOf(t) != drawing::kIgnoredLayer) bodies.push_back(t);
    }
    return 0;
}

/* One run's facts: sheet names and the bodies of the displayed part by name do not change while a
   run makes sheets (names and numbers are all written before), so they are read once. */

void BlockStyler2D::beginRun() {
    running_ = true;
    failedSheets_ = 0;
    workBodies_.clear();
    workBodiesRead_ = false;
    bodiesByName_.clear();
    quantitiesUnder_.clear();
    sheetNames_.clear();
    UfBracket bracket;
    int n = 0;
    tag_t* sheets = nullptr;
    UF_DRAW_ask_drawings(&n, &sheets);
    for (int i = 0; i < n; ++i) sheetNames_.insert(wholeName(sheets[i]));
    if (sheets) UF_free(sheets);
}

void BlockStyler2D::endRun() {
    running_ = false;
    if (failedSheets_ > 0) message(std::to_string(failedSheets_) + " 张图纸未能创建(模板无法读取),详见系统日志");
}

const std::vector<tag_t>& BlockStyler2D::workBodies() {
    if (!running_ || !workBodiesRead_) {
        workBodies_.clear();
        bodiesByName_.clear();
        得到工作部件所有的实体(workBodies_);
        for (tag_t b : workBodies_) bodiesByName_[得到体的属性(b, ATTR_PART_NAME)].push_back(b);
        workBodiesRead_ = running_;
    }
    return workBodies_;
}

std::string BlockStyler2D::nameOf(tag_t body) { return 得到体的属性(body, ATTR_PART_NAME); }
