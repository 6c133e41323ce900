// The direct commands on the displayed part's drawing sheets and folder: sheet renumbering, the
// layers of the current sheet with its refresh, and opening the part's folder.
#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <vector>
#include <NXOpen/Drafting_SettingsManager.hxx>
#include <NXOpen/Drawings_DrawingSheet.hxx>
#include <NXOpen/NXObjectManager.hxx>
#include <NXOpen/Part.hxx>
#include <NXOpen/PartCollection.hxx>
#include <NXOpen/Session.hxx>
#include <uf.h>
#include <uf_assem.h>
#include <uf_draw.h>
#include <uf_layer.h>
#include <uf_modl.h>
#include <uf_obj.h>
#include <uf_object_types.h>
#include <uf_part.h>
#include <uf_tabnot.h>
#include <uf_ui.h>
#include <uf_view.h>
#include <windows.h>
#include "app/commands.hpp"
#include "common/attributes.hpp"
#include "common/part_bodies.hpp"
#include "common/sheet_cells.hpp"
#include "common/uf_bracket.hpp"
#include "components/naming.hpp"
#include "components/sheet_rules.hpp"

namespace {

const int kSelectableLayer = 171;

std::vector<tag_t> drawingSheets() {
    int count = 0;
    tag_t* tags = nullptr;
    UF_DRAW_ask_drawings(&count, &tags);
    std::vector<tag_t> out(tags, tags + count);
    if (tags) UF_free(tags);
    return out;
}

std::string nameOf(tag_t object) {
    char name[UF_OBJ_NAME_BUFSIZE] = "";
    UF_OBJ_ask_name(object, name);
    return name;
}

std::vector<std::string> namesOf(const std::vector<tag_t>& sheets) {
    std::vector<std::string> names;
    for (tag_t s : sheets) names.push_back(nameOf(s));
    return names;
}

NXOpen::Drawings::DrawingSheet* sheetObject(tag_t sheet) {
    return dynamic_cast<NXOpen::Drawings::DrawingSheet*>(NXOpen::NXObjectManager::Get(sheet));
}

// Sets a sheet's number or scale through its builder; a refusal of the host is the caller's to show.
void editSheet(tag_t sheet, const std::string* number, const sheets::Fraction* scale) {
    NXOpen::Drawings::DrawingSheet* s = sheetObject(sheet);
    if (!s) return;
    NXOpen::Part* work = NXOpen::Session::GetSession()->Parts()->Work();
    NXOpen::Drawings::DrawingSheetBuilder* builder = work->DrawingSheets()->DrawingSheetBuilder(s);
    // The builder goes whatever Commit does.
    std::unique_ptr<NXOpen::Drawings::DrawingSheetBuilder, void (*)(NXOpen::Drawings::DrawingSheetBuilder*)> owned(
        builder, [](NXOpen::Drawings::DrawingSheetBuilder* b) { b->Destroy(); });
    builder->SetStandardEnglishScale(3);
    if (number) builder->SetNumber(number->c_str());
    if (scale) {
        builder->SetSecondaryNumber("");
        builder->SetScaleNumerator(scale->numerator);
        builder->SetScaleDenominator(scale->denominator);
    }
    builder->Commit();
}

// The last tabular-note cell on the current sheet whose text holds "(": the specification and
// material cell of the title block.
tag_t specificationCell() {
    tag_t found = NULL_TAG;
    遍历图纸表格单元格([&](tag_t cell, const std::string& text) {
        if (naming::contains(text, "(")) found = cell;
    });
    return found;
}

// The specification and material of the parts drawn on the sheet go into its title block.
void refreshCell(tag_t sheet, sheets::Style style) {
    const tag_t cell = specificationCell();
    if (cell == NULL_TAG) return;
    const std::string key = sheets::cellKey(nameOf(sheet), style);
    std::vector<std::string> entries;
    std::set<std::string> seen;
    for (tag_t b : 部件的体(UF_ASSEM_ask_work_part())) {
        int bodyType = 0;
        UF_MODL_ask_body_type(b, &bodyType);
        if (bodyType != UF_MODL_SOLID_BODY) continue;
        const std::string remark = 得到体的属性(b, ATTR_REMARK), name = 得到体的属性(b, ATTR_PART_NAME);
        if (remark.empty() || name.empty() || remark != REMARK_MARKED) continue;
        const std::string entry = 得到体的属性(b, ATTR_SPEC) + "-" + 得到体的属性(b, ATTR_MATERIAL) + "-" + name;
        if (seen.insert(entry).second) entries.push_back(entry);
    }
    for (const std::string& e : entries)
        if (naming::afterLastDash(e) == key) UF_TABNOT_set_cell_text(cell, naming::beforeLastDash(e).c_str());
}

// The sheet's scale as a fraction, and its isometric view drawn shaded without hidden lines at the
// scale it had.
void refreshScaleAndIsometric(tag_t sheet) {
    UF_DRAW_info_t info{};
    UF_DRAW_ask_drawing_info(sheet, &info);
    int count = 0;
    tag_t* views = nullptr;
    UF_DRAW_ask_views(sheet, &count, &views);
    tag_t iso = NULL_TAG;
    for (int i = 0; i < count; ++i)
        if (naming::contains(nameOf(views[i]), "Isometric")) iso = views[i];
    if (views) UF_free(views);
    double isoScale = 0;
    if (iso != NULL_TAG) UF_DRAW_ask_view_scale(iso, &isoScale);
    const sheets::Fraction f = sheets::scaleFraction(info.drawing_scale);
    editSheet(sheet, nullptr, &f);
    if (iso == NULL_TAG) return;
    NXOpen::Session* session = NXOpen::Session::GetSession();
    NXOpen::Part* work = session->Parts()->Work();
    auto* view = dynamic_cast<NXOpen::DisplayableObject*>(NXOpen::NXObjectManager::Get(iso));
    if (!view) return;
    NXOpen::Drawings::EditViewSettingsBuilder* builder = work->SettingsManager()->CreateDrawingEditViewSettingsBuilder({view});
    std::unique_ptr<NXOpen::Drawings::EditViewSettingsBuilder, void (*)(NXOpen::Drawings::EditViewSettingsBuilder*)> owned(
        builder, [](NXOpen::Drawings::EditViewSettingsBuilder* b) { b->Destroy(); });
    work->SettingsManager()->ProcessForMultipleObjectsSettings({builder});
    builder->ViewStyle()->ViewStyleShading()->SetRenderingStyle(0);
    builder->ViewStyle()->ViewStyleHiddenLines()->SetHiddenlineFont(0);
    builder->Commit();
    session->CleanUpFacetedFacesAndEdges();
    UF_DRAW_set_view_scale(iso, isoScale);
}

// A host refusal ends the command with the host's words, not a crash of the menu.
template <class F>
int command(const char* title, F&& body) {
    UfBracket bracket;
    try {
        body();
    } catch (std::exception& e) {
        uc1601((std::string(title) + ": " + e.what()).c_str(), 1);
    }
    return 0;
}

}  // namespace

