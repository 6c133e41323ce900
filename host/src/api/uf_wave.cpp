// Linked bodies: bodies of other parts brought into a part.
#include "api/common.h"
#include "model/guard.h"
#include "uf_object_types.h"
#include "uf_wave.h"

using namespace host;
using namespace host::api;

extern "C" {

int UF_WAVE_create_linked_body(tag_t body, tag_t xform, tag_t object_in_part, logical, tag_t* feature) {
    if (feature) *feature = NULL_TAG;
    return guarded("UF_WAVE_create_linked_body", [&] {
        host::Session& s = session();
        Object& b = s.object(body);
        if (b.type != UF_solid_type || b.subtype != UF_solid_body_subtype) fail(UF_err_bad_parameter_number_1, "not a body");
        Object* x = xform ? &s.object(xform) : nullptr;
        if (x && x->type != kTransformType) fail(UF_err_bad_parameter_number_2, "not a transform");
        Object& into = s.object(object_in_part);
        host::Part* p = into.type == UF_part_type ? s.partByTag(into.tag) : into.part;
        if (!p) fail(UF_err_bad_parameter_number_3, "no part to link into");
        TopoDS_Shape shape = s.shapeOf(b);
        Object& linked = s.create(*p, UF_solid_type, UF_solid_body_subtype);
        linked.shape = x ? shape.Moved(TopLoc_Location(x->transform)) : shape;
        linked.copyLook(b);  // the link brings the whole body, its name and attributes included
        Object& f = newFeature(*p, "LINKED_BODY", b.tag, NULL_TAG);
        s.setFeatureBody(f, linked.tag);
        if (feature) *feature = f.tag;
    });
}

}  // extern "C"
