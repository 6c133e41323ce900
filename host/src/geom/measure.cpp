#include <GProp_GProps.hxx>
#include <BRepGProp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopExp_Explorer.hxx>
#include "geom/measure.h"
#include <array>
#include <map>
#include <tuple>
#include <TopoDS_TShape.hxx>

#include <stdexcept>

#include <BRepAdaptor_Curve.hxx>
#include <BRepAdaptor_Surface.hxx>
#include <BRepBndLib.hxx>
#include <BRepExtrema_DistShapeShape.hxx>
#include <BRep_Tool.hxx>
#include <Bnd_Box.hxx>
#include <TopExp.hxx>
#include <TopoDS_Vertex.hxx>
#include <gp_Trsf.hxx>

namespace host::geom {

Bnd bnd(const TopoDS_Shape& shape) {
    if (shape.IsNull()) throw std::runtime_error("bounding box of a null shape");
    // The exact box of a free-form face is worked out by sampling and costs milliseconds; measuring a
    // body asks it again and again: boxes are kept by the shape and where it stands.
    struct Key {
        const TopoDS_TShape* shape;
        std::array<double, 12> at;
        bool operator<(const Key& o) const { return std::tie(shape, at) < std::tie(o.shape, o.at); }
    };
    Key key{shape.TShape().get(), {}};
    const gp_Trsf at = shape.Location().Transformation();
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 4; ++c) key.at[(r - 1) * 4 + c - 1] = at.Value(r, c);
    static std::map<Key, std::pair<Handle(TopoDS_TShape), Bnd>> known;  // the handle keeps the address unique
    auto it = known.find(key);
    if (it != known.end()) return it->second.second;
    Bnd_Box box;
    // Geometry only: triangulations and tolerances would both widen the box.
    BRepBndLib::AddOptimal(shape, box, Standard_False, Standard_False);
    if (box.IsVoid()) throw std::runtime_error("bounding box of an empty shape");
    Bnd b;
    double x0, y0, z0, x1, y1, z1;
    box.Get(x0, y0, z0, x1, y1, z1);
    b.min.SetCoord(x0, y0, z0);
    b.max.SetCoord(x1, y1, z1);
    known.emplace(key, std::make_pair(shape.TShape(), b));
    return b;
}

Bnd bnd(const TopoDS_Shape& shape, const gp_Ax3& frame) {
    if (shape.IsNull()) throw std::runtime_error("bounding box of a null shape");
    // A rigid transform cannot mirror: measure in the right-handed twin of the frame and flip y after.
    gp_Ax3 direct(frame.Location(), frame.Direction(), frame.XDirection());
    gp_Trsf toFrame;
    toFrame.SetTransformation(direct);
    Bnd b = bnd(shape.Moved(TopLoc_Location(toFrame)));
    if (!frame.Direct()) {
        const double y0 = b.min.Y(), y1 = b.max.Y();
        b.min.SetY(-y1);
        b.max.SetY(-y0);
    }
    return b;
}

int faceKind(const TopoDS_Face& face) {
    switch (BRepAdaptor_Surface(face).GetType()) {
        case GeomAbs_Plane: return kFacePlanar;
        case GeomAbs_Cylinder: return kFaceCylindrical;
        case GeomAbs_Cone: return kFaceConical;
        default: return kFaceOther;
    }
}

int edgeKind(const TopoDS_Edge& edge) {
    if (BRep_Tool::Degenerated(edge)) return kEdgeOther;
    switch (BRepAdaptor_Curve(edge).GetType()) {
        case GeomAbs_Line: return kEdgeStraight;
        case GeomAbs_Circle: return kEdgeCircular;
        default: return kEdgeOther;
    }
}

gp_Dir planeNormal(const TopoDS_Face& face) {
    BRepAdaptor_Surface s(face);
    if (s.GetType() != GeomAbs_Plane) throw std::runtime_error("normal asked of a face that is not planar");
    const gp_Ax3 pos = s.Plane().Position();
    // The surface normal is x cross y, which is against the main direction in a left-handed plane.
    gp_Dir n = pos.Direct() ? pos.Direction() : pos.Direction().Reversed();
    if (face.Orientation() == TopAbs_REVERSED) n.Reverse();
    return n;
}

