// The modelling kernel over the host's bodies: a kernel tag is the host's tag with the top bit set.
#include <cstdlib>
#include <cstring>
#include <map>
#include <tuple>
#include <TopoDS_TShape.hxx>
#include <BRepGProp.hxx>
#include <GProp_GProps.hxx>
#include "geom/kernel.h"
#include "model/guard.h"
#include "model/session.h"
#include "pk.h"
#include "uf_object_types.h"

using namespace host;

namespace {

Object* kernelObject(PK_ENTITY_t e) {
    if (!(static_cast<unsigned>(e) & 0x40000000u)) return nullptr;
    return session().find(static_cast<tag_t>(e) & ~0x40000000u);
}

// Kernel calls answer a status, never an exception: a refusal is told to the system log.
template <class F>
PK_ERROR_code_t pkGuarded(const char* function, F&& body) {
    try {
        return body();
    } catch (const std::exception& e) {
        noteFailure(function, PK_ERROR_unexpected, e.what());
    } catch (const Standard_Failure& e) {
        noteFailure(function, PK_ERROR_unexpected, geom::kernelMessage("do it", e));
    }
    return PK_ERROR_unexpected;
}

// Area and centre of a face, which the attribute command asks of every face of every body it measures,
// twice a pick. Kept by the face's own surface, so that copies and occurrences of a body share them.
std::pair<double, gp_Pnt> faceProps(const TopoDS_Shape& face) {
    static std::map<const TopoDS_TShape*, std::tuple<Handle(TopoDS_TShape), double, gp_Pnt>> known;  // the handle keeps the address unique
    auto it = known.find(face.TShape().get());
    if (it == known.end()) {
        GProp_GProps g;
        BRepGProp::SurfaceProperties(face.Located(TopLoc_Location()), g);
        it = known.emplace(face.TShape().get(), std::make_tuple(face.TShape(), g.Mass(), g.CentreOfMass())).first;
    }
    return {std::get<1>(it->second), std::get<2>(it->second).Transformed(face.Location().Transformation())};
}

PK_ERROR_code_t massProps(int n, const PK_TOPOL_t topols[], double* amount, double* mass, double c_of_g[3], double m_of_i[9],
                          double* periphery) {
    double a = 0, m = 0, around = 0;
    gp_XYZ weighted(0, 0, 0);
    for (int i = 0; i < n; ++i) {
        Object* o = kernelObject(topols[i]);
        if (!o || o->type != UF_solid_type) return PK_ERROR_bad_entity;
        if (o->subtype == UF_solid_body_subtype) {
            const geom::MassProps& p = session().massOf(*o);
            double v = p.volume * 1e-9;  // mm3 to m3
            a += v;
            m += v * o->density * 1000.0;  // g/cm3 to kg/m3
            weighted += p.centroid.XYZ() * 1e-3 * v;
            around += p.area * 1e-6;       // a body's periphery is its surface, mm2 to m2
        } else if (o->subtype == UF_solid_face_subtype) {
            const auto [area, centre] = faceProps(session().subShape(*o));
            a += area * 1e-6;  // mm2 to m2
            weighted += centre.XYZ() * 1e-3 * area * 1e-6;
        } else {
            return PK_ERROR_wrong_entity;
        }
    }
    if (amount) *amount = a;
    if (mass) *mass = m;
    if (c_of_g) {
        gp_XYZ c = a > 0 ? weighted / a : gp_XYZ(0, 0, 0);
        c_of_g[0] = c.X(), c_of_g[1] = c.Y(), c_of_g[2] = c.Z();
    }
    if (m_of_i) std::memset(m_of_i, 0, 9 * sizeof(double));
    if (periphery) *periphery = around;
    return PK_ERROR_no_errors;
}

}  // namespace

extern "C" {

PK_ERROR_code_t PK_TOPOL_eval_mass_props(int n, const PK_TOPOL_t topols[], double, const PK_TOPOL_eval_mass_props_o_t*,
                                         double* amount, double* mass, double c_of_g[3], double m_of_i[9], double* periphery) {
    return pkGuarded("PK_TOPOL_eval_mass_props", [&] { return massProps(n, topols, amount, mass, c_of_g, m_of_i, periphery); });
}

static PK_ERROR_code_t kernelList(PK_BODY_t b, int* n, PK_ENTITY_t** out, bool faces) {
    if (n) *n = 0;
    if (out) *out = nullptr;
    Object* o = kernelObject(b);
    if (!o || o->type != UF_solid_type || o->subtype != UF_solid_body_subtype) return PK_ERROR_bad_entity;
    Session::Topology& t = session().topology(*o);
    const auto& tags = faces ? t.faceTags : t.edgeTags;
    if (n) *n = static_cast<int>(tags.size());
    if (out && !tags.empty()) {
        *out = static_cast<PK_ENTITY_t*>(std::malloc(tags.size() * sizeof(PK_ENTITY_t)));
        for (size_t i = 0; i < tags.size(); ++i) (*out)[i] = static_cast<PK_ENTITY_t>(tags[i] | 0x40000000u);
    }
    return PK_ERROR_no_errors;
}

PK_ERROR_code_t PK_BODY_ask_faces(PK_BODY_t body, int* n, PK_FACE_t** faces) {
    return pkGuarded("PK_BODY_ask_faces", [&] { return kernelList(body, n, faces, true); });
}
PK_ERROR_code_t PK_BODY_ask_edges(PK_BODY_t body, int* n, PK_EDGE_t** edges) {
    return pkGuarded("PK_BODY_ask_edges", [&] { return kernelList(body, n, edges, false); });
}
PK_ERROR_code_t PK_MEMORY_free(void* p) {
    std::free(p);
    return PK_ERROR_no_errors;
}

}  // extern "C"
