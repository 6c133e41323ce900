// Assemblies: work part, occurrences, components.
#include <algorithm>
#include <cstdlib>
#include "files/paths.h"
#include "model/guard.h"
#include "uf_assem.h"
#include "uf_object_types.h"

using namespace host;

extern "C" {

tag_t UF_ASSEM_ask_work_part(void) {
    Part* p = session().work;
    return p ? p->tag : NULL_TAG;
}

int UF_ASSEM_set_work_part(tag_t part) {
    return guarded("UF_ASSEM_set_work_part", [&] {
        Session& s = session();
        Part* p = s.partByTag(part);
        if (!p) fail(UF_err_bad_parameter_number_1, "not a part");
        s.workOcc = s.workOccurrenceFor(*p);
        s.work = p;
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
        for (tag_t t : parent.members)
            if (Object* o = s.find(t); o && o->type == UF_component_type) out.push_back(t);
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

// A component placed directly in the displayed part has the root part occurrence for its parent, as on
// the host; a body of a part itself has none.
tag_t UF_ASSEM_ask_parent_component(tag_t occurrence) {
    Object* o = session().find(occurrence);
    if (!o || !o->parent) return NULL_TAG;
    Object* p = session().find(o->parent);
    return p ? p->tag : NULL_TAG;
}

tag_t UF_ASSEM_cycle_objs_in_comp(tag_t component, tag_t object) {
    return guardedValue<tag_t>("UF_ASSEM_cycle_objs_in_comp", NULL_TAG, [&]() -> tag_t {
        Session& s = session();
        Object& c = s.object(component);
        // Members are in creation order, so by tag: the next one is found by its tag, even after `object` was deleted.
        auto it = object == NULL_TAG ? c.members.begin() : std::upper_bound(c.members.begin(), c.members.end(), object);
        for (; it != c.members.end(); ++it)
            if (s.find(*it)) return *it;
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

}  // extern "C"
