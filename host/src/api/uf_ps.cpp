// The modelling kernel's tags of host objects.
#include "model/guard.h"
#include "uf_object_types.h"
#include "uf_ps.h"

using namespace host;

extern "C" {

/* The kernel: its tags are the host's tags with the top bit set; an occurrence answers its prototype's. */

int UF_PS_ask_ps_tag_of_object(tag_t object, tag_t* ps_tag) {
    if (ps_tag) *ps_tag = NULL_TAG;
    return guarded("UF_PS_ask_ps_tag_of_object", [&] {
        Session& s = session();
        Object* o = &s.object(object);
        while (o->isOccurrence()) o = &s.object(o->prototype);
        if (o->type != UF_solid_type) fail(UF_err_bad_parameter_number_1, "the object has no kernel entity");
        if (o->subtype == UF_solid_body_subtype && o->shape.IsNull()) return;
        if (ps_tag) *ps_tag = o->tag | 0x40000000u;
    });
}

}  // extern "C"
