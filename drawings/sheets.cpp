// One body, body set or component onto one sheet: scale, sheet from a template, four views, title block.
#include <cmath>
#include <cstring>
#include <memory>
#include <NXOpen/Assemblies_ComponentAssembly.hxx>
#include <NXOpen/DraftingManager.hxx>
#include <NXOpen/Drawings_BaseViewBuilder.hxx>
#include <NXOpen/Drawings_DrawingSheet.hxx>
#include <NXOpen/ModelingView.hxx>
#include <NXOpen/Part.hxx>
#include <NXOpen/PartCollection.hxx>
#include <uf.h>
#include <uf_assem.h>
#include <uf_csys.h>
#include <uf_draw.h>
#include <uf_modl.h>
#include <uf_obj.h>
#include <uf_object_types.h>
#include <uf_tabnot.h>
#include <uf_view.h>
#include "common/sheet_cells.hpp"
#include "common/uf_bracket.hpp"
#include "components/assembly_queries.hpp"
#include "drawings/BlockStyler2D.hpp"

namespace {

const char* kDrafting = "UG_APP_DRAFTING";

// The bodies' extents, from the first body's box: a plant longer than 10 m is measured right.
drawing::Extents extentsOf(const std::vector<tag_t>& bodies) {
    drawing::Extents e;
    for (tag_t b : bodies) {
        double box[6] = {0, 0, 0, 0, 0, 0};
        if (UF_MODL_ask_bounding_box(b, box) == 0) e.add(box);
    }
    return e;
}

// Every body placed under the component, at any depth, where the assembly places it.
void placedBodies(tag_t component, std::vector<tag_t>& out) {
    for (tag_t t = UF_ASSEM_cycle_objs_in_comp(component, NULL_TAG); t != NULL_TAG; t = UF_ASSEM_cycle_objs_in_comp(component, t)) {
        int type = 0, subtype = 0;
        UF_OBJ_ask_type_and_subtype(t, &type, &subtype);
        if (type == UF_solid_type && subtype == UF_solid_body_subtype) out.push_back(t);
        else if (type == UF_component_type && subtype == UF_part_occurrence_subtype) placedBodies(t, out);
    }
}

// The component's bodies measured along the axes its views are drawn in: those of its own part (a
// component turned in the assembly is not measured with its sides swapped), or with `ownFrame` false
// those of the assembly, whose views layer mode imports.
drawing::Extents extentsInComponent(tag_t component, bool ownFrame) {
    std::vector<tag_t> bodies;
    placedBodies(component, bodies);
    if (!ownFrame) return extentsOf(bodies);
    char part[MAX_FSPEC_BUFSIZE] = "", refset[MAX_ENTITY_NAME_BUFSIZE] = "", instance[MAX_ENTITY_NAME_BUFSIZE] = "";
    double origin[3] = {0, 0, 0}, axes[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1}, transform[4][4];
    UF_ASSEM_ask_component_data(component, part, refset, instance, origin, axes, transform);
    static const double kUnturned[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    bool turned = false;
    for (int i = 0; i < 9; ++i) turned |= std::fabs(axes[i] - kUnturned[i]) > 1e-12;
    if (!turned) return extentsOf(bodies);
    tag_t matrix = NULL_TAG, csys = NULL_TAG;
    UF_CSYS_create_matrix(axes, &matrix);
    UF_CSYS_create_temp_csys(origin, matrix, &csys);
    drawing::Extents e;
    for (tag_t b : bodies) {
        double corner[3], directions[3][3], d[3];
        if (UF_MODL_ask_bounding_box_exact(b, csys, corner, directions, d) != 0) continue;
        double box[6];
        for (int i = 0; i < 3; ++i) {
            box[i] = (corner[0] - origin[0]) * directions[i][0] + (corner[1] - origin[1]) * directions[i][1] + (corner[2] - origin[2]) * directions[i][2];
            box[i + 3] = box[i] + d[i];
        }
        e.add(box);
    }
    return e;
}

void enterDrafting(NXOpen::Session* session) {
    char module[MAX_LINE_BUFSIZE] = "";
    UF_ask_application_module(module);
    if (std::strcmp(module, kDrafting) != 0) session->ApplicationSwitchImmediate(kDrafting);
}

std::string baseDir() {
    char* base = nullptr;
    UF_translate_variable("UGII_BASE_DIR", &base);
    return base ? base : "";
}

void setSheetScale(tag_t sheet, double scale) {
    UF_DRAW_info_t info{};
    UF_DRAW_ask_drawing_info(sheet, &info);
    info.drawing_scale = scale;
    UF_DRAW_set_drawing_info(sheet, &info);
}

}  // namespace

/* Scale */

int BlockStyler2D::A3总图比例设置(tag_t, double& scale) {
    UfBracket bracket;
    drawing::Extents e = extentsOf(workBodies());
    layout_ = drawing::fitOnSheet(e.size(0), e.size(1), e.size(2), drawing::kA3);
    scale = layout_.scale;
    return 0;
}

int BlockStyler2D::A3部件比例设置(tag_t component, double& scale, bool ownFrame) {
    UfBracket bracket;
    drawing::Extents e = extentsInComponent(component, ownFrame);
    layout_ = drawing::fitOnSheet(e.size(0), e.size(1), e.size(2), drawing::kA3);
    scale = layout_.scale;
    return 0;
}

int BlockStyler2D::A4比例设置(tag_t body, double& scale) {
    UfBracket bracket;
    double corner[3], directions[3][3], d[3] = {0, 0, 0};
    UF_MODL_ask_bounding_box_exact(body, NULL_TAG, corner, directions, d);
    layout_ = drawing::fitOnSheet(d[0], d[1], d[2], drawing::kA4);
    scale = layout_.scale;
    return 0;
}

/* Sheets and views */

bool BlockStyler2D::创建图纸页(const std::string& name, const std::string& number, const std::string& sheetName, const std::string& quantity,
                              const std::string& total, const std::string& material, double scale, const std::string& templ,
                              const std::string& partPath, const std::string& partName) {
    UfBracket bracket;
    NXOpen::Part* work = theSession->Parts()->Work();
    enterDrafting(theSession);
    if (判断图纸是否存在(sheetName)) return false;
    NXOpen::Drawings::DrawingSheetBuilder* builder = work->DrawingSheets()->DrawingSheetBuilder(nullptr);
    builder->SetMetricSheetTemplateLocation(baseDir() + templ);
    builder->SetName(sheetName);
    try {
        builder->Commit();
    } catch (std::exception&) {
        // The host has said why; the batch goes on with the next sheet and counts this one.
        builder->Destroy();
        ++failedSheets_;
        return false;
    }
    builder->Destroy();
    work->Drafting()->SetTemplateInstantiationIsComplete(true);
    if (running_) sheetNames_.insert(sheetName);
    tag_t sheet = NULL_TAG;
    UF_DRAW_ask_current_drawing(&sheet);
    标题栏设置(material, number, name, quantity, total);
    setSheetScale(sheet, scale);
    drawing::ViewPlaces at = drawing::places(layout_);
    tag_t front = NULL_TAG, below = NULL_TAG, right = NULL_TAG, iso = NULL_TAG;
    创建视图(partPath, partName, scale, "Front", at.front.x, at.front.y, front);
    double belowAt[2] = {at.below.x, at.below.y}, rightAt[2] = {at.right.x, at.right.y};
    UF_DRAW_add_orthographic_view(sheet, front, 3, belowAt, &below);
    UF_DRAW_add_orthographic_view(sheet, front, 2, rightAt, &right);
    创建视图(partPath, partName, scale, "Isometric", at.iso.x, at.iso.y, iso);
    UF_DRAW_upd_out_of_date_views(sheet);
    UF_DRAW_set_view_scale(iso, drawing::isoScale(scale));
    return true;
}

int BlockStyler2D::创建视图(const std::string& partPath, const std::string& partName, double scale, const std::string& modelView, double x,
                           double y, tag_t& view) {
    view = NULL_TAG;
    NXOpen::Part* work = theSession->Parts()->Work();
    NXOpen::Drawings::BaseViewBuilder* builder = work->DraftingViews()->CreateBaseViewBuilder(nullptr);
    std::unique_ptr<NXOpen::Drawings::BaseViewBuilder, void (*)(NXOpen::Drawings::BaseViewBuilder*)> drop(
        builder, [](NXOpen::Drawings::BaseViewBuilder* b) { b->Destroy(); });
    auto* part = dynamic_cast<NXOpen::Part*>(theSession->Parts()->FindObject(partPath));
    builder->Style()->ViewStyleBase()->SetPart(part);
    builder->Style()->ViewStyleBase()->SetPartName(partName);
    if (part) builder->SelectModelView()->SetSelectedView(part->ModelingViews()->FindObject(modelView));
    builder->Scale()->SetNumerator(scale);
    builder->Placement()->Placement()->SetValue(nullptr, work->Views()->WorkView(), NXOpen::Point3d(x, y, 0));
    NXOpen::NXObject* made = builder->Commit();
    if (made) view = made->Tag();
    return 0;
}

bool BlockStyler2D::创建工程图(const std::string& name, const std::string& number, const std::string& sheetName, const std::string& quantity,
                              const std::string& total, const std::string& material, double scale, const std::string& templ, tag_t component) {
    UfBracket bracket;
    NXOpen::Part* work = theSession->Parts()->Work();
    if (判断图纸是否存在(sheetName)) return false;
    NXOpen::Drawings::DrawingSheetBuilder* builder = work->DrawingSheets()->DrawingSheetBuilder(nullptr);
    builder->SetMetricSheetTemplateLocation(baseDir() + templ);
    try {
        builder->Commit();
    } catch (std::exception&) {
        builder->Destroy();
        ++failedSheets_;
        return false;
    }
    builder->Destroy();
    work->Drafting()->SetTemplateInstantiationIsComplete(true);
    // Two bodies of one number, or a component placed twice, would make the sheet again.
    if (running_) sheetNames_.insert(sheetName);
    enterDrafting(theSession);
    标题栏设置(material, number, name, quantity, total);
    UF_DRAW_ask_current_drawing(&currentSheet_);
    setSheetScale(currentSheet_, scale);
    UF_DRAW_ask_drawing_info(currentSheet_, &sheetInfo_);
    tag_t front = 创建导入视图("Front", 50, 220, component);
    tag_t below = NULL_TAG, right = NULL_TAG;
    double belowAt[2] = {50, 150}, rightAt[2] = {150, 220};
    UF_DRAW_add_orthographic_view(currentSheet_, front, 3, belowAt, &below);
    UF_DRAW_add_orthographic_view(currentSheet_, front, 2, rightAt, &right);
    tag_t iso = 创建导入视图("Isometric", 150, 150, component);
    UF_DRAW_upd_out_of_date_views(currentSheet_);
    drawing::ViewPlaces at = drawing::places(layout_);
    double f[2] = {at.front.x, at.front.y}, b[2] = {at.below.x, at.below.y}, r[2] = {at.right.x, at.right.y}, i[2] = {at.iso.x, at.iso.y};
    UF_DRAW_move_view(front, f);
    UF_DRAW_move_view(below, b);
    UF_DRAW_move_view(right, r);
    UF_DRAW_move_view(iso, i);
    UF_DRAW_set_view_scale(iso, drawing::isoScale(scale));
    return true;
}

tag_t BlockStyler2D::创建导入视图(const std::string& modelView, double x, double y, tag_t component) {
    UfBracket bracket;
    tag_t work = UF_ASSEM_ask_work_part(), view = NULL_TAG, drawn = NULL_TAG;
    UF_OBJ_cycle_by_name_and_type(work, modelView.c_str(), UF_view_type, FALSE, &view);
    UF_DRAW_view_info_t info;
    UF_DRAW_initialize_view_info(&info);
    info.view_scale = sheetInfo_.drawing_scale > 0 ? sheetInfo_.drawing_scale : 1.0;
    double at[2] = {x, y};
    UF_DRAW_import_view(currentSheet_, view, at, &info, &drawn);
    int mask[256] = {0};
    if (component == NULL_TAG) {
        for (int l = 100; l <= 249; ++l) mask[l - 1] = 1;
    } else {
        UF_OBJ_disp_props_t props{};
        UF_OBJ_ask_display_properties(component, &props);
        const int L = props.layer;
        bool holdsBody = false;
        for (tag_t t = UF_ASSEM_cycle_objs_in_comp(component, NULL_TAG); t != NULL_TAG && !holdsBody; t = UF_ASSEM_cycle_objs_in_comp(component, t)) {
            int type = 0, subtype = 0;
            UF_OBJ_ask_type_and_subtype(t, &type, &subtype);
            holdsBody = type == UF_solid_type && subtype == UF_solid_body_subtype;
        }
        for (int l = L; l <= (holdsBody ? L + 14 : L); ++l)
            if (l >= 1 && l <= 256) mask[l - 1] = 1;
    }
    char name[UF_OBJ_NAME_BUFSIZE] = "";
    UF_OBJ_ask_name(drawn, name);
    uc6447(name, 2, mask);
    return drawn;
}

void BlockStyler2D::标题栏设置(const std::string& material, const std::string& number, const std::string& name, const std::string& quantity,
                              const std::string& total) {
    UfBracket bracket;
    const drawing::TitleValues values{material, number, quantity, total, name};
    遍历图纸表格单元格([&](tag_t cell, const std::string& was) {
        bool changed = false;
        std::string now = drawing::titleCell(was, values, changed);
        if (changed) UF_TABNOT_set_cell_text(cell, now.c_str());
    });
}

void BlockStyler2D::设置组件精确显示(tag_t component) {
    auto* c = dynamic_cast<NXOpen::Assemblies::Component*>(NXOpen::NXObjectManager::Get(component));
    if (!c) return;
    NXOpen::Session::UndoMarkId mark = theSession->SetUndoMark(NXOpen::Session::MarkVisibilityVisible, "Show Exact");
    NXOpen::ErrorList* errors = theSession->Parts()->Work()->ComponentAssembly()->DisplayComponentsExact({c});
    errors->Clear();
    errors->Dispose();
    theSession->DeleteUndoMark(mark, nullptr);
}
