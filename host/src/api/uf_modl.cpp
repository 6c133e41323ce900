// Modelling queries: bodies, faces, edges, boxes, distances, lists, features.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <BRepBndLib.hxx>
#include <Bnd_Box.hxx>
#include <TopoDS.hxx>
#include <gp_Ax3.hxx>
#include <algorithm>
#include "api/common.h"
#include "kf/rules.h"
#include "text.h"
#include "geom/measure.h"
#include "geom/stock.h"
#include "model/guard.h"
#include "uf_modl.h"
#include "uf_object_types.h"

using namespace host;
using namespace host::api;

namespace {

Object& body(tag_t t) {
    Object& o = session().object(t);
    if (o.type != UF_solid_type || o.subtype != UF_solid_body_subtype) fail(UF_err_bad_parameter_number_1, "not a body: " + std::to_string(t));
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

gp_Ax3 frameOf(const Object& csys) {
    const auto& m = csys.mtx;
    return gp_Ax3(gp_Pnt(csys.origin[0], csys.origin[1], csys.origin[2]), gp_Dir(m[6], m[7], m[8]), gp_Dir(m[0], m[1], m[2]));
}

// The number an expression text of a feature size stands for. Only plain numbers are provided: a
// formula or a name of another expression is refused as the parameter it came in.
double sizeOf(const char* text, int status, const char* what) {
    if (!text) fail(status, std::string("no ") + what + " given");
    char* end = nullptr;
    const double v = std::strtod(text, &end);
    while (end && (*end == ' ' || *end == '\t')) ++end;
    if (end == text || *end != '\0' || !std::isfinite(v) || !(v > 0))
        fail(status, std::string("the ") + what + " \"" + text + "\" is not a positive number");
    return v;
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
            // A box that holds the face, as the host gives it: the exact one of a free-form face takes
            // sampling, and no caller needs it tight.
            Bnd_Box b;
            BRepBndLib::Add(shape, b, false);
            double v[6] = {0, 0, 0, 0, 0, 0};
            if (!b.IsVoid()) b.Get(v[0], v[1], v[2], v[3], v[4], v[5]);
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
    if (tolerance) *tolerance = geom::kTolerance;
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

int UF_MODL_create_cyl1(UF_FEATURE_SIGN sign, double origin[3], char* height, char* diam, double direction[3], tag_t* cyl_obj_id) {
    if (cyl_obj_id) *cyl_obj_id = NULL_TAG;
    return guarded("UF_MODL_create_cyl1", [&] {
        if (sign != UF_NULLSIGN) fail(UF_err_bad_parameter_number_1, "only a new body (UF_NULLSIGN) is provided, not sign " + std::to_string(sign));
        if (!origin) fail(UF_err_bad_parameter_number_2, "no origin given");
        const double h = sizeOf(height, UF_err_bad_parameter_number_3, "height");
        const double d = sizeOf(diam, UF_err_bad_parameter_number_4, "diameter");
        if (!direction) fail(UF_err_bad_parameter_number_5, "no direction given");
        const gp_Vec axis(direction[0], direction[1], direction[2]);
        if (!std::isfinite(axis.Magnitude()) || !(axis.Magnitude() > 0)) fail(UF_err_bad_parameter_number_5, "the direction has no length");
        TopoDS_Shape shape;
        try {
            shape = geom::cylinder(gp_Pnt(origin[0], origin[1], origin[2]), axis, d, h);
        } catch (const std::runtime_error& e) {
            fail(UF_err_operation_failed, e.what());
        }
        Part& p = workPart();
        Object& b = session().create(p, UF_solid_type, UF_solid_body_subtype);
        b.shape = shape;
        b.layer = p.workLayer;
        Object& f = newFeature(p, "CYLINDER", NULL_TAG, NULL_TAG);
        session().setFeatureBody(f, b.tag);
        if (cyl_obj_id) *cyl_obj_id = f.tag;
    });
}

// Updating the model evaluates the rules of every part that has rules waiting; a rule that fails is
// told to the system log, as the host's rule engine tells it, and the update goes on.
int UF_MODL_update(void) {
    return guarded("UF_MODL_update", [] {
        Session& s = session();
        for (auto& p : s.parts())
            if (p->rules) p->rules->update([&](const std::string& m) { s.syslog.push_back(text::toUtf8Lossy(m)); });
    });
}

int UF_MODL_ask_mass_props_3d(tag_t* objects, int n, int type, int units, double density, int, double[11], double props[47], double stats[13]) {
    return guarded("UF_MODL_ask_mass_props_3d", [&] {
        if (!objects || n < 1) fail(UF_err_bad_parameter_number_1, "no objects");
        if (type != 1) fail(UF_err_bad_parameter_number_3, "only solids (type 1) are measured");
        if (units != 3) fail(UF_err_bad_parameter_number_4, "only grams and centimetres (units 3) are provided");
        if (!(density >= 0)) fail(UF_err_bad_parameter_number_5, "a density must not be negative");
        Session& s = session();
        double volume = 0, mass = 0;
        for (int i = 0; i < n; ++i) {
            Object& b = s.object(objects[i]);
            if (b.type != UF_solid_type || b.subtype != UF_solid_body_subtype) fail(UF_err_bad_parameter_number_1, "not a body");
            const Object* own = &b;
            while (own->isOccurrence()) own = &s.object(own->prototype);
            const double v = s.massOf(b).volume / 1000.0;  // mm3 to cm3
            volume += v;
            mass += v * (density > 0 ? density : own->density);
        }
        if (props) {
            std::fill(props, props + 47, 0.0);
            props[1] = volume;
            props[2] = mass;
        }
        if (stats) std::fill(stats, stats + 13, 0.0);
    });
}

}  // extern "C"
