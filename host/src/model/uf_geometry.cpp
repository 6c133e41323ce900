// Modelling queries, the kernel interface, coordinate systems, drawings and text files.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <BRepGProp.hxx>
#include <GProp_GProps.hxx>
#include <TopoDS.hxx>
#include <gp_Ax3.hxx>
#include "files/paths.h"
#include "geom/measure.h"
#include "model/guard.h"
#include "pk.h"
#include "text.h"
#include "uf_cfi.h"
#include "uf_csys.h"
#include "uf_curve.h"
#include "uf_draw.h"
#include "uf_modl.h"
#include "uf_mtx.h"
#include "uf_object_types.h"
#include "uf_ps.h"

using namespace host;

namespace {

const int kMatrixType = 55;

Object& body(tag_t t) {
    Object& o = session().object(t);
    if (o.type != UF_solid_type || o.subtype != UF_solid_body_subtype) fail(UF_err_bad_parameter_number_1, "not a body: " + std::to_string(t));
    return o;
}

Object& subObject(tag_t t, int subtype, const char* what) {
    Object& o = session().object(t);
    if (o.type != UF_solid_type || o.subtype != subtype) fail(UF_err_bad_parameter_number_1, std::string("not ") + what + ": " + std::to_string(t));
    return o;
}

TopoDS_Shape shapeOfAny(const Object& o) {
    if (o.type == UF_solid_type && o.subtype == UF_solid_body_subtype) return session().shapeOf(o);
    if (o.type == UF_solid_type) return session().subShape(o);
    fail(UF_err_bad_parameter_number_1, "not a body, face or edge: " + std::to_string(o.tag));
}

uf_list_p_t listOf(const std::vector<tag_t>& tags) {
    uf_list_p_t head = nullptr;
    uf_list_p_t* tail = &head;
    for (tag_t t : tags) {
        *tail = static_cast<uf_list_p_t>(std::calloc(1, sizeof(uf_list_t)));
        (*tail)->eid = t;
        tail = &(*tail)->next;
    }
    return head;
}

// The list head is a sentinel, so that an empty list is a list the caller can add to.
uf_list_p_t newList() { return static_cast<uf_list_p_t>(std::calloc(1, sizeof(uf_list_t))); }

Part& displayPart() {
    Part* p = session().display ? session().display : session().work;
    if (!p) fail(UF_err_operation_failed, "there is no displayed part");
    return *p;
}

Object& wcs() {
    Session& s = session();
    Part& p = displayPart();
    if (Object* w = s.find(p.wcs)) return *w;
    Object& w = s.create(p, UF_coordinate_system_type, 0, false);
    w.name = "WCS";
    p.wcs = w.tag;
    return w;
}

gp_Ax3 frameOf(const Object& csys) {
    const auto& m = csys.mtx;
    return gp_Ax3(gp_Pnt(csys.origin[0], csys.origin[1], csys.origin[2]), gp_Dir(m[6], m[7], m[8]), gp_Dir(m[0], m[1], m[2]));
}

std::map<int, std::unique_ptr<std::ifstream>>& channels() {
    static std::map<int, std::unique_ptr<std::ifstream>> c;
    return c;
}

}  // namespace

extern "C" {

/* Lists */

int UF_MODL_create_list(uf_list_p_t* list) {
    if (!list) return UF_err_bad_parameter_number_1;
    *list = newList();
    return 0;
}

int UF_MODL_put_list_item(uf_list_p_t list, tag_t obj) {
    if (!list) return UF_err_bad_parameter_number_1;
    while (list->next) list = list->next;
    list->next = static_cast<uf_list_p_t>(std::calloc(1, sizeof(uf_list_t)));
    list->next->eid = obj;
    return 0;
}

int UF_MODL_ask_list_count(uf_list_p_t list, int* count) {
    int n = 0;
    for (uf_list_p_t l = list ? list->next : nullptr; l; l = l->next) ++n;
    if (count) *count = n;
    return 0;
}

int UF_MODL_ask_list_item(uf_list_p_t list, int index, tag_t* object) {
    int i = 0;
    for (uf_list_p_t l = list ? list->next : nullptr; l; l = l->next, ++i)
        if (i == index) {
            if (object) *object = l->eid;
            return 0;
        }
    if (object) *object = NULL_TAG;
    return UF_err_bad_parameter_number_2;
}

int UF_MODL_delete_list(uf_list_p_t* list) {
    if (!list) return 0;
    for (uf_list_p_t l = *list; l;) {
        uf_list_p_t next = l->next;
        std::free(l);
        l = next;
    }
    *list = nullptr;
    return 0;
}

/* Bodies, faces, edges */

int UF_MODL_ask_body_type(tag_t b, int* body_type) {
    return guarded("UF_MODL_ask_body_type", [&] {
        Object& o = body(b);
        if (body_type) *body_type = geom::isSolid(session().shapeOf(o)) ? UF_MODL_SOLID_BODY : UF_MODL_SHEET_BODY;
    });
}

}  // extern "C"

