// Drawing sheets of the work part and their views.
#include <cstdlib>
#include <cstring>
#include "api/common.h"
#include "draft/drafting.h"
#include "model/guard.h"
#include "text.h"
#include "uf_draw.h"
#include "uf_object_types.h"

using namespace host;
using namespace host::api;

namespace {

void checkScale(double scale, int parameter) {
    if (!(scale > 0 && scale < 1e6)) fail(parameter, "a scale must be a positive number");
}

void checkPoint(const double p[2], int parameter) {
    if (!p) fail(parameter, "no point on the sheet");
    for (int i = 0; i < 2; ++i)
        if (!(std::abs(p[i]) < 1e5)) fail(parameter, "the point lies far outside any sheet");
}

}  // namespace

extern "C" {

int UF_DRAW_ask_drawings(int* num, tag_t** drawings) {
    if (num) *num = 0;
    if (drawings) *drawings = nullptr;
    return guarded("UF_DRAW_ask_drawings", [&] {
        Session& s = session();
        if (!s.work) fail(UF_err_operation_failed, "there is no work part");
        std::vector<tag_t> sheets = s.sheets(*s.work);
        if (num) *num = static_cast<int>(sheets.size());
        if (drawings && !sheets.empty()) {
            *drawings = static_cast<tag_t*>(std::malloc(sheets.size() * sizeof(tag_t)));
            std::copy(sheets.begin(), sheets.end(), *drawings);
        }
    });
}

int UF_DRAW_ask_current_drawing(tag_t* drawing) {
    if (drawing) *drawing = NULL_TAG;
    return guarded("UF_DRAW_ask_current_drawing", [&] {
        Object* sheet = draft::currentSheet(workPart());
        if (drawing && sheet) *drawing = sheet->tag;
    });
}

int UF_DRAW_ask_drawing_info(tag_t drawing, UF_DRAW_info_t* info) {
    return guarded("UF_DRAW_ask_drawing_info", [&] {
        if (!info) fail(UF_err_bad_parameter_number_2, "no record");
        const draft::Sheet& sh = *draft::sheetObject(drawing).sheet;
        std::memset(info, 0, sizeof *info);
        info->size_state = 3;
        info->size.custom_size[0] = sh.width;
        info->size.custom_size[1] = sh.height;
        info->drawing_scale = sh.scale;
        info->units = 1;
        info->projection_angle = 1;
    });
}

int UF_DRAW_set_drawing_info(tag_t drawing, UF_DRAW_info_t* info) {
    return guarded("UF_DRAW_set_drawing_info", [&] {
        if (!info) fail(UF_err_bad_parameter_number_2, "no record");
        Object& o = draft::sheetObject(drawing);
        checkScale(info->drawing_scale, UF_err_bad_parameter_number_2);
        // The size stays the template's: a sheet is not made larger or smaller by its record.
        o.sheet->scale = info->drawing_scale;
        touch(o);
    });
}

int UF_DRAW_rename_drawing(tag_t drawing, char* name) {
    return guarded("UF_DRAW_rename_drawing", [&] {
        Object& o = draft::sheetObject(drawing);
        std::string n = name ? name : "";
        if (n.empty()) fail(UF_err_bad_parameter_number_2, "a sheet needs a name");
        if (Object* other = session().sheetNamed(*o.part, n); other && other->tag != drawing)
            fail(UF_err_bad_parameter_number_2, "the part has a sheet of that name already");
        const std::string before = o.name;
        o.name = n;
        session().sheetRenamed(o, before);
        touch(o);
    });
}

int UF_DRAW_upd_out_of_date_views(tag_t drawing) {
    return guarded("UF_DRAW_upd_out_of_date_views", [&] {
        Session& s = session();
        for (tag_t t : draft::sheetObject(drawing).sheet->views)
            if (Object* v = s.find(t)) v->view->outOfDate = false;
    });
}

int UF_DRAW_add_orthographic_view(const tag_t drawing, const tag_t parent, const UF_DRAW_proj_dir_t code, double at[2], tag_t* out) {
    if (out) *out = NULL_TAG;
    return guarded("UF_DRAW_add_orthographic_view", [&] {
        Object& sheet = draft::sheetObject(drawing);
        Object& p = draft::memberView(parent);
        if (p.view->sheet != drawing) fail(UF_err_bad_parameter_number_2, "the parent view is on another sheet");
        checkPoint(at, UF_err_bad_parameter_number_4);
        draft::View v;
        v.kind = draft::ViewKind::Projected;
        v.modelView = draft::projectedModelView(p.view->modelView, code);
        v.partFile = p.view->partFile;
        v.layers = p.view->layers;
        v.scale = p.view->scale;
        v.x = at[0];
        v.y = at[1];
        v.parent = parent;
        v.code = code;
        Object& made = draft::newView(*sheet.part, sheet, v);
        if (out) *out = made.tag;
    });
}

int UF_DRAW_set_view_scale(tag_t view, double scale) {
    return guarded("UF_DRAW_set_view_scale", [&] {
        Object& v = draft::memberView(view);
        checkScale(scale, UF_err_bad_parameter_number_2);
        v.view->scale = scale;
        v.view->outOfDate = true;
        touch(v);
    });
}

int UF_DRAW_initialize_view_info(UF_DRAW_view_info_t* info) {
    if (!info) return UF_err_bad_parameter_number_1;
    std::memset(info, 0, sizeof *info);
    info->view_status = 1;
    info->view_scale = 1.0;
    info->transfer_annotation = TRUE;
    return 0;
}

int UF_DRAW_import_view(const tag_t drawing, const tag_t modelView, double at[2], UF_DRAW_view_info_t* info, tag_t* out) {
    if (out) *out = NULL_TAG;
    return guarded("UF_DRAW_import_view", [&] {
        Object& sheet = draft::sheetObject(drawing);
        if (draft::currentSheet(*sheet.part) != &sheet) fail(UF_err_bad_parameter_number_1, "views are imported onto the current sheet only");
        Object& mv = session().object(modelView);
        if (mv.type != UF_view_type || mv.view || mv.part != sheet.part) fail(UF_err_bad_parameter_number_2, "not a modelling view of the sheet's part");
        if (!info) fail(UF_err_bad_parameter_number_4, "no view record");
        checkPoint(at, UF_err_bad_parameter_number_3);
        checkScale(info->view_scale, UF_err_bad_parameter_number_4);
        draft::View v;
        v.kind = draft::ViewKind::Imported;
        v.modelView = mv.name;
        v.partFile = sheet.part->path;
        v.scale = info->view_scale;
        v.x = at[0];
        v.y = at[1];
        Object& made = draft::newView(*sheet.part, sheet, v);
        if (out) *out = made.tag;
    });
}

int UF_DRAW_delete_drawing(tag_t drawing) {
    return guarded("UF_DRAW_delete_drawing", [&] { draft::deleteSheet(draft::sheetObject(drawing)); });
}

int UF_DRAW_ask_views(tag_t drawing, int* num_views, tag_t** view_tags) {
    if (num_views) *num_views = 0;
    if (view_tags) *view_tags = nullptr;
    return guarded("UF_DRAW_ask_views", [&] {
        if (!num_views || !view_tags) fail(UF_err_bad_parameter_number_2, "no place for the views");
        std::vector<tag_t> views;
        for (tag_t t : draft::sheetObject(drawing).sheet->views)
            if (session().find(t)) views.push_back(t);
        *num_views = static_cast<int>(views.size());
        if (!views.empty()) {
            *view_tags = static_cast<tag_t*>(std::malloc(views.size() * sizeof(tag_t)));
            std::copy(views.begin(), views.end(), *view_tags);
        }
    });
}

int UF_DRAW_ask_view_scale(tag_t view, double* scale) {
    return guarded("UF_DRAW_ask_view_scale", [&] {
        if (!scale) fail(UF_err_bad_parameter_number_2, "no place for the scale");
        *scale = draft::memberView(view).view->scale;
    });
}

int UF_DRAW_update_one_view(tag_t drawing, tag_t view) {
    return guarded("UF_DRAW_update_one_view", [&] {
        Object& v = draft::memberView(view);
        if (drawing != NULL_TAG && v.view->sheet != draft::sheetObject(drawing).tag)
            fail(UF_err_bad_parameter_number_2, "the view stands on another sheet");
        v.view->outOfDate = false;
    });
}

int uc6492(char name[MAX_ENTITY_NAME_BUFSIZE]) {
    return guarded("uc6492", [&] {
        if (!name) fail(UF_err_bad_parameter_number_1, "no place for the name");
        name[0] = '\0';
        Object* sheet = draft::currentSheet(workPart());
        if (!sheet) fail(UF_err_operation_failed, "no drawing sheet is current");
        copyOut(name, MAX_ENTITY_NAME_BUFSIZE, sheet->name);
    });
}

int UF_DRAW_move_view(tag_t view, double at[2]) {
    return guarded("UF_DRAW_move_view", [&] {
        Object& v = draft::memberView(view);
        checkPoint(at, UF_err_bad_parameter_number_2);
        v.view->x = at[0];
        v.view->y = at[1];
        touch(v);
    });
}

int UF_DRAW_ask_drawing_of_view(tag_t view, tag_t* drawing) {
    if (drawing) *drawing = NULL_TAG;
    return guarded("UF_DRAW_ask_drawing_of_view", [&] {
        if (drawing) *drawing = draft::sheetOfView(view).tag;
    });
}

}  // extern "C"
