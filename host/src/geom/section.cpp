#include "geom/section.h"
#include <cmath>
#include <stdexcept>
#include <BRepAdaptor_Curve.hxx>
#include <BRepAlgoAPI_Common.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepGProp.hxx>
#include <BRepTools.hxx>
#include <GProp_GProps.hxx>
#include <ShapeUpgrade_UnifySameDomain.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Wire.hxx>
#include <gp_Pln.hxx>
#include "geom/measure.h"
#include "geom/stock.h"

namespace host::geom {
namespace {

}  // namespace

gp_Ax3 edgeFrame(const TopoDS_Face& face, const gp_Pnt& at, const gp_Dir& axis) {
    double longest = 0;
    gp_Dir x;
    for (TopExp_Explorer e(BRepTools::OuterWire(face), TopAbs_EDGE); e.More(); e.Next()) {
        BRepAdaptor_Curve c(TopoDS::Edge(e.Current()));
        if (c.GetType() != GeomAbs_Line) continue;
        const double l = c.LastParameter() - c.FirstParameter();
        if (l > longest && c.Line().Direction().IsNormal(axis, 1e-6)) {
            longest = l;
            x = c.Line().Direction();
        }
    }
    return longest > 0 ? gp_Ax3(at, axis, x) : gp_Ax3(at, axis);
}

Section fullestSection(const TopoDS_Shape& solid, const gp_Dir& axis) {
    if (solid.IsNull()) throw std::runtime_error("section of a null shape");
    const gp_Ax3 along(gp::Origin(), axis);
    const Bnd b = bnd(solid, along);
    Section s;
    s.length = b.max.Z() - b.min.Z();
    const gp_Pnt centre = along.Location()
                              .Translated(gp_Vec(along.XDirection()) * ((b.min.X() + b.max.X()) / 2))
                              .Translated(gp_Vec(along.YDirection()) * ((b.min.Y() + b.max.Y()) / 2));
    auto station = [&](double z) { return centre.Translated(gp_Vec(axis) * z); };

    // A prism cut square: its end face is the section, and cutting would only find it again.
    const double volume = massProps(solid).volume;
    for (TopExp_Explorer e(solid, TopAbs_FACE); e.More(); e.Next()) {
        const TopoDS_Face& f = TopoDS::Face(e.Current());
        if (faceKind(f) != kFacePlanar || !planeNormal(f).IsParallel(axis, 1e-9)) continue;
        const double a = areaOf(f);
        if (std::abs(a * s.length - volume) > 1e-7 * volume) continue;
        s.face = f;
        s.regions = 1;
        s.area = a;
        s.frame = edgeFrame(f, station(b.min.Z()), axis);
        return s;
    }

    const double reach = 2 * b.min.Distance(b.max) + 1;
    double fullest = 0;
    for (double at : {0.5, 0.3, 0.7, 0.1, 0.9}) {
        const double z = b.min.Z() + at * s.length;
        const TopoDS_Face cutter = BRepBuilderAPI_MakeFace(gp_Pln(station(z), axis), -reach, reach, -reach, reach);
        BRepAlgoAPI_Common cut(solid, cutter);
        if (!cut.IsDone()) continue;
        // The cut comes in as many faces as the solid has faces crossing it: made one where they meet.
        ShapeUpgrade_UnifySameDomain unify(cut.Shape(), true, true, false);
        unify.Build();
        TopoDS_Face largest;
        double total = 0, most = 0;
        int regions = 0;
        for (TopExp_Explorer e(unify.Shape(), TopAbs_FACE); e.More(); e.Next()) {
            const double a = areaOf(e.Current());
            total += a;
            ++regions;
            if (a > most) {
                most = a;
                largest = TopoDS::Face(e.Current());
            }
        }
        if (total <= fullest * (1 + 1e-9)) continue;
        fullest = total;
        s.face = largest;
        s.regions = regions;
        s.area = most;
        s.frame = edgeFrame(largest, station(z), axis);
    }
    return s;
}

}  // namespace host::geom