namespace {

int bodyList(const char* function, tag_t b, uf_list_p_t* out, bool faces) {
    if (out) *out = nullptr;
    return guarded(function, [&] {
        Session::Topology& t = session().topology(body(b));
        if (out) {
            *out = newList();
            (*out)->next = listOf(faces ? t.faceTags : t.edgeTags);
        }
    });
}

}  // namespace

extern "C" {

int UF_MODL_ask_body_faces(tag_t b, uf_list_p_t* faces) { return bodyList("UF_MODL_ask_body_faces", b, faces, true); }
int UF_MODL_ask_body_edges(tag_t b, uf_list_p_t* edges) { return bodyList("UF_MODL_ask_body_edges", b, edges, false); }

int UF_MODL_ask_face_edges(tag_t face, uf_list_p_t* edges) {
    if (edges) *edges = nullptr;
    return guarded("UF_MODL_ask_face_edges", [&] {
        Session& s = session();
        Object& f = subObject(face, UF_solid_face_subtype, "a face");
        Session::Topology& t = s.topology(s.object(f.owner));
        std::vector<tag_t> out;
        for (const TopoDS_Shape& e : geom::edgesOf(TopoDS::Face(t.faces[f.index])))
            for (size_t i = 0; i < t.edges.size(); ++i)
                if (t.edges[i].IsSame(e)) { out.push_back(t.edgeTags[i]); break; }
        if (edges) {
            *edges = newList();
            (*edges)->next = listOf(out);
        }
    });
}

int UF_MODL_ask_face_type(tag_t face, int* type) {
    return guarded("UF_MODL_ask_face_type", [&] {
        Object& f = subObject(face, UF_solid_face_subtype, "a face");
        if (type) *type = geom::faceKind(TopoDS::Face(session().subShape(f)));
    });
}

int UF_MODL_ask_face_data(tag_t face, int* type, double point[3], double dir[3], double box[6], double* radius,
                          double* rad_data, int* norm_dir) {
    return guarded("UF_MODL_ask_face_data", [&] {
        Object& f = subObject(face, UF_solid_face_subtype, "a face");
        TopoDS_Face shape = TopoDS::Face(session().subShape(f));
        int kind = geom::faceKind(shape);
        if (type) *type = kind;
        gp_Pnt p;
        gp_Dir d(0, 0, 1);
        double r = 0;
        if (kind == geom::kFacePlanar) {
            d = geom::planeNormal(shape);
            p = geom::faceCentre(shape);
        } else if (kind == geom::kFaceCylindrical || kind == geom::kFaceConical) {
            gp_Ax1 ax = geom::faceAxis(shape);
            d = ax.Direction();
            p = ax.Location();
            if (kind == geom::kFaceCylindrical) r = geom::cylinderRadius(shape);
        } else {
            p = geom::faceCentre(shape);
        }
        if (point) point[0] = p.X(), point[1] = p.Y(), point[2] = p.Z();
        if (dir) dir[0] = d.X(), dir[1] = d.Y(), dir[2] = d.Z();
        if (box) {
            geom::Bnd b = geom::bnd(shape);
            double v[6] = {b.min.X(), b.min.Y(), b.min.Z(), b.max.X(), b.max.Y(), b.max.Z()};
            std::memcpy(box, v, sizeof v);
        }
        if (radius) *radius = r;
        if (rad_data) *rad_data = r;
        if (norm_dir) *norm_dir = 1;
    });
}

int UF_MODL_ask_edge_type(tag_t edge, int* edge_type) {
    return guarded("UF_MODL_ask_edge_type", [&] {
        Object& e = subObject(edge, UF_solid_edge_subtype, "an edge");
        if (edge_type) *edge_type = geom::edgeKind(TopoDS::Edge(session().subShape(e)));
    });
}

int UF_MODL_ask_edge_verts(tag_t edge, double p1[3], double p2[3], int* count) {
    return guarded("UF_MODL_ask_edge_verts", [&] {
        Object& e = subObject(edge, UF_solid_edge_subtype, "an edge");
        TopoDS_Edge shape = TopoDS::Edge(session().subShape(e));
        auto [a, b] = geom::edgeEnds(shape);
        bool closed = a.Distance(b) < 1e-9;
        if (p1) p1[0] = a.X(), p1[1] = a.Y(), p1[2] = a.Z();
        if (p2) p2[0] = b.X(), p2[1] = b.Y(), p2[2] = b.Z();
        if (count) *count = closed ? 1 : 2;
    });
}

int UF_MODL_ask_edge_body(tag_t edge, tag_t* b) {
    return guarded("UF_MODL_ask_edge_body", [&] { if (b) *b = subObject(edge, UF_solid_edge_subtype, "an edge").owner; });
}

int UF_MODL_ask_face_body(tag_t face, tag_t* b) {
    return guarded("UF_MODL_ask_face_body", [&] { if (b) *b = subObject(face, UF_solid_face_subtype, "a face").owner; });
}

int UF_CURVE_ask_centroid(tag_t curve, double centroid[3]) {
    return guarded("UF_CURVE_ask_centroid", [&] {
        Object& e = subObject(curve, UF_solid_edge_subtype, "an edge");
        TopoDS_Edge shape = TopoDS::Edge(session().subShape(e));
        if (geom::edgeKind(shape) != geom::kEdgeCircular) fail(UF_err_bad_parameter_number_1, "the edge is not circular");
        gp_Pnt c = geom::circleCentre(shape);
        if (centroid) centroid[0] = c.X(), centroid[1] = c.Y(), centroid[2] = c.Z();
    });
}

int UF_MODL_ask_bounding_box(tag_t object, double box[6]) {
    return guarded("UF_MODL_ask_bounding_box", [&] {
        geom::Bnd b = geom::bnd(shapeOfAny(session().object(object)));
        double v[6] = {b.min.X(), b.min.Y(), b.min.Z(), b.max.X(), b.max.Y(), b.max.Z()};
        if (box) std::memcpy(box, v, sizeof v);
    });
}

int UF_MODL_ask_bounding_box_exact(tag_t object, tag_t csys, double min_corner[3], double directions[3][3], double distances[3]) {
    return guarded("UF_MODL_ask_bounding_box_exact", [&] {
        Object& frameObj = csys ? session().object(csys) : wcs();
        if (frameObj.type != UF_coordinate_system_type) fail(UF_err_bad_parameter_number_2, "not a coordinate system");
        gp_Ax3 frame = frameOf(frameObj);
        geom::Bnd b = geom::bnd(shapeOfAny(session().object(object)), frame);
        gp_Dir axes[3] = {frame.XDirection(), frame.YDirection(), frame.Direction()};
        gp_XYZ corner = frame.Location().XYZ() + axes[0].XYZ() * b.min.X() + axes[1].XYZ() * b.min.Y() + axes[2].XYZ() * b.min.Z();
        if (min_corner) min_corner[0] = corner.X(), min_corner[1] = corner.Y(), min_corner[2] = corner.Z();
        for (int i = 0; i < 3; ++i) {
            if (directions) directions[i][0] = axes[i].X(), directions[i][1] = axes[i].Y(), directions[i][2] = axes[i].Z();
        }
        if (distances) {
            distances[0] = b.max.X() - b.min.X();
            distances[1] = b.max.Y() - b.min.Y();
            distances[2] = b.max.Z() - b.min.Z();
        }
    });
}

int UF_MODL_ask_minimum_dist(tag_t o1, tag_t o2, int, double[3], int, double[3], double* min_dist, double p1[3], double p2[3]) {
    return guarded("UF_MODL_ask_minimum_dist", [&] {
        geom::Distance d = geom::minDistance(shapeOfAny(session().object(o1)), shapeOfAny(session().object(o2)));
        if (min_dist) *min_dist = d.value;
        if (p1) p1[0] = d.onA.X(), p1[1] = d.onA.Y(), p1[2] = d.onA.Z();
        if (p2) p2[0] = d.onB.X(), p2[1] = d.onB.Y(), p2[2] = d.onB.Z();
    });
}

int UF_MODL_ask_distance_tolerance(double* tolerance) {
    if (tolerance) *tolerance = 0.0254;
    return 0;
}

int UF_MODL_ask_feat_body(tag_t feature, tag_t* b) {
    if (b) *b = NULL_TAG;
    return guarded("UF_MODL_ask_feat_body", [&] {
        Object& f = session().object(feature);
        if (f.type != UF_feature_type) fail(UF_err_bad_parameter_number_1, "not a feature");
        if (b) *b = session().find(f.featBody) ? f.featBody : NULL_TAG;
    });
}

int UF_MODL_update(void) { return guarded("UF_MODL_update", [] {}); }

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

namespace {

Object* kernelObject(PK_ENTITY_t e) {
    if (!(static_cast<unsigned>(e) & 0x40000000u)) return nullptr;
    return session().find(static_cast<tag_t>(e) & ~0x40000000u);
}

}  // namespace

extern "C" {

PK_ERROR_code_t PK_TOPOL_eval_mass_props(int n, const PK_TOPOL_t topols[], double, const PK_TOPOL_eval_mass_props_o_t*,
                                         double* amount, double* mass, double c_of_g[3], double m_of_i[9], double* periphery) {
    double a = 0, m = 0;
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
        } else if (o->subtype == UF_solid_face_subtype) {
            GProp_GProps g;
            BRepGProp::SurfaceProperties(session().subShape(*o), g);
            a += g.Mass() * 1e-6;  // mm2 to m2
            weighted += g.CentreOfMass().XYZ() * 1e-3 * g.Mass() * 1e-6;
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
    if (periphery) *periphery = 0;
    return PK_ERROR_no_errors;
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

PK_ERROR_code_t PK_BODY_ask_faces(PK_BODY_t body, int* n, PK_FACE_t** faces) { return kernelList(body, n, faces, true); }
PK_ERROR_code_t PK_BODY_ask_edges(PK_BODY_t body, int* n, PK_EDGE_t** edges) { return kernelList(body, n, edges, false); }
PK_ERROR_code_t PK_MEMORY_free(void* p) {
    std::free(p);
    return PK_ERROR_no_errors;
}

/* Coordinate systems */

int UF_CSYS_create_matrix(const double values[9], tag_t* matrix) {
    return guarded("UF_CSYS_create_matrix", [&] {
        if (!values) fail(UF_err_bad_parameter_number_1, "no matrix values");
        gp_Vec x(values[0], values[1], values[2]), y(values[3], values[4], values[5]);
        if (x.Magnitude() < 1e-12 || y.Magnitude() < 1e-12 || x.IsParallel(y, 1e-9))
            fail(UF_err_bad_parameter_number_1, "the matrix is not a coordinate frame");
        Object& m = session().create(displayPart(), kMatrixType, 0, false);
        std::memcpy(m.mtx.data(), values, 9 * sizeof(double));
        if (matrix) *matrix = m.tag;
    });
}

int UF_CSYS_ask_matrix_values(tag_t matrix, double values[9]) {
    return guarded("UF_CSYS_ask_matrix_values", [&] {
        Object& m = session().object(matrix);
        if (values) std::memcpy(values, m.mtx.data(), 9 * sizeof(double));
    });
}

int UF_CSYS_create_temp_csys(const double origin[3], tag_t matrix, tag_t* csys) {
    return guarded("UF_CSYS_create_temp_csys", [&] {
        Object& m = session().object(matrix);
        if (m.type != kMatrixType) fail(UF_err_bad_parameter_number_2, "not a matrix");
        Object& c = session().create(displayPart(), UF_coordinate_system_type, 0, false);
        if (origin) std::memcpy(c.origin.data(), origin, 3 * sizeof(double));
        c.mtx = m.mtx;
        c.matrix = matrix;
        if (csys) *csys = c.tag;
    });
}

int UF_CSYS_ask_csys_info(tag_t csys, tag_t* matrix, double origin[3]) {
    return guarded("UF_CSYS_ask_csys_info", [&] {
        Object& c = session().object(csys);
        if (c.type != UF_coordinate_system_type) fail(UF_err_bad_parameter_number_1, "not a coordinate system");
        if (origin) std::memcpy(origin, c.origin.data(), 3 * sizeof(double));
        if (matrix) {
            Object& m = session().create(displayPart(), kMatrixType, 0, false);
            m.mtx = c.mtx;
            *matrix = m.tag;
        }
    });
}

int UF_CSYS_ask_wcs(tag_t* w) {
    return guarded("UF_CSYS_ask_wcs", [&] { if (w) *w = wcs().tag; });
}

int UF_CSYS_set_wcs(tag_t csys) {
    return guarded("UF_CSYS_set_wcs", [&] {
        Object& c = session().object(csys);
        if (c.type != UF_coordinate_system_type) fail(UF_err_bad_parameter_number_1, "not a coordinate system");
        Object& w = wcs();
        w.origin = c.origin;
        w.mtx = c.mtx;
    });
}

int UF_MTX3_initialize(const double x[3], const double y[3], double mtx[9]) {
    gp_Vec vx(x[0], x[1], x[2]), vy(y[0], y[1], y[2]);
    if (vx.Magnitude() < 1e-12) return UF_err_bad_parameter_number_1;
    vx.Normalize();
    vy -= vx * vy.Dot(vx);
    if (vy.Magnitude() < 1e-12) return UF_err_bad_parameter_number_2;
    vy.Normalize();
    gp_Vec vz = vx.Crossed(vy);
    double v[9] = {vx.X(), vx.Y(), vx.Z(), vy.X(), vy.Y(), vy.Z(), vz.X(), vz.Y(), vz.Z()};
    std::memcpy(mtx, v, sizeof v);
    return 0;
}

void UF_VEC3_sub(const double a[3], const double b[3], double d[3]) {
    for (int i = 0; i < 3; ++i) d[i] = a[i] - b[i];
}

void UF_VEC3_distance(const double a[3], const double b[3], double* d) {
    *d = std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) + (a[2] - b[2]) * (a[2] - b[2]));
}

/* Drawings */

int UF_DRAW_ask_drawings(int* num, tag_t** drawings) {
    if (num) *num = 0;
    if (drawings) *drawings = nullptr;
    return guarded("UF_DRAW_ask_drawings", [&] {
        Session& s = session();
        if (!s.work) fail(UF_err_operation_failed, "there is no work part");
        std::vector<tag_t> sheets = s.sheets(*s.work);
        if (num) *num = static_cast<int>(sheets.size());
        if (drawings && !sheets.empty()) {
            *drawings = static_cast<tag_t*>(std::malloc(sheets.size() * sizeof(tag_t)));
            std::copy(sheets.begin(), sheets.end(), *drawings);
        }
    });
}

int UF_DRAW_ask_current_drawing(tag_t* drawing) {
    if (drawing) *drawing = NULL_TAG;
    return 0;
}

/* Files */

int UF_CFI_ask_file_exist(const char* spec, int* status) {
    if (status) *status = 1;
    if (!spec) return UF_err_bad_parameter_number_1;
    std::ifstream in(paths::toHost(spec));
    if (status) *status = in.good() ? 0 : 1;
    return 0;
}

int uc4504(const char* spec, int option, int type, int* channel) {
    if (channel) *channel = 0;
    if (!spec) return UF_err_bad_parameter_number_1;
    if (option != 1 || type != 87) return UF_err_not_provided;  // the host offers reading text files
    auto in = std::make_unique<std::ifstream>(paths::toHost(spec), std::ios::binary);
    if (!*in) return UF_err_file_not_found;
    static int next = 1;
    int c = next++;
    channels()[c] = std::move(in);
    if (channel) *channel = c;
    return 0;
}

int uc4514a(int channel, char** line) {
    if (line) *line = nullptr;
    auto it = channels().find(channel);
    if (it == channels().end()) return -UF_err_bad_parameter_number_1;
    std::string l;
    if (!std::getline(*it->second, l)) return -1;
    if (!l.empty() && l.back() == '\r') l.pop_back();
    if (line) *line = allocString(l);
    return static_cast<int>(l.size());
}

int uc4540(int channel, int) { return channels().erase(channel) ? 0 : UF_err_bad_parameter_number_1; }

}  // extern "C"
