#include "geom/classify.h"
#include <algorithm>
#include <cmath>
#include <vector>
#include <BRepBndLib.hxx>
#include <Bnd_OBB.hxx>
#include <Standard_Failure.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <gp_Lin.hxx>
#include "geom/measure.h"

namespace host::geom {
namespace {

constexpr double kAngular = 1e-6;   // cosine tolerance for "parallel" and "square to"
// Flat bar is rolled up to this width; a wider or stubby box is cut from plate.
constexpr double kFlatMaxWidth = 200;

bool parallel(const gp_Dir& a, const gp_Dir& b) { return std::abs(std::abs(a.Dot(b)) - 1) < kAngular; }
bool square(const gp_Dir& a, const gp_Dir& b) { return std::abs(a.Dot(b)) < kAngular; }

struct Faces {
    std::vector<gp_Dir> planes;                       // outward normals
    std::vector<std::pair<gp_Ax1, double>> cylinders; // axis, radius
    int other = 0;
};

Faces facesOf(const TopoDS_Shape& solid) {
    Faces f;
    for (TopExp_Explorer e(solid, TopAbs_FACE); e.More(); e.Next()) {
        const TopoDS_Face& face = TopoDS::Face(e.Current());
        switch (faceKind(face)) {
            case kFacePlanar: f.planes.push_back(planeNormal(face)); break;
            case kFaceCylindrical: f.cylinders.emplace_back(faceAxis(face), cylinderRadius(face)); break;
            default: ++f.other;
        }
    }
    return f;
}

// The three extents of the smallest box around the solid, smallest first.
std::vector<double> extents(const TopoDS_Shape& solid) {
    Bnd_OBB box;
    BRepBndLib::AddOBB(solid, box, false, true, false);
    std::vector<double> e = {2 * box.XHSize(), 2 * box.YHSize(), 2 * box.ZHSize()};
    std::sort(e.begin(), e.end());
    return e;
}

// The direction a prism runs along: the one normal that exactly two planar faces (its ends) have and
// every other face stands square to. Answers false when the solid is no prism.
bool prismAxis(const Faces& f, gp_Dir& axis) {
    for (const gp_Dir& n : f.planes) {
        int ends = 0;
        bool ok = true;
        for (const gp_Dir& m : f.planes) {
            if (parallel(n, m)) ++ends;
            else if (!square(n, m)) { ok = false; break; }
        }
        for (const auto& [ax, r] : f.cylinders)
            if (!parallel(n, ax.Direction())) { ok = false; break; }
        if (ok && ends == 2) {
            axis = n;
            return true;
        }
    }
    return false;
}

bool endsHaveOneOutline(const TopoDS_Shape& solid, const gp_Dir& axis) {
    for (TopExp_Explorer e(solid, TopAbs_FACE); e.More(); e.Next()) {
        const TopoDS_Face& face = TopoDS::Face(e.Current());
        if (faceKind(face) != kFacePlanar || !parallel(planeNormal(face), axis)) continue;
        int wires = 0;
        for (TopExp_Explorer w(face, TopAbs_WIRE); w.More(); w.Next()) ++wires;
        if (wires != 1) return false;
    }
    return true;
}

std::string classify(const TopoDS_Shape& solid) {
    int solids = 0;
    for (TopExp_Explorer e(solid, TopAbs_SOLID); e.More(); e.Next()) ++solids;
    if (solids != 1) return "";
    const Faces f = facesOf(solid);
    if (f.other > 0) return "";
    const std::vector<double> e = extents(solid);
    if (f.cylinders.empty() && f.planes.size() == 6) {
        // A box: thickness, width, length; its limits hold to the box's own rounding.
        const double tol = 1e-6 * e[2];
        return e[1] <= kFlatMaxWidth + tol && e[2] >= 3 * e[1] - tol ? u8"扁钢" : u8"钢板";
    }
    gp_Dir axis;
    if (!prismAxis(f, axis)) return "";
    const size_t sides = f.planes.size() + f.cylinders.size() - 2;
    if (f.cylinders.empty()) {
        if (sides == 6) return u8"角钢";
        if (sides == 8) {
            // Outer section: the two extents across the axis, which the length is not.
            std::vector<double> across = e;
            const Bnd b = bnd(solid, gp_Ax3(gp::Origin(), axis));
            const double along = b.max.Z() - b.min.Z();
            auto it = std::min_element(across.begin(), across.end(), [&](double x, double y) { return std::abs(x - along) < std::abs(y - along); });
            across.erase(it);
            return std::abs(across[0] - across[1]) < 1e-3 ? u8"方管" : u8"矩形管";
        }
        return "";
    }
    // Round sections share one axis: one radius is a bar, two a tube.
    const gp_Ax1& first = f.cylinders.front().first;
    bool coaxial = true;
    std::vector<double> radii;
    for (const auto& cylinder : f.cylinders) {
        const gp_Ax1& ax = cylinder.first;
        const double r = cylinder.second;
        if (!parallel(ax.Direction(), first.Direction()) || gp_Lin(first).Distance(ax.Location()) > 1e-6) coaxial = false;
        if (std::none_of(radii.begin(), radii.end(), [&](double x) { return std::abs(x - r) < 1e-6; })) radii.push_back(r);
    }
    if (coaxial && f.planes.size() == 2) return radii.size() == 1 ? u8"圆钢" : radii.size() == 2 ? u8"无缝钢管" : "";
    // Straight flanges joined by bends about parallel axes: bent sheet, folded across its width. A
    // sharp bend has one round face, a rounded one two. Its ends are the profile, one outline each: a
    // plate with holes drilled through is a prism with round faces too, but its ends have the holes.
    if (f.planes.size() >= 4 && endsHaveOneOutline(solid, axis)) return u8"钢板,折弯";
    return "";
}

}  // namespace

std::string stockCategory(const TopoDS_Shape& solid) {
    if (solid.IsNull()) return "";
    try {
        return classify(solid);
    } catch (const Standard_Failure&) {
        return "";
    } catch (const std::exception&) {
        return "";
    }
}

}  // namespace host::geom
