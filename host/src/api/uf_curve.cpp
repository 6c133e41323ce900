// Curves and edges.
#include <TopoDS.hxx>
#include "api/common.h"
#include "geom/measure.h"
#include "model/guard.h"
#include "uf_curve.h"
#include "uf_object_types.h"

using namespace host;
using namespace host::api;

extern "C" {

int UF_CURVE_ask_centroid(tag_t curve, double centroid[3]) {
    return guarded("UF_CURVE_ask_centroid", [&] {
        Object& e = subObject(curve, UF_solid_edge_subtype, "an edge");
        TopoDS_Edge shape = TopoDS::Edge(session().subShape(e));
        if (geom::edgeKind(shape) != geom::kEdgeCircular) fail(UF_err_bad_parameter_number_1, "the edge is not circular");
        gp_Pnt c = geom::circleCentre(shape);
        if (centroid) centroid[0] = c.X(), centroid[1] = c.Y(), centroid[2] = c.Z();
    });
}

}  // extern "C"
