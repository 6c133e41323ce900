// Objects, attributes, parts, assemblies, layers, display and views of the procedural interface.
#include <cstdlib>
#include <cstring>
#include "files/partfile.h"
#include "files/paths.h"
#include "model/guard.h"
#include "text.h"
#include "uf.h"
#include "uf_assem.h"
#include "uf_attr.h"
#include "uf_disp.h"
#include "uf_layer.h"
#include "uf_obj.h"
#include "uf_part.h"
#include "uf_view.h"

using namespace host;

namespace host {
void deleteFeature(Object& feature);
}

namespace {

Part& workPart() {
    Session& s = session();
    if (!s.work) fail(UF_err_operation_failed, "there is no work part");
    return *s.work;
}

std::string titleOf(const char* title) {
    if (!title || !*title) fail(UF_err_bad_parameter_number_2, "empty attribute title");
    return title;
}

void touch(Object& o) {
    if (o.part) o.part->modified = true;
}

}  // namespace

extern "C" {

/* Attributes */

int UF_ATTR_assign(tag_t object, char* title, UF_ATTR_value_t value) {
    return guarded("UF_ATTR_assign", [&] {
        Object& o = session().object(object);
        Attr a;
        a.title = titleOf(title);
        a.type = value.type;
        switch (value.type) {
            case UF_ATTR_string:
                if (!value.value.string) fail(UF_err_bad_parameter_number_3, "string attribute without text");
                a.text = value.value.string;
                break;
            case UF_ATTR_integer: case UF_ATTR_bool: a.integer = value.value.integer; break;
            case UF_ATTR_real: a.real = value.value.real; break;
            default: fail(UF_err_bad_parameter_number_3, "attribute value type " + std::to_string(value.type) + " is not supported");
        }
        o.setAttr(std::move(a));
        touch(o);
    });
}

int UF_ATTR_read_value(tag_t object, char* title, int type, UF_ATTR_value_p_t value) {
    if (value) {
        value->type = UF_ATTR_null;
        value->value.string = nullptr;
    }
    return guarded("UF_ATTR_read_value", [&] {
        if (!value) fail(UF_err_bad_parameter_number_4, "no value record");
        const Attr* a = session().object(object).findAttr(titleOf(title));
        if (!a || (type != UF_ATTR_any && type != a->type)) return;
        value->type = a->type;
        switch (a->type) {
            case UF_ATTR_string: value->value.string = allocString(a->text); break;
            case UF_ATTR_real: value->value.real = a->real; break;
            default: value->value.integer = a->integer; break;
        }
    });
}

int UF_ATTR_find_attribute(tag_t object, int type, char* title, int* title_type) {
    if (title_type) *title_type = 0;
    return guarded("UF_ATTR_find_attribute", [&] {
        const Attr* a = session().object(object).findAttr(titleOf(title));
        if (a && (type == UF_ATTR_any || type == a->type) && title_type) *title_type = a->type;
    });
}

int UF_ATTR_delete(tag_t object, int type, char* title) {
    return guarded("UF_ATTR_delete", [&] {
        Object& o = session().object(object);
        std::string t = titleOf(title);
        for (auto it = o.attrs.begin(); it != o.attrs.end(); ++it)
            if (it->title == t && (type == UF_ATTR_any || type == it->type)) { o.attrs.erase(it); touch(o); return; }
    });
}

int UF_ATTR_delete_all(tag_t object, int type) {
    return guarded("UF_ATTR_delete_all", [&] {
        Object& o = session().object(object);
        auto& v = o.attrs;
        v.erase(std::remove_if(v.begin(), v.end(), [&](const Attr& a) { return type == UF_ATTR_any || a.type == type; }), v.end());
        touch(o);
    });
}

int UF_ATTR_count_attributes(tag_t object, int type, int* count) {
    return guarded("UF_ATTR_count_attributes", [&] {
        int n = 0;
        for (auto& a : session().object(object).attrs) n += (type == UF_ATTR_any || a.type == type);
        if (count) *count = n;
    });
}

int UF_ATTR_cycle(tag_t object, int* indx, int type, char title[UF_ATTR_MAX_TITLE_BUFSIZE], UF_ATTR_value_p_t value) {
    return guarded("UF_ATTR_cycle", [&] {
        if (!indx) fail(UF_err_bad_parameter_number_2, "no index");
        if (title) title[0] = '\0';
        if (value) { value->type = UF_ATTR_null; value->value.string = nullptr; }
        auto& attrs = session().object(object).attrs;
        for (int i = *indx; i < static_cast<int>(attrs.size()); ++i) {
            const Attr& a = attrs[i];
            if (type != UF_ATTR_any && a.type != type) continue;
            copyOut(title, UF_ATTR_MAX_TITLE_BUFSIZE, a.title);
            if (value) {
                value->type = a.type;
                if (a.type == UF_ATTR_string) value->value.string = allocString(a.text);
                else if (a.type == UF_ATTR_real) value->value.real = a.real;
                else value->value.integer = a.integer;
            }
            *indx = i + 1;
            return;
        }
        *indx = 0;
    });
}

/* Objects */

int UF_OBJ_ask_type_and_subtype(tag_t object, int* type, int* subtype) {
    if (type) *type = 0;
    if (subtype) *subtype = 0;
    return guarded("UF_OBJ_ask_type_and_subtype", [&] {
        Object& o = session().object(object);
        if (type) *type = o.type;
        if (subtype) *subtype = o.subtype;
    });
}

int UF_OBJ_ask_status(tag_t object) { return session().find(object) ? UF_OBJ_ALIVE : UF_OBJ_DELETED; }

tag_t UF_OBJ_cycle_objs_in_part(tag_t part, int type, tag_t object) {
    return guardedValue<tag_t>("UF_OBJ_cycle_objs_in_part", NULL_TAG, [&]() -> tag_t {
        Session& s = session();
        Part* p = s.partByTag(part);
        if (!p) fail(UF_err_bad_parameter_number_1, "not a part: " + std::to_string(part));
        // Creation order: the next object after the given one's place (a deleted one keeps its place).
        size_t start = 0;
        if (object != NULL_TAG) {
            Object* o = s.findAny(object);
            start = o && o->part == p && o->pos < p->objects.size() && p->objects[o->pos] == object ? o->pos + 1 : p->objects.size();
        }
        for (size_t i = start; i < p->objects.size(); ++i) {
            Object* o = s.find(p->objects[i]);
            // Occurrences of the assembly's bodies and components are objects of the assembly part too.
            if (!o || o->type != type || o->root) continue;
            return o->tag;
        }
        return NULL_TAG;
    });
}

int UF_OBJ_cycle_by_name_and_type(tag_t part, const char* name, int type, logical cycle_occs, tag_t* object) {
    return guarded("UF_OBJ_cycle_by_name_and_type", [&] {
        if (!object) fail(UF_err_bad_parameter_number_5, "no object");
        Session& s = session();
        Part* p = s.partByTag(part);
        if (!p) fail(UF_err_bad_parameter_number_1, "not a part");
        bool passed = *object == NULL_TAG;
        tag_t found = NULL_TAG;
        for (tag_t t : p->objects) {
            Object* o = s.find(t);
            if (!passed) { passed = t == *object; continue; }
            if (!o || o->type != type || o->root || (o->isOccurrence() && !cycle_occs)) continue;
            if (o->name == (name ? name : "")) { found = t; break; }
        }
        *object = found;
    });
}

int UF_OBJ_ask_name(tag_t object, char name[UF_OBJ_NAME_BUFSIZE]) {
    if (name) name[0] = '\0';
    return guarded("UF_OBJ_ask_name", [&] {
        Object& o = session().object(object);
        if (o.name.empty()) fail(UF_err_operation_failed, "the object has no name");
        copyOut(name, UF_OBJ_NAME_BUFSIZE, o.name);
    });
}

int UF_OBJ_set_name(tag_t object, const char* name) {
    return guarded("UF_OBJ_set_name", [&] {
        Object& o = session().object(object);
        o.name = name ? name : "";
        touch(o);
    });
}

int UF_OBJ_delete_object(tag_t object) {
    return guarded("UF_OBJ_delete_object", [&] {
        Session& s = session();
        Object& o = s.object(object);
        if (o.isOccurrence()) fail(UF_err_operation_failed, "an occurrence is deleted through its prototype");
        if (o.type == UF_feature_type) deleteFeature(o);
        else s.kill(o);
    });
}

int UF_OBJ_set_color(tag_t object, int color) {
    return guarded("UF_OBJ_set_color", [&] {
        if (color < 0 || color > 216) fail(UF_err_bad_parameter_number_2, "colour " + std::to_string(color) + " is not in the colour table");
        Object& o = session().object(object);
        o.color = color;
        touch(o);
    });
}

int UF_OBJ_set_layer(tag_t object, int layer) {
    return guarded("UF_OBJ_set_layer", [&] {
        if (layer < UF_LAYER_MIN_LAYER || layer > UF_LAYER_MAX_LAYER) fail(UF_err_bad_parameter_number_2, "no layer " + std::to_string(layer));
        Object& o = session().object(object);
        o.layer = layer;
        touch(o);
    });
}

int UF_OBJ_set_blank_status(tag_t object, int blank_status) {
    return guarded("UF_OBJ_set_blank_status", [&] {
        Object& o = session().object(object);
        o.blank = blank_status ? UF_OBJ_BLANKED : UF_OBJ_NOT_BLANKED;
        touch(o);
    });
}

int UF_OBJ_ask_display_properties(tag_t object, UF_OBJ_disp_props_p_t props) {
    return guarded("UF_OBJ_ask_display_properties", [&] {
        if (!props) fail(UF_err_bad_parameter_number_2, "no record");
        Object& o = session().object(object);
        props->layer = o.layer;
        props->color = o.color;
        props->blank_status = o.blank;
        props->line_width = o.width;
        props->font = 1;
        props->highlight_status = o.highlight;
    });
}

int UF_OBJ_set_translucency(tag_t object, int translucency) {
    return guarded("UF_OBJ_set_translucency", [&] {
        if (translucency < 0 || translucency > 100) fail(UF_err_bad_parameter_number_2, "translucency runs from 0 to 100");
        Object& o = session().object(object);
        o.translucency = translucency;
        touch(o);
    });
}

int UF_OBJ_ask_translucency(tag_t object, int* translucency) {
    return guarded("UF_OBJ_ask_translucency", [&] {
        Object& o = session().object(object);
        if (translucency) *translucency = o.translucency;
    });
}

int UF_OBJ_ask_owning_part(tag_t object, tag_t* owning_part) {
    return guarded("UF_OBJ_ask_owning_part", [&] {
        Object& o = session().object(object);
        if (owning_part) *owning_part = o.part ? o.part->tag : NULL_TAG;
    });
}

/* Parts */

tag_t UF_PART_ask_display_part(void) {
    Part* p = session().display;
    return p ? p->tag : NULL_TAG;
}

int UF_PART_set_display_part(tag_t part) {
    return guarded("UF_PART_set_display_part", [&] {
        Session& s = session();
        Part* p = s.partByTag(part);
        if (!p) fail(UF_err_bad_parameter_number_1, "not a part");
        s.syncOccurrences(*p);
        s.display = s.work = p;
        s.workOcc = p->rootOcc;
    });
}

int UF_PART_ask_part_name(tag_t part, char part_fspec[MAX_FSPEC_BUFSIZE]) {
    if (part_fspec) part_fspec[0] = '\0';
    return guarded("UF_PART_ask_part_name", [&] {
        Part* p = session().partByTag(part);
        if (!p) fail(UF_err_bad_parameter_number_1, "not a part");
        copyOut(part_fspec, MAX_FSPEC_BUFSIZE, paths::toWindows(p->path));
    });
}

tag_t UF_PART_ask_part_tag(const char* part_name) {
    return guardedValue<tag_t>("UF_PART_ask_part_tag", NULL_TAG, [&]() -> tag_t {
        Session& s = session();
        std::string n = part_name ? part_name : "";
        // A full path names one file; a bare name matches a loaded part's file name without folder or ".prt".
        if (n.find('\\') != std::string::npos || n.find(':') != std::string::npos) {
            Part* p = s.partByPath(paths::toHost(n));
            return p ? p->tag : NULL_TAG;
        }
        for (auto& p : s.parts())
            if (p->leaf() == text::toUtf8Lossy(n) || p->leaf() + ".prt" == text::toUtf8Lossy(n)) return p->tag;
        return NULL_TAG;
    });
}

int UF_PART_open(const char* part_name, tag_t* part, UF_PART_load_status_p_t error_status) {
    if (error_status) std::memset(error_status, 0, sizeof(*error_status));
    if (part) *part = NULL_TAG;
    return guarded("UF_PART_open", [&] {
        Session& s = session();
        Part& p = partfile::open(paths::toHost(part_name ? part_name : ""));
        s.display = s.work = &p;
        s.workOcc = p.rootOcc;
        if (part) *part = p.tag;
    });
}

int UF_PART_save(void) {
    return guarded("UF_PART_save", [&] {
        Part* p = session().work;
        if (!p) fail(UF_err_operation_failed, "there is no work part");
        partfile::save(*p);
    });
}

int UF_PART_save_as(const char* new_part_name) {
    return guarded("UF_PART_save_as", [&] {
        Part* p = session().work;
        if (!p) fail(UF_err_operation_failed, "there is no work part");
        partfile::saveAs(*p, paths::toHost(new_part_name ? new_part_name : ""));
    });
}

int UF_PART_ask_num_parts(void) { return static_cast<int>(session().parts().size()); }

tag_t UF_PART_ask_nth_part(int index) {
    auto& parts = session().parts();
    return index >= 0 && index < static_cast<int>(parts.size()) ? parts[index]->tag : NULL_TAG;
}

int UF_PART_cleanup(int option) {
    return guarded("UF_PART_cleanup", [&] {
        if (option & UF_PART_cleanup_highlight) {
            for (auto& p : session().parts())
                for (tag_t t : p->objects)
                    if (Object* o = session().find(t)) o->highlight = false;
        }
    });
}

int UF_PART_free_load_status(UF_PART_load_status_p_t status) {
    if (status) {
        UF_free_string_array(status->n_parts, status->file_names);
        std::free(status->statuses);
        std::memset(status, 0, sizeof(*status));
    }
    return 0;
}

/* Assemblies */

tag_t UF_ASSEM_ask_work_part(void) {
    Part* p = session().work;
    return p ? p->tag : NULL_TAG;
}

int UF_ASSEM_set_work_part(tag_t part) {
    return guarded("UF_ASSEM_set_work_part", [&] {
        Session& s = session();
        Part* p = s.partByTag(part);
        if (!p) fail(UF_err_bad_parameter_number_1, "not a part");
        s.work = p;
        s.workOcc = NULL_TAG;
        if (s.display) {
            if (p == s.display) s.workOcc = s.display->rootOcc;
            else
                for (tag_t t : s.display->objects)
                    if (Object* o = s.find(t); o && o->type == UF_component_type && o->child == p) { s.workOcc = t; break; }
        }
    });
}

// The displayed part is no occurrence of anything: while it is the work part there is no work occurrence.
tag_t UF_ASSEM_ask_work_occurrence(void) {
    Object* o = session().find(session().workOcc);
    return o && !o->root ? o->tag : NULL_TAG;
}

tag_t UF_ASSEM_ask_root_part_occ(tag_t part) {
    return guardedValue<tag_t>("UF_ASSEM_ask_root_part_occ", NULL_TAG, [&]() -> tag_t {
        Session& s = session();
        Part* p = s.partByTag(part);
        if (!p) fail(UF_err_bad_parameter_number_1, "not a part");
        if (p->instances.empty()) return NULL_TAG;  // a piece part has no assembly
        s.syncOccurrences(*p);
        return p->rootOcc;
    });
}

int UF_ASSEM_ask_part_occ_children(tag_t occ, tag_t** children) {
    int n = 0;
    if (children) *children = nullptr;
    guarded("UF_ASSEM_ask_part_occ_children", [&] {
        Session& s = session();
        Object& parent = s.object(occ);
        std::vector<tag_t> out;
        for (tag_t t : parent.part->objects)
            if (Object* o = s.find(t); o && o->type == UF_component_type && o->parent == occ) out.push_back(t);
        n = static_cast<int>(out.size());
        if (children && n) {
            *children = static_cast<tag_t*>(std::malloc(sizeof(tag_t) * n));
            std::copy(out.begin(), out.end(), *children);
        }
    });
    return n;
}

logical UF_ASSEM_is_occurrence(tag_t object) {
    Object* o = session().find(object);
    return o && o->isOccurrence();
}

tag_t UF_ASSEM_ask_prototype_of_occ(tag_t occurrence) {
    Object* o = session().find(occurrence);
    return o && o->isOccurrence() ? o->prototype : NULL_TAG;
}

tag_t UF_ASSEM_ask_parent_component(tag_t occurrence) {
    Object* o = session().find(occurrence);
    if (!o || !o->parent) return NULL_TAG;
    Object* p = session().find(o->parent);
    return p && !p->root ? p->tag : NULL_TAG;
}

tag_t UF_ASSEM_cycle_objs_in_comp(tag_t component, tag_t object) {
    return guardedValue<tag_t>("UF_ASSEM_cycle_objs_in_comp", NULL_TAG, [&]() -> tag_t {
        Session& s = session();
        Object& c = s.object(component);
        bool passed = object == NULL_TAG;
        for (tag_t t : c.part->objects) {
            if (!passed) { passed = t == object; continue; }
            Object* o = s.find(t);
            if (o && o->parent == component) return t;
        }
        return NULL_TAG;
    });
}

int UF_ASSEM_ask_component_data(tag_t component, char part_name[MAX_FSPEC_BUFSIZE], char refset_name[MAX_ENTITY_NAME_BUFSIZE],
                                 char instance_name[MAX_ENTITY_NAME_BUFSIZE], double origin[3], double csys_matrix[9], double transform[4][4]) {
    return guarded("UF_ASSEM_ask_component_data", [&] {
        Object& c = session().object(component);
        if (c.type != UF_component_type || !c.child) fail(UF_err_bad_parameter_number_1, "not a component");
        copyOut(part_name, MAX_FSPEC_BUFSIZE, paths::toWindows(c.child->path));
        copyOut(refset_name, MAX_ENTITY_NAME_BUFSIZE, "\xd5\xfb\xb8\xf6\xb2\xbf\xbc\xfe");  // 整个部件
        copyOut(instance_name, MAX_ENTITY_NAME_BUFSIZE, c.instanceName);
        const gp_Trsf& t = c.transform;
        if (origin) for (int i = 0; i < 3; ++i) origin[i] = t.Value(i + 1, 4);
        if (csys_matrix) for (int r = 0; r < 3; ++r) for (int k = 0; k < 3; ++k) csys_matrix[r * 3 + k] = t.Value(k + 1, r + 1);
        if (transform) {
            for (int r = 0; r < 3; ++r) for (int k = 0; k < 4; ++k) transform[r][k] = t.Value(r + 1, k + 1);
            transform[3][0] = transform[3][1] = transform[3][2] = 0;
            transform[3][3] = 1;
        }
    });
}

/* Layers of the work part */

int UF_LAYER_set_status(int layer, int status) {
    return guarded("UF_LAYER_set_status", [&] {
        if (layer < UF_LAYER_MIN_LAYER || layer > UF_LAYER_MAX_LAYER) fail(UF_err_bad_parameter_number_1, "no layer " + std::to_string(layer));
        if (status < 0 || status > 3) fail(UF_err_bad_parameter_number_2, "no layer status " + std::to_string(status));
        Part& p = workPart();
        if (status == UF_LAYER_WORK_LAYER) {
            p.layerStatus[p.workLayer] = UF_LAYER_ACTIVE_LAYER;
            p.workLayer = layer;
        } else if (layer == p.workLayer) {
            fail(UF_err_operation_failed, "the work layer cannot be made " + std::to_string(status));
        }
        p.layerStatus[layer] = status;
        p.modified = true;
    });
}

int UF_LAYER_ask_status(int layer, int* status) {
    return guarded("UF_LAYER_ask_status", [&] {
        if (layer < UF_LAYER_MIN_LAYER || layer > UF_LAYER_MAX_LAYER) fail(UF_err_bad_parameter_number_1, "no layer " + std::to_string(layer));
        if (status) *status = workPart().layerStatus[layer];
    });
}

int UF_LAYER_ask_work_layer(int* layer) {
    return guarded("UF_LAYER_ask_work_layer", [&] { if (layer) *layer = workPart().workLayer; });
}

int UF_LAYER_set_all_but_work(int status) {
    return guarded("UF_LAYER_set_all_but_work", [&] {
        Part& p = workPart();
        for (int l = UF_LAYER_MIN_LAYER; l <= UF_LAYER_MAX_LAYER; ++l)
            if (l != p.workLayer) p.layerStatus[l] = status;
        p.modified = true;
    });
}

/* Display */

int UF_DISP_ask_color(int color_num, int color_model, char** color_name, double clr_values[3]) {
    if (color_name) *color_name = nullptr;
    return guarded("UF_DISP_ask_color", [&] {
        if (color_num < 0 || color_num >= 216) fail(UF_err_bad_parameter_number_1, "no colour " + std::to_string(color_num));
        if (color_model != UF_DISP_rgb_model) fail(UF_err_bad_parameter_number_2, "only the RGB colour model is provided");
        auto& c = session().colors[color_num];
        if (clr_values) for (int i = 0; i < 3; ++i) clr_values[i] = c[i];
        if (color_name) *color_name = allocString(color_num == 0 ? "Background" : "Color " + std::to_string(color_num));
    });
}

int UF_DISP_set_color(int color_num, int color_model, const char*, const double clr_values[3]) {
    return guarded("UF_DISP_set_color", [&] {
        if (color_num < 0 || color_num >= 216) fail(UF_err_bad_parameter_number_1, "no colour " + std::to_string(color_num));
        if (color_model != UF_DISP_rgb_model) fail(UF_err_bad_parameter_number_2, "only the RGB colour model is provided");
        if (!clr_values) fail(UF_err_bad_parameter_number_4, "no colour values");
        for (int i = 0; i < 3; ++i)
            if (clr_values[i] < 0 || clr_values[i] > 1) fail(UF_err_bad_parameter_number_4, "colour values run from 0 to 1");
        auto& c = session().colors[color_num];
        for (int i = 0; i < 3; ++i) c[i] = clr_values[i];
    });
}

int UF_DISP_load_color_table(void) {
    return guarded("UF_DISP_load_color_table", [&] { ++session().colorTableLoads; });
}

int UF_DISP_set_highlight(tag_t object, int highlight) {
    return guarded("UF_DISP_set_highlight", [&] { session().object(object).highlight = highlight != 0; });
}

int UF_DISP_ask_highlight(tag_t object, int* highlight) {
    return guarded("UF_DISP_ask_highlight", [&] { if (highlight) *highlight = session().object(object).highlight; });
}

int UF_DISP_regenerate_display(void) { return 0; }

/* Views: the stand-in's parts share the standard modelling views, the work view being the first. */

static const char* const kViews[] = {"TFR-TRI", "TFR-ISO", "TOP", "FRONT", "RIGHT", "BACK", "BOTTOM", "LEFT"};

int UF_VIEW_ask_work_view(tag_t* view_tag) {
    return guarded("UF_VIEW_ask_work_view", [&] {
        Session& s = session();
        Part& p = workPart();
        tag_t found = NULL_TAG;
        for (tag_t t : p.objects)
            if (Object* o = s.find(t); o && o->type == UF_view_type) { found = t; break; }
        if (!found) {
            for (const char* n : kViews) {
                Object& v = s.create(p, UF_view_type, 0);
                v.name = n;
                if (!found) found = v.tag;
            }
            p.modified = false;  // views appear on demand; asking for them does not change the part
        }
        if (view_tag) *view_tag = found;
    });
}

int UF_VIEW_fit_view(tag_t view_tag, double fraction) {
    return guarded("UF_VIEW_fit_view", [&] {
        Object& v = session().object(view_tag);
        if (v.type != UF_view_type) fail(UF_err_bad_parameter_number_1, "not a view");
        if (fraction <= 0 || fraction > 1) fail(UF_err_bad_parameter_number_2, "fit fraction runs from 0 to 1");
        session().say("[view] fit " + v.name);
    });
}

int UF_VIEW_ask_tag_of_view_name(const char* view_name, tag_t* view_tag) {
    return guarded("UF_VIEW_ask_tag_of_view_name", [&] {
        tag_t w;
        UF_VIEW_ask_work_view(&w);
        Session& s = session();
        std::string n = view_name ? view_name : "";
        if (view_tag) *view_tag = NULL_TAG;
        for (tag_t t : workPart().objects)
            if (Object* o = s.find(t); o && o->type == UF_view_type && o->name == n && view_tag) *view_tag = t;
    });
}

int UF_VIEW_cycle_objects(tag_t, int, tag_t*) { return UF_err_not_provided; }

}  // extern "C"

extern "C" int UF_PART_close(tag_t part, int scope, int) {
    return guarded("UF_PART_close", [&] {
        Session& s = session();
        Part* p = s.partByTag(part);
        if (!p) fail(UF_err_bad_parameter_number_1, "not a part");
        std::vector<std::string> children;
        if (scope == 1)
            for (auto& in : p->instances) children.push_back(in.file);
        s.closePart(*p);
        for (auto& f : children)
            if (Part* c = s.partByPath(f)) s.closePart(*c);
    });
}
