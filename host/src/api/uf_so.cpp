// Smart objects: transforms between assembly contexts.
#include "api/common.h"
#include "model/guard.h"
#include "uf_so.h"

using namespace host;
using namespace host::api;

extern "C" {

int UF_SO_create_xform_assy_ctxt(tag_t, tag_t from_part_occ, tag_t to_part_occ, tag_t* xform) {
    if (xform) *xform = NULL_TAG;
    return guarded("UF_SO_create_xform_assy_ctxt", [&] {
        host::Session& s = session();
        auto place = [&](tag_t occ) {
            Object* o = s.find(occ);
            return o && !o->root ? o->transform : gp_Trsf();
        };
        gp_Trsf to = place(to_part_occ);
        to.Invert();
        host::Part* p = s.work ? s.work : s.display;
        if (!p) fail(UF_err_operation_failed, "there is no work part");
        Object& x = s.create(*p, kTransformType, 0, false);
        x.transform = to * place(from_part_occ);
        if (xform) *xform = x.tag;
    });
}

}  // extern "C"
