#include "geom/measure.h"

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
};

double area(const TopoDS_Shape& s) {
    GProp_GProps g;
    BRepGProp::SurfaceProperties(s, g);
    return g.Mass();
}

double length(const TopoDS_Edge& e) { return GCPnts_AbscissaPoint::Length(BRepAdaptor_Curve(e)); }

bool hasEdge(const TopoDS_Face& face, const TopoDS_Edge& edge) {
    TopTools_IndexedMapOfShape edges;
    TopExp::MapShapes(face, TopAbs_EDGE, edges);
    return edges.Contains(edge);
}

// Why `d` is not the sweep direction, or empty if it is; fills the two end caps.
std::string checkDirection(const gp_Dir& d, const std::vector<Planar>& planes, const std::vector<gp_Dir>& axes,
                           const gp_Dir& baseNormal, std::vector<const Planar*>& caps) {
    caps.clear();
    for (const gp_Dir& a : axes)
        if (!a.IsParallel(d, kAngTol)) return "its bends are not parallel";
    if (!baseNormal.IsNormal(d, kAngTol)) return "the base face is not a side of the sheet";
    for (const Planar& p : planes) {
        if (p.n.IsParallel(d, kAngTol))
            caps.push_back(&p);
        else if (!p.n.IsNormal(d, kAngTol))
            return "a face is slanted to the bends";
    }
    if (caps.size() != 2 || caps[0]->n.Dot(caps[1]->n) > 0) return "it is not a profile swept along one direction";
    return "";
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

    std::vector<Planar> planes;
    std::vector<gp_Dir> axes;
    for (int i = 1; i <= faces.Extent(); ++i) {
        const TopoDS_Face f = TopoDS::Face(faces.FindKey(i));
        const int kind = faceKind(f);
        if (kind == kFacePlanar)
            planes.push_back({f, planeNormal(f), BRepAdaptor_Surface(f).Plane().Location()});
        else if (kind == kFaceCylindrical)
            axes.push_back(faceAxis(f).Direction());
        else
            cannot(kind == kFaceConical ? "it has a conical face" : "it has a face that is neither planar nor cylindrical");
    }
    const gp_Dir n = planeNormal(base);

    // The sweep direction: a bend's axis, or for a body without bends the normal of one of its end caps.
    std::vector<gp_Dir> candidates;
    if (!axes.empty()) {
        candidates.push_back(axes.front());
    } else {
        for (const Planar& p : planes) {
            bool seen = p.n.IsParallel(n, kAngTol);
            for (const gp_Dir& c : candidates) seen = seen || c.IsParallel(p.n, kAngTol);
            if (!seen) candidates.push_back(p.n);
        }
    }
    std::vector<const Planar*> caps;
    std::string why = "it is not a profile swept along one direction";
    gp_Dir along;
    bool found = false;
    for (const gp_Dir& c : candidates) {
        why = checkDirection(c, planes, axes, n, caps);
        if (why.empty()) {
            along = c;
            found = true;
            break;
        }
    }
    if (!found) cannot(why);

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

    const Planar& cap = *caps[0];
    const double w = std::abs(gp_Vec(cap.p, caps[1]->p).Dot(gp_Vec(along)));
    int wires = 0;
    for (TopExp_Explorer ex(cap.face, TopAbs_WIRE); ex.More(); ex.Next()) ++wires;
    if (wires != 1) cannot("its profile has a hole");

    // Walk the profile once, from the edge of the base face.
    std::vector<TopoDS_Edge> edges;
    std::vector<gp_Pnt> starts;
    for (BRepTools_WireExplorer ex(BRepTools::OuterWire(cap.face), cap.face); ex.More(); ex.Next()) {
        edges.push_back(ex.Current());
        starts.push_back(BRep_Tool::Pnt(ex.CurrentVertex()));
    }
    const int count = static_cast<int>(edges.size());
    int baseEdge = -1, oppositeEdge = -1, baseHits = 0, oppositeHits = 0;
    double perimeter = 0;
    for (int i = 0; i < count; ++i) {
        perimeter += length(edges[i]);
        if (hasEdge(base, edges[i])) {
            baseEdge = i;
            ++baseHits;
        }
        if (hasEdge(opposite->face, edges[i])) {
            oppositeEdge = i;
            ++oppositeHits;
        }
    }
    if (baseHits != 1 || oppositeHits != 1)
        cannot("the base face and its opposite face do not each meet the profile in one edge");

    // A strip of constant thickness t has a profile of area t * L bounded by 2 L + 2 t.
    GProp_GProps vol;
    BRepGProp::VolumeProperties(solid, vol);
    const double capArea = area(cap.face), midLength = vol.Mass() / (t * w);
    if (std::abs(perimeter - (2 * capArea / t + 2 * t)) > kRelTol * perimeter) cannot("its thickness is not constant");

    // Each side of the base edge up to the opposite edge runs along both faces of the strip and one end:
    // half of what remains is the mid-plane length on that side.
    double ahead = 0, behind = 0;
    for (int i = (baseEdge + 1) % count; i != oppositeEdge; i = (i + 1) % count) ahead += length(edges[i]);
    for (int i = (baseEdge + count - 1) % count; i != oppositeEdge; i = (i + count - 1) % count) behind += length(edges[i]);
    ahead = (ahead - t) / 2;
    behind = (behind - t) / 2;
    const double baseLength = length(edges[baseEdge]);
    if (std::abs(behind + baseLength + ahead - midLength) > kRelTol * midLength)
        cannot("the face opposite the base face is not its other side");

    const gp_Pnt from = starts[baseEdge], to = starts[(baseEdge + 1) % count];
    const gp_Dir e(gp_Vec(from, to)), into = n.Reversed(), inward = cap.n.Reversed();
    gp_Pnt corner = from.Translated(gp_Vec(e) * -behind);
    // Start at the far cap when the right-handed width direction points back out of the body.
    if (into.Crossed(e).Dot(inward) < 0) corner.Translate(gp_Vec(inward) * w);

    Sheet s;
    s.thickness = t;
    s.width = w;
    s.length = midLength;
    s.along = along;
    s.flatFrame = gp_Ax3(corner, into, e);
    return s;
}

TopoDS_Shape unfold(const TopoDS_Shape& solid, const TopoDS_Face& baseFace) {
    const Sheet s = sheetOf(solid, baseFace);
    return BRepPrimAPI_MakeBox(s.flatFrame.Ax2(), s.length, s.width, s.thickness).Shape();
}

}  // namespace host::geom
