// Transforming objects: bodies moved or copied by a rigid motion; a group moves its members.
#include <exception>
#include <TopLoc_Location.hxx>
#include "api/common.h"
#include "geom/stock.h"
#include "model/guard.h"
#include "uf_object_types.h"
#include "uf_trns.h"

using namespace host;
using namespace host::api;

namespace {

// The bodies an object stands for: itself, or a group's members.
void collect(Session& s, Object& o, std::vector<Object*>& out) {
    if (o.type == UF_group_type) {
        for (tag_t m : o.members)
            if (Object* x = s.find(m)) collect(s, *x, out);
        return;
    }
    if (o.type != UF_solid_type || o.subtype != UF_solid_body_subtype) fail(UF_err_bad_parameter_number_2, "only bodies and groups of bodies are moved");
    if (o.isOccurrence()) fail(UF_err_bad_parameter_number_2, "an occurrence is moved through its component");
    out.push_back(&o);
}

}  // namespace

extern "C" void uf5947(const double rp1[16], const tag_t* objects, const int* num, const int* moveOrCopy, const int* destLayer, const int* trace,
                       tag_t* copies, tag_t* traceGroup, int* status) {
    if (traceGroup) *traceGroup = NULL_TAG;
    int rc = guarded("uf5947", [&] {
        if (!rp1 || !objects || !num || !moveOrCopy || !destLayer || !trace) fail(UF_err_bad_parameter_number_1, "missing arguments");
        if (*moveOrCopy != 1 && *moveOrCopy != 2) fail(UF_err_bad_parameter_number_4, "1 moves, 2 copies");
        if (*destLayer < -1 || *destLayer > 256) fail(UF_err_bad_parameter_number_5, "no layer " + std::to_string(*destLayer));
        if (rp1[12] != 0 || rp1[13] != 0 || rp1[14] != 0 || rp1[15] != 1) fail(UF_err_bad_parameter_number_1, "not a transformation of this host");
        const double m[12] = {rp1[0], rp1[1], rp1[2], rp1[3], rp1[4], rp1[5], rp1[6], rp1[7], rp1[8], rp1[9], rp1[10], rp1[11]};
        gp_Trsf t;
        try {
            t = geom::rigidMotion(m);
        } catch (const std::exception& e) {
            fail(UF_err_bad_parameter_number_1, std::string("the transformation: ") + e.what());
        }
        Session& s = session();
        // Every object is checked before any moves: a move is whole or not at all.
        std::vector<Object*> bodies;
        for (int i = 0; i < *num; ++i) collect(s, s.object(objects[i]), bodies);
        int k = 0;
        for (Object* b : bodies) {
            Object* target = b;
            if (*moveOrCopy == 2) {
                target = &s.create(*b->part, UF_solid_type, UF_solid_body_subtype);
                target->copyLook(*b);
                target->shape = b->shape;
                if (copies) copies[k++] = target->tag;
            }
            target->shape = target->shape.Moved(TopLoc_Location(t));
            if (*destLayer > 0) target->layer = *destLayer;
            s.changed(*target);
            touch(*target);
        }
    });
    if (status) *status = rc;
}
