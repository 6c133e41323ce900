#include "common/part_bodies.hpp"
#include <uf_obj.h>
#include <uf_object_types.h>

std::vector<tag_t> 部件的体(tag_t part) {
    std::vector<tag_t> out;
    for (tag_t t = UF_OBJ_cycle_objs_in_part(part, UF_solid_type, NULL_TAG); t != NULL_TAG; t = UF_OBJ_cycle_objs_in_part(part, UF_solid_type, t)) {
        int type = 0, subtype = 0;
        UF_OBJ_ask_type_and_subtype(t, &type, &subtype);
        if (subtype == UF_solid_body_subtype) out.push_back(t);
    }
    return out;
}
