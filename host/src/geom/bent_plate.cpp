#include "geom/stock.h"
#include "geom/kernel.h"

#include <cmath>
#include <sstream>
#include <stdexcept>

#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRepCheck_Analyzer.hxx>
#include <BRepPrimAPI_MakePrism.hxx>
#include <GC_MakeArcOfCircle.hxx>
#include <GC_MakeSegment.hxx>
#include <Geom_TrimmedCurve.hxx>
#include <TopoDS_Edge.hxx>
#include <gp_Vec.hxx>

namespace host::geom {
namespace {

[[noreturn]] void fail(const std::string& what) { throw std::runtime_error("stock bent_plate: " + what); }

std::string num(double v) {
    std::ostringstream s;
    s << v;
    return s.str();
}

void validate(const BentPlate& bp) {
    auto size = [](const std::string& name, double v) { checkSize("bent_plate", name, v); };
    size("thickness \"t\"", bp.t);
    size("width \"w\"", bp.w);
    // A sharp bend (radius 0) is a real bend; a radius below the tolerance is not.
    if (!std::isfinite(bp.r) || bp.r < 0) fail("bend radius \"r\" must not be negative, got " + num(bp.r));
    if (bp.r > 0) size("bend radius \"r\"", bp.r);
    if (bp.flanges.empty()) fail("needs at least one flange");
    for (size_t i = 0; i < bp.flanges.size(); ++i) size("flange " + std::to_string(i + 1), bp.flanges[i]);
    if (unfoldedLength(bp) > kPlantExtent) fail("laid flat it is longer than any plant (" + num(kPlantExtent) + " mm)");
    if (bp.angles.size() + 1 != bp.flanges.size())
        fail("needs one bend angle fewer than flanges: " + std::to_string(bp.flanges.size()) + " flanges, " +
             std::to_string(bp.angles.size()) + " angles");
    for (size_t i = 0; i < bp.angles.size(); ++i) {
        const double a = bp.angles[i];
        if (!std::isfinite(a) || a == 0 || std::abs(a) >= 180)
            fail("bend angle " + std::to_string(i + 1) + " must be non-zero and less than 180 degrees, got " + num(a));
    }
}

// A piece of one side of the profile, in the x-z plane: a segment a-b, or an arc a-m-b through m.
struct Piece {
    gp_Pnt a, m, b;
    bool arc = false;
};

TopoDS_Edge edgeOf(const Piece& p, bool reversed) {
    const gp_Pnt& s = reversed ? p.b : p.a;
    const gp_Pnt& e = reversed ? p.a : p.b;
    if (!p.arc) return BRepBuilderAPI_MakeEdge(GC_MakeSegment(s, e).Value()).Edge();
    return BRepBuilderAPI_MakeEdge(GC_MakeArcOfCircle(s, p.m, e).Value()).Edge();
}

}  // namespace

static TopoDS_Shape makeValid(const BentPlate& bp);

double unfoldedLength(const BentPlate& bp) {
    double len = 0;
    for (double f : bp.flanges) len += f;
    for (double a : bp.angles) len += std::abs(a) * M_PI / 180 * (bp.r + bp.t / 2);
    return len;
}

TopoDS_Shape makeBentPlate(const BentPlate& bp) {
    validate(bp);
    return kernel("make this bent_plate", [&] { return makeValid(bp); });
}

static TopoDS_Shape makeValid(const BentPlate& bp) {
    const double h = bp.t / 2, R = bp.r + h;
    auto at = [](double u, double v) { return gp_Pnt(u, 0, v); };

    // Walk the mid-line; `top` is the side offset toward the left normal (+z on the first flange).
    double u = 0, v = 0, th = 0;
    std::vector<Piece> top, bottom;
    for (size_t i = 0; i < bp.flanges.size(); ++i) {
        const double cu = std::cos(th), cv = std::sin(th), nu = -cv, nv = cu;
        const double L = bp.flanges[i];
        top.push_back({at(u + nu * h, v + nv * h), gp_Pnt(), at(u + L * cu + nu * h, v + L * cv + nv * h), false});
        bottom.push_back({at(u - nu * h, v - nv * h), gp_Pnt(), at(u + L * cu - nu * h, v + L * cv - nv * h), false});
        u += L * cu;
        v += L * cv;
        if (i == bp.angles.size()) break;

        // A positive angle turns counter-clockwise seen from -y, so the next flange rises toward +z.
        const double a = bp.angles[i] * M_PI / 180, s = a > 0 ? 1.0 : -1.0;
        const double ou = u + s * R * nu, ov = v + s * R * nv;  // bend centre
        const double rTop = R - s * h, rBottom = R + s * h;
        // The side's point at heading `ang`: the centre minus the radius along the left normal.
        auto sidePoint = [&](double ang, double radius) {
            return at(ou + s * radius * std::sin(ang), ov - s * radius * std::cos(ang));
        };
        const double thMid = th + a / 2, thEnd = th + a;
        if (rTop > 0) top.push_back({sidePoint(th, rTop), sidePoint(thMid, rTop), sidePoint(thEnd, rTop), true});
        if (rBottom > 0)
            bottom.push_back({sidePoint(th, rBottom), sidePoint(thMid, rBottom), sidePoint(thEnd, rBottom), true});
        th = thEnd;
        u = ou + s * R * std::sin(th);
        v = ov - s * R * std::cos(th);
    }

    BRepBuilderAPI_MakeWire wire;
    wire.Add(BRepBuilderAPI_MakeEdge(GC_MakeSegment(bottom.front().a, top.front().a).Value()).Edge());
    for (const Piece& p : top) wire.Add(edgeOf(p, false));
    wire.Add(BRepBuilderAPI_MakeEdge(GC_MakeSegment(top.back().b, bottom.back().b).Value()).Edge());
    for (auto it = bottom.rbegin(); it != bottom.rend(); ++it) wire.Add(edgeOf(*it, true));
    if (!wire.IsDone()) fail("profile does not close");

    BRepBuilderAPI_MakeFace face(wire.Wire(), Standard_True);
    if (!face.IsDone()) fail("profile is not a planar face");
    TopoDS_Shape solid = BRepPrimAPI_MakePrism(face.Face(), gp_Vec(0, bp.w, 0)).Shape();
    if (!BRepCheck_Analyzer(solid).IsValid()) fail("profile runs into itself");
    return solid;
}

}  // namespace host::geom