gp_Ax1 faceAxis(const TopoDS_Face& face) {
    BRepAdaptor_Surface s(face);
    if (s.GetType() == GeomAbs_Cylinder) return s.Cylinder().Axis();
    if (s.GetType() == GeomAbs_Cone) return s.Cone().Axis();
    throw std::runtime_error("axis asked of a face that is neither cylindrical nor conical");
}

double cylinderRadius(const TopoDS_Face& face) {
    BRepAdaptor_Surface s(face);
    if (s.GetType() != GeomAbs_Cylinder) throw std::runtime_error("radius asked of a face that is not cylindrical");
    return s.Cylinder().Radius();
}

std::pair<gp_Pnt, gp_Pnt> edgeEnds(const TopoDS_Edge& edge) {
    TopoDS_Vertex v1, v2;
    TopExp::Vertices(edge, v1, v2, Standard_True);
    if (v1.IsNull() || v2.IsNull()) throw std::runtime_error("end points asked of an edge without vertices");
    return {BRep_Tool::Pnt(v1), BRep_Tool::Pnt(v2)};
}

gp_Pnt circleCentre(const TopoDS_Edge& edge) {
    if (edgeKind(edge) != kEdgeCircular) throw std::runtime_error("centre asked of an edge that is not circular");
    return BRepAdaptor_Curve(edge).Circle().Location();
}

Distance minDistance(const TopoDS_Shape& a, const TopoDS_Shape& b) {
    if (a.IsNull() || b.IsNull()) throw std::runtime_error("distance asked of a null shape");
    // Measuring a body asks the distances between its faces, and a dialog measures a body again each
    // time its fields change: the answers are kept by the shapes and where the second stands from the
    // first, so that copies of a body anywhere are measured once.
    struct Key {
        const TopoDS_TShape* a;
        const TopoDS_TShape* b;
        std::array<double, 12> apart;
        bool operator<(const Key& o) const { return std::tie(a, b, apart) < std::tie(o.a, o.b, o.apart); }
    };
    const gp_Trsf placeA = a.Location().Transformation();
    // Shapes placed alike stand exactly where they stand from each other: a face is 0 from itself, not
    // the rounding of its placement undone.
    const gp_Trsf apart = a.Location().IsEqual(b.Location()) ? gp_Trsf() : placeA.Inverted() * b.Location().Transformation();
    Key key{a.TShape().get(), b.TShape().get(), {}};
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 4; ++c) key.apart[(r - 1) * 4 + c - 1] = apart.Value(r, c);
    // The points are kept where they lie with the first shape at its own origin.
    static std::map<Key, std::tuple<Handle(TopoDS_TShape), Handle(TopoDS_TShape), Distance>> known;  // the handles keep the addresses unique
    auto it = known.find(key);
    if (it == known.end()) {
        const TopoDS_Shape localA = a.Located(TopLoc_Location()), localB = b.Located(TopLoc_Location(apart));
        BRepExtrema_DistShapeShape dist(localA, localB);
        if (!dist.IsDone() || dist.NbSolution() < 1) throw std::runtime_error("distance between the shapes not found");
        Distance d;
        d.value = dist.Value();
        d.onA = dist.PointOnShape1(1);
        d.onB = dist.PointOnShape2(1);
        it = known.emplace(key, std::make_tuple(a.TShape(), b.TShape(), d)).first;
    }
    Distance d = std::get<2>(it->second);
    d.onA.Transform(placeA);
    d.onB.Transform(placeA);
    return d;
}

}  // namespace host::geom

namespace host::geom {

double areaOf(const TopoDS_Shape& shape) {
    GProp_GProps g;
    BRepGProp::SurfaceProperties(shape, g);
    return g.Mass();
}

double lengthOf(const TopoDS_Shape& shape) {
    GProp_GProps g;
    BRepGProp::LinearProperties(shape, g);
    return g.Mass();
}

bool isSolid(const TopoDS_Shape& shape) {
    return !shape.IsNull() && TopExp_Explorer(shape, TopAbs_SOLID).More();
}

std::vector<TopoDS_Shape> edgesOf(const TopoDS_Face& face) {
    TopTools_IndexedMapOfShape map;
    TopExp::MapShapes(face, TopAbs_EDGE, map);
    std::vector<TopoDS_Shape> out;
    for (int i = 1; i <= map.Extent(); ++i) out.push_back(map(i));
    return out;
}

gp_Pnt faceCentre(const TopoDS_Face& face) {
    GProp_GProps g;
    BRepGProp::SurfaceProperties(face, g);
    return g.CentreOfMass();
}

}  // namespace host::geom
