// Menu action "2D": the sheets of the displayed part for AutoCAD users, one file a sheet, in the folder
// "<part>CAD工程图" beside the part.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>
#include <NXOpen/DxfdwgCreator.hxx>
#include <NXOpen/Session.hxx>
#include <uf.h>
#include <uf_cfi.h>
#include <uf_disp.h>
#include <uf_draw.h>
#include <uf_obj.h>
#include <uf_object_types.h>
#include <uf_part.h>
#include <uf_ui.h>
#include "app/commands.hpp"
#include "common/uf_bracket.hpp"
#include "components/assembly_queries.hpp"
#include "components/naming.hpp"
#include <direct.h>
#include <io.h>
#include <windows.h>

namespace {

// The view a drawing sheet has of itself, as the host types its views.
constexpr int kDrawingSheetView = 10;

bool exists(const std::string& file) {
    int missing = 1;
    UF_CFI_ask_file_exist(file.c_str(), &missing);
    return missing == 0;
}

// The picked sheets, or every sheet when none was picked. A sheet is picked as its drawing-sheet view;
// a member view picked of one sheet does not narrow the export to that sheet. The host's class
// selection answers OK with the picks; a cancelled dialog exports every sheet too.
std::vector<tag_t> 选择图纸页() {
    std::vector<tag_t> sheets;
    int response = 0, count = 0;
    tag_t* objects = nullptr;
    std::string message = "请选择图纸页---如果未选图纸,将导出所有图纸", title = "选择图纸页";
    UF_UI_select_with_class_dialog(&message[0], &title[0], UF_UI_SEL_SCOPE_ANY_IN_ASSEMBLY, nullptr, nullptr, &response, &count, &objects);
    if (response == UF_UI_OK) {
        for (int i = 0; i < count; ++i) {
            UF_DISP_set_highlight(objects[i], 0);
            int type = 0, subtype = 0;
            UF_OBJ_ask_type_and_subtype(objects[i], &type, &subtype);
            tag_t sheet = NULL_TAG;
            if (type == UF_view_type && subtype == kDrawingSheetView) UF_DRAW_ask_drawing_of_view(objects[i], &sheet);
            if (sheet != NULL_TAG && std::find(sheets.begin(), sheets.end(), sheet) == sheets.end()) sheets.push_back(sheet);
        }
    }
    if (objects) UF_free(objects);
    if (sheets.empty()) {
        int n = 0;
        tag_t* all = nullptr;
        UF_DRAW_ask_drawings(&n, &all);
        sheets.assign(all, all + std::max(n, 0));
        if (all) UF_free(all);
    }
    return sheets;
}

void 导出图纸页(const std::string& part, const std::string& sheet, const std::string&, const std::string& file) {
    NXOpen::DxfdwgCreator* c = NXOpen::Session::GetSession()->DexManager()->CreateDxfdwgCreator();
    std::unique_ptr<NXOpen::DxfdwgCreator, void (*)(NXOpen::DxfdwgCreator*)> drop(c, [](NXOpen::DxfdwgCreator* x) { x->Destroy(); });
    c->SetExportData(1);
    c->SetAutoCADRevision(1);
    c->SetViewEditMode(true);
    c->SetOutputFileType(1);
    c->ObjectTypes()->SetCurves(true);
    c->ObjectTypes()->SetAnnotations(true);
    c->ObjectTypes()->SetStructures(true);
    c->SetOutputFile(file);
    c->SetInputFile(part);
    c->SetDrawingList(sheet);
    c->SetFlattenAssembly(false);
    c->SetWidthFactorMode(0);
    c->SetOverlappingEntities(true);
    c->SetFileSaveFlag(false);
    c->Commit();
}

}  // namespace

int daochu_dwg() {
    UfBracket bracket;
    std::vector<tag_t> sheets = 选择图纸页();
    char name[MAX_FSPEC_BUFSIZE] = "";
    UF_PART_ask_part_name(UF_PART_ask_display_part(), name);
    const std::string full = name;
    // A name without "." exports beside it all the same: "<name>CAD工程图". A "." in a folder's name
    // is no extension.
    const size_t slash = naming::lastOf(full, '\\');
    size_t dot = naming::lastOf(full, '.');
    if (dot != std::string::npos && slash != std::string::npos && dot < slash) dot = std::string::npos;
    const std::string folder = (dot == std::string::npos ? full : full.substr(0, dot)) + "CAD工程图";
    if (_access(folder.c_str(), 0) != 0) _mkdir(folder.c_str());
    UF_PART_save();
    int failed = 0;
    for (tag_t t : sheets) {
        const std::string sheet = wholeName(t);
        UF_DRAW_info_t info{};
        UF_DRAW_ask_drawing_info(t, &info);
        char scale[64];
        std::snprintf(scale, sizeof scale, "%f:1", info.drawing_scale);
        const std::string file = folder + "\\" + sheet + ".dwg";
        // An older export is set aside, not deleted: it goes only once a new file stands in its place,
        // and comes back when none does (a failed export, or a creator that writes another format).
        const std::string aside = file + ".old";
        const bool had = exists(file);
        if (had) {
            DeleteFileA(aside.c_str());
            rename(file.c_str(), aside.c_str());
        }
        try {
            导出图纸页(full, sheet, scale, file);
        } catch (std::exception& ex) {
            ++failed;
            uc1601((sheet + "\n导出失败:\n" + ex.what()).c_str(), 1);
        }
        if (had) {
            if (exists(file)) DeleteFileA(aside.c_str());
            else rename(aside.c_str(), file.c_str());
        }
    }
    return failed == 0 ? 0 : 1;
}