int bili_yangshi() {
    return command("bili_yangshi", [] {
        const std::vector<tag_t> sheets = drawingSheets();
        const std::vector<std::string> names = namesOf(sheets);
        const std::vector<size_t> order = sheets::numberingOrder(names, sheets::styleOf(names));
        for (size_t k = 0; k < order.size(); ++k) {
            const std::string number = std::to_string(k + 1);
            editSheet(sheets[order[k]], &number, nullptr);
        }
    });
}

int tuceng_xianshi() {
    return command("tuceng_xianshi", [] {
        const sheets::Style style = sheets::styleOf(namesOf(drawingSheets()));
        if (style == sheets::kPlain) {
            char current[MAX_ENTITY_NAME_BUFSIZE] = "";
            uc6492(current);
            UF_LAYER_set_status(kSelectableLayer, 1);
            UF_LAYER_set_all_but_work(4);
            for (const sheets::LayerStatus& s : sheets::layersOfSheet(sheets::leadingNumber(current))) UF_LAYER_set_status(s.layer, s.status);
            UF_LAYER_set_status(kSelectableLayer, 2);
        } else {
            int work = 0;
            UF_LAYER_ask_work_layer(&work);
            UF_LAYER_set_status(work, 1);
        }
        tag_t sheet = NULL_TAG;
        UF_DRAW_ask_current_drawing(&sheet);
        // Without a current sheet there is nothing to refresh.
        if (sheet == NULL_TAG) return;
        refreshCell(sheet, style);
        refreshScaleAndIsometric(sheet);
    });
}

int wrod_lujin() {
    return command("wrod_lujin", [] {
        char file[MAX_FSPEC_BUFSIZE] = "";
        UF_PART_ask_part_name(UF_PART_ask_display_part(), file);
        const std::string path = file;
        const size_t slash = naming::lastOf(path, '\\');
        const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash);
        ShellExecuteA(nullptr, "open", folder.c_str(), nullptr, nullptr, 1);
    });
}
