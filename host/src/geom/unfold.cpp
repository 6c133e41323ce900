#include "geom/measure.h"
#include "geom/section.h"

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include <BRepAdaptor_Curve.hxx>
#include <BRepAdaptor_Surface.hxx>
#include <BRepGProp.hxx>
#include <BRepPrimAPI_MakeBox.hxx>
#include <BRepTools.hxx>
#include <BRepTools_WireExplorer.hxx>
#include <BRep_Tool.hxx>
#include <GCPnts_AbscissaPoint.hxx>
#include <GProp_GProps.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Wire.hxx>
#include <gp_Ax2.hxx>
#include <gp_Vec.hxx>

namespace host::geom {
namespace {

[[noreturn]] void cannot(const std::string& why) { throw std::runtime_error("cannot unfold: " + why); }

// Loose enough for geometry that went through a STEP file, far tighter than any real deviation from a sheet.
constexpr double kAngTol = 1e-6;
constexpr double kLinTol = 1e-6;
constexpr double kRelTol = 1e-4;

struct Planar {
    TopoDS_Face face;
    gp_Dir n;
    gp_Pnt p;
    double area = 0;
};

bool onPlane(const TopoDS_Edge& e, const gp_Pnt& at, const gp_Dir& n, double tol) {
    BRepAdaptor_Curve c(e);
    if (c.GetType() != GeomAbs_Line) return false;
    for (double u : {c.FirstParameter(), c.LastParameter()})
        if (std::abs(gp_Vec(at, c.Value(u)).Dot(gp_Vec(n))) > tol) return false;
    return true;
}

}  // namespace

Sheet sheetOf(const TopoDS_Shape& shape, const TopoDS_Face& baseIn) {
    if (shape.IsNull()) cannot("no body");
    TopExp_Explorer solids(shape, TopAbs_SOLID);
    if (!solids.More()) cannot("the body is not a solid");
    const TopoDS_Shape solid = solids.Current();
    solids.Next();
    if (solids.More()) cannot("the body holds several solids");

    TopTools_IndexedMapOfShape faces;
    TopExp::MapShapes(solid, TopAbs_FACE, faces);
    const int baseIndex = baseIn.IsNull() ? 0 : faces.FindIndex(baseIn);
    if (baseIndex == 0) cannot("the base face is not a face of the body");
    // The solid's own instance carries the orientation that makes the normal point outward.
    const TopoDS_Face base = TopoDS::Face(faces.FindKey(baseIndex));
    if (faceKind(base) != kFacePlanar) cannot("the base face is not planar");

    // Holes, slots and countersinks a sheet is cut with are welcome; what decides is that most of its
    // surface runs along one direction, the bends' axis.
    std::vector<Planar> planes;
    std::vector<std::pair<gp_Dir, double>> bends;
    double total = 0;
    for (int i = 1; i <= faces.Extent(); ++i) {
        const TopoDS_Face f = TopoDS::Face(faces.FindKey(i));
        const int kind = faceKind(f);
        const double a = areaOf(f);
        total += a;
        if (kind == kFacePlanar) planes.push_back({f, planeNormal(f), BRepAdaptor_Surface(f).Plane().Location(), a});
        else if (kind == kFaceCylindrical) bends.emplace_back(faceAxis(f).Direction(), a);
    }
    const gp_Dir n = planeNormal(base);
    auto along = [&](const gp_Dir& d) {
        double a = 0;
        for (const Planar& p : planes)
            if (p.n.IsNormal(d, kAngTol)) a += p.area;
        for (const auto& [axis, area] : bends)
            if (axis.IsParallel(d, kAngTol)) a += area;
        return a;
    };
    // The sweep direction: a bend's axis, or for a body without bends a direction square to the base.
    std::vector<gp_Dir> candidates;
    for (const auto& b : bends) candidates.push_back(b.first);
    for (const Planar& p : planes) candidates.push_back(p.n);
    gp_Dir sweep;
    double most = 0;
    for (const gp_Dir& c : candidates) {
        if (!n.IsNormal(c, kAngTol)) continue;
        const double a = along(c);
        if (a > most) {
            most = a;
            sweep = c;
        }
    }
    if (most < 0.6 * total) cannot("it is not a profile swept along one direction");
    for (const auto& b : bends)
        if (!b.first.IsParallel(sweep, kAngTol) && b.second > 0.05 * total) cannot("its bends are not parallel");

    // Thickness: the nearest parallel face behind the base face.
    const gp_Pnt pb = BRepAdaptor_Surface(base).Plane().Location();
    const Planar* opposite = nullptr;
    double t = 0;
    for (const Planar& p : planes) {
        if (!p.n.IsOpposite(n, kAngTol)) continue;
        const double depth = gp_Vec(p.p, pb).Dot(gp_Vec(n));
        if (depth > kLinTol && (!opposite || depth < t)) {
            opposite = &p;
            t = depth;
        }
    }
    if (!opposite) cannot("no face lies opposite the base face");

    // The profile: the full cut across the sweep, clear of holes and notches.
    const Section section = fullestSection(solid, sweep);
    if (section.face.IsNull() || section.regions != 1) cannot("its cross-section is not one strip");
    const double w = section.length;
    int wires = 0;
    for (TopExp_Explorer ex(section.face, TopAbs_WIRE); ex.More(); ex.Next()) ++wires;
    if (wires != 1) cannot("its profile has a hole");

    // Walk the profile once, from the edge on the base face.
    std::vector<TopoDS_Edge> edges;
    std::vector<gp_Pnt> starts;
    for (BRepTools_WireExplorer ex(BRepTools::OuterWire(section.face), section.face); ex.More(); ex.Next()) {
        edges.push_back(ex.Current());
        starts.push_back(BRep_Tool::Pnt(ex.CurrentVertex()));
    }
    const int count = static_cast<int>(edges.size());
    const double onTol = 1e-6 * w + 1e-5;
    int baseEdge = -1, oppositeEdge = -1, baseHits = 0, oppositeHits = 0;
    double perimeter = 0;
    for (int i = 0; i < count; ++i) {
        perimeter += lengthOf(edges[i]);
        if (onPlane(edges[i], pb, n, onTol)) {
            baseEdge = i;
            ++baseHits;
        }
        if (onPlane(edges[i], opposite->p, n, onTol)) {
            oppositeEdge = i;
            ++oppositeHits;
        }
    }
    if (baseHits != 1 || oppositeHits != 1)
        cannot("the base face and its opposite face do not each meet the profile in one edge");

    // A strip of constant thickness t has a profile of area t * L bounded by 2 L + 2 t.
    const double midLength = section.area / t;
    if (std::abs(perimeter - (2 * midLength + 2 * t)) > kRelTol * perimeter) cannot("its thickness is not constant");

    // Each side of the base edge up to the opposite edge runs along both faces of the strip and one end:
    // half of what remains is the mid-plane length on that side.
    double ahead = 0, behind = 0;
    for (int i = (baseEdge + 1) % count; i != oppositeEdge; i = (i + 1) % count) ahead += lengthOf(edges[i]);
    for (int i = (baseEdge + count - 1) % count; i != oppositeEdge; i = (i + count - 1) % count) behind += lengthOf(edges[i]);
    ahead = (ahead - t) / 2;
    behind = (behind - t) / 2;
    const double baseLength = lengthOf(edges[baseEdge]);
    if (std::abs(behind + baseLength + ahead - midLength) > kRelTol * midLength)
        cannot("the face opposite the base face is not its other side");

    const gp_Pnt from = starts[baseEdge], to = starts[(baseEdge + 1) % count];
    const gp_Dir e(gp_Vec(from, to)), into = n.Reversed();
    // From the cut back to the end of the sheet the flat block's width runs away from.
    const gp_Dir width = into.Crossed(e);
    const Bnd ends = bnd(solid, gp_Ax3(gp::Origin(), width));
    gp_Pnt corner = from.Translated(gp_Vec(e) * -behind);
    corner.Translate(gp_Vec(width) * (ends.min.Z() - gp_Vec(corner.XYZ()).Dot(gp_Vec(width))));

    Sheet s;
    s.thickness = t;
    s.width = w;
    s.length = midLength;
    s.along = sweep;
    s.flatFrame = gp_Ax3(corner, into, e);
    return s;
}

TopoDS_Shape unfold(const TopoDS_Shape& solid, const TopoDS_Face& baseFace) {
    const Sheet s = sheetOf(solid, baseFace);
    return BRepPrimAPI_MakeBox(s.flatFrame.Ax2(), s.length, s.width, s.thickness).Shape();
}

}  // namespace host::geom
