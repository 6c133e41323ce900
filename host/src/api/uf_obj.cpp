// Objects: kinds, names, display state, cycling, deletion.
#include "api/common.h"
#include "draft/drafting.h"
#include "model/guard.h"
#include "uf_layer.h"
#include "uf_obj.h"

using namespace host;
using namespace host::api;

extern "C" {

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
        // The host keeps view names in capitals and knows its views by their everyday names too ("Isometric").
        std::string want = name ? name : "";
        if (type == UF_view_type) {
            draft::ensureModelViews(*p);
            want = draft::modelViewName(want);
        }
        bool passed = *object == NULL_TAG;
        tag_t found = NULL_TAG;
        for (tag_t t : p->objects) {
            Object* o = s.find(t);
            if (!passed) { passed = t == *object; continue; }
            if (!o || o->type != type || o->root || (o->isOccurrence() && !cycle_occs)) continue;
            if ((type == UF_view_type ? draft::modelViewName(o->name) : o->name) == want) { found = t; break; }
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
        const std::string before = o.name;
        o.name = name ? name : "";
        if (o.type == UF_drawing_type) session().sheetRenamed(o, before);
        touch(o);
    });
}

int UF_OBJ_delete_object(tag_t object) {
    return guarded("UF_OBJ_delete_object", [&] {
        Session& s = session();
        Object& o = s.object(object);
        if (o.isOccurrence()) fail(UF_err_operation_failed, "an occurrence is deleted through its prototype");
        if (o.type == UF_feature_type) {
            deleteFeature(o);
        } else if (o.type == UF_group_type) {
            // The stand-in's groups own what was put into them (an import): the members go with the group.
            for (tag_t m : o.members)
                if (Object* x = s.find(m); x && !x->isOccurrence()) s.kill(*x);
            s.kill(o);
        } else {
            s.kill(o);
        }
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

}  // extern "C"
