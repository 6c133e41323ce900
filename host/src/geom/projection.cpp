#include "geom/projection.h"
#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <BRepAdaptor_Curve.hxx>
#include <BRep_Builder.hxx>
#include <GCPnts_QuasiUniformDeflection.hxx>
#include <HLRAlgo_Projector.hxx>
#include <Adaptor3d_Curve.hxx>
#include <Adaptor3d_Surface.hxx>
#include <BRepAdaptor_Surface.hxx>
#include <BRepBndLib.hxx>
#include <BRepBuilderAPI_Copy.hxx>
#include <BRepMesh_IncrementalMesh.hxx>
#include <BRep_Tool.hxx>
#include <Poly_Triangulation.hxx>
#include <Bnd_Box.hxx>
#include <HLRBRep_Algo.hxx>
#include <HLRBRep_HLRToShape.hxx>
#include <HLRBRep_PolyAlgo.hxx>
#include <HLRBRep_PolyHLRToShape.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Compound.hxx>
#include "geom/kernel.h"

namespace host::geom {

gp_Ax2 viewAxes(const std::string& v) {
    // First angle, as this trade draws: the view below the front is the plan seen from above, the view
    // right of the front is seen from the left. Each view's direction points at the viewer.
    const double s = 1 / std::sqrt(3.0);
    if (v == "FRONT") return gp_Ax2(gp_Pnt(), gp_Dir(0, -1, 0), gp_Dir(1, 0, 0));
    if (v == "BACK") return gp_Ax2(gp_Pnt(), gp_Dir(0, 1, 0), gp_Dir(-1, 0, 0));
    if (v == "TOP") return gp_Ax2(gp_Pnt(), gp_Dir(0, 0, 1), gp_Dir(1, 0, 0));
    if (v == "BOTTOM") return gp_Ax2(gp_Pnt(), gp_Dir(0, 0, -1), gp_Dir(1, 0, 0));
    if (v == "RIGHT") return gp_Ax2(gp_Pnt(), gp_Dir(1, 0, 0), gp_Dir(0, 1, 0));
    if (v == "LEFT") return gp_Ax2(gp_Pnt(), gp_Dir(-1, 0, 0), gp_Dir(0, -1, 0));
    if (v == "TFR-ISO") return gp_Ax2(gp_Pnt(), gp_Dir(s, -s, s), gp_Dir(1 / std::sqrt(2.0), 1 / std::sqrt(2.0), 0));
    if (v == "TFR-TRI") {
        gp_Dir d(0.42, -0.5, 0.76);
        return gp_Ax2(gp_Pnt(), d, gp_Dir(gp_Dir(0, 0, 1).Crossed(d)));
    }
    throw std::runtime_error("no model view " + v);
}

namespace {

void add(Projection& p, const TopoDS_Shape& compound, bool visible) {
    if (compound.IsNull()) return;
    for (TopExp_Explorer ex(compound, TopAbs_EDGE); ex.More(); ex.Next()) {
        BRepAdaptor_Curve c(TopoDS::Edge(ex.Current()));
        Curve2d out;
        out.visible = visible;
        const double u0 = c.FirstParameter(), u1 = c.LastParameter();
        if (c.GetType() == GeomAbs_Line) {
            gp_Pnt a = c.Value(u0), b = c.Value(u1);
            out.kind = Curve2d::Segment;
            out.xy = {a.X(), a.Y(), b.X(), b.Y()};
        } else if (c.GetType() == GeomAbs_Circle && std::abs(c.Circle().Axis().Direction().Z()) > 1 - 1e-9) {
            gp_Circ circ = c.Circle();
            out.cx = circ.Location().X();
            out.cy = circ.Location().Y();
            out.r = circ.Radius();
            if (std::abs(u1 - u0 - 2 * M_PI) < 1e-9) {
                out.kind = Curve2d::Circle;
            } else {
                // Angles on the sheet, counter-clockwise; a circle seen from below runs the other way.
                gp_Pnt a = c.Value(u0), b = c.Value(u1);
                double a1 = std::atan2(a.Y() - out.cy, a.X() - out.cx) * 180 / M_PI;
                double a2 = std::atan2(b.Y() - out.cy, b.X() - out.cx) * 180 / M_PI;
                if (circ.Axis().Direction().Z() < 0) std::swap(a1, a2);
                out.kind = Curve2d::Arc;
                out.a1 = a1;
                out.a2 = a2;
            }
        } else {
            GCPnts_QuasiUniformDeflection d(c, 0.05, u0, u1);
            if (!d.IsDone() || d.NbPoints() < 2) continue;
            out.kind = Curve2d::Polyline;
            for (int i = 1; i <= d.NbPoints(); ++i) {
                gp_Pnt q = d.Value(i);
                out.xy.push_back(q.X());
                out.xy.push_back(q.Y());
            }
        }
        p.curves.push_back(std::move(out));
    }
}

// A hidden edge drawn where a visible one lies is no hidden edge on a drawing: the back edges of a box
// fall onto its front edges. Hidden segments that visible segments cover are left out.
void dropCoveredHidden(Projection& p) {
    const double tol = 1e-6 * std::max(1.0, std::max(p.xmax - p.xmin, p.ymax - p.ymin));
    std::vector<const Curve2d*> visible;
    for (const Curve2d& c : p.curves)
        if (c.visible && c.kind == Curve2d::Segment) visible.push_back(&c);
    auto covered = [&](const Curve2d& h) {
        const double ax = h.xy[0], ay = h.xy[1], dx = h.xy[2] - ax, dy = h.xy[3] - ay;
        const double len = std::hypot(dx, dy);
        if (len < tol) return true;
        const double ux = dx / len, uy = dy / len;
        std::vector<std::pair<double, double>> spans;
        for (const Curve2d* v : visible) {
            // Both ends of the visible segment on the hidden one's line.
            double t[2];
            bool onLine = true;
            for (int e = 0; e < 2 && onLine; ++e) {
                const double px = v->xy[2 * e] - ax, py = v->xy[2 * e + 1] - ay;
                onLine = std::abs(px * uy - py * ux) <= tol;
                t[e] = px * ux + py * uy;
            }
            if (onLine) spans.emplace_back(std::min(t[0], t[1]), std::max(t[0], t[1]));
        }
        std::sort(spans.begin(), spans.end());
        double reach = 0;
        for (auto& [a, b] : spans) {
            if (a > reach + tol) break;
            reach = std::max(reach, b);
        }
        return reach >= len - tol;
    };
    std::vector<bool> keep;
    for (const Curve2d& c : p.curves) keep.push_back(c.visible || c.kind != Curve2d::Segment || !covered(c));
    std::vector<Curve2d> kept;
    for (size_t i = 0; i < p.curves.size(); ++i)
        if (keep[i]) kept.push_back(std::move(p.curves[i]));
    p.curves = std::move(kept);
}

void extend(Projection& p) {
    bool first = true;
    auto take = [&](double x, double y) {
        if (first) { p.xmin = p.xmax = x; p.ymin = p.ymax = y; first = false; return; }
        p.xmin = std::min(p.xmin, x); p.xmax = std::max(p.xmax, x);
        p.ymin = std::min(p.ymin, y); p.ymax = std::max(p.ymax, y);
    };
    for (const Curve2d& c : p.curves) {
        if (c.kind == Curve2d::Circle || c.kind == Curve2d::Arc) {
            take(c.cx - c.r, c.cy - c.r);
            take(c.cx + c.r, c.cy + c.r);
        } else {
            for (size_t i = 0; i + 1 < c.xy.size(); i += 2) take(c.xy[i], c.xy[i + 1]);
        }
    }
}

double curveWork(const Adaptor3d_Curve& c) {
    switch (c.GetType()) {
        case GeomAbs_Line: case GeomAbs_Circle: case GeomAbs_Ellipse: return 1;
        case GeomAbs_BSplineCurve: case GeomAbs_BezierCurve: return std::max(1.0, c.NbPoles() / 4.0);
        default: return 2;
    }
}

// Free-form faces the kernel cuts by marching, at a cost that no count foretells: a turned part of
// spline faces takes a tenth of a second seen askew and minutes seen along its axis. Any of them puts
// the view past the bound.
constexpr double kFreeForm = 1e12;

double surfaceWork(const Adaptor3d_Surface& s) {
    switch (s.GetType()) {
        case GeomAbs_Plane: return 1;
        case GeomAbs_Cylinder: case GeomAbs_Cone: return 2;
        case GeomAbs_Sphere: case GeomAbs_Torus: return 4;
        default: return kFreeForm;
    }
}

// The visible edges and outlines the kernel's removal found, exact or from facets, and the hidden ones
// when asked.
template <class ToShape>
Projection fromHlr(ToShape& shapes, bool hidden) {
    Projection p;
    add(p, shapes.VCompound(), true);
    add(p, shapes.OutLineVCompound(), true);
    if (hidden) {
        add(p, shapes.HCompound(), false);
        add(p, shapes.OutLineHCompound(), false);
    }
    extend(p);
    return p;
}

// Facets a view is worked out from: fine enough for a sheet, and few enough that the polygonal removal,
// which costs what the facets are, stays bounded.
constexpr int kMostFacets = 6000;

int facetCount(const TopoDS_Shape& s) {
    int n = 0;
    for (TopExp_Explorer f(s, TopAbs_FACE); f.More(); f.Next()) {
        TopLoc_Location at;
        const Handle(Poly_Triangulation) t = BRep_Tool::Triangulation(TopoDS::Face(f.Current()), at);
        if (!t.IsNull()) n += t->NbTriangles();
    }
    return n;
}

Projection faceted(const std::vector<TopoDS_Shape>& solids, const gp_Ax2& axes, bool hidden) {
    Bnd_Box box;
    for (const TopoDS_Shape& s : solids) BRepBndLib::Add(s, box, false);
    Handle(HLRBRep_PolyAlgo) algo = new HLRBRep_PolyAlgo();
    const int share = std::max<int>(1000, kMostFacets / static_cast<int>(solids.size()));
    for (const TopoDS_Shape& s : solids) {
        // A hundredth of the view's size first, cheap to make; then as fine as a thousandth when the
        // facets stay few enough (they grow about as fast as the fineness). Facets go on a copy: the
        // body's own solid stays as it was, for files and for measuring.
        const double size = std::sqrt(box.SquareExtent());
        TopoDS_Shape copy = BRepBuilderAPI_Copy(s, true, false).Shape();
        BRepMesh_IncrementalMesh(copy, 1e-2 * size, false, 0.5);
        const int coarse = facetCount(copy);
        for (const double finer : {10.0, 3.0}) {
            if (coarse * finer > share) continue;
            copy = BRepBuilderAPI_Copy(s, true, false).Shape();
            BRepMesh_IncrementalMesh(copy, 1e-2 * size / finer, false, 0.3);
            break;
        }
        algo->Load(copy);
    }
    algo->Projector(HLRAlgo_Projector(axes));
    algo->Update();
    HLRBRep_PolyHLRToShape shapes;
    shapes.Update(algo);
    Projection p = fromHlr(shapes, hidden);
    p.faceted = true;
    return p;
}

}  // namespace

double hiddenLineWork(const std::vector<TopoDS_Shape>& solids) {
    double edges = 0, faces = 0;
    for (const TopoDS_Shape& s : solids) {
        for (TopExp_Explorer e(s, TopAbs_EDGE); e.More(); e.Next()) edges += curveWork(BRepAdaptor_Curve(TopoDS::Edge(e.Current())));
        for (TopExp_Explorer f(s, TopAbs_FACE); f.More(); f.Next()) faces += surfaceWork(BRepAdaptor_Surface(TopoDS::Face(f.Current()), false));
    }
    return edges * faces;
}

Projection project(const std::vector<TopoDS_Shape>& solids, const gp_Ax2& axes, bool hidden) {
    if (solids.empty()) return {};
    return kernel("project the view", [&] {
        if (hiddenLineWork(solids) > kExactHiddenLineWork) return faceted(solids, axes, hidden);
        Handle(HLRBRep_Algo) algo = new HLRBRep_Algo();
        for (const TopoDS_Shape& s : solids) algo->Add(s);
        algo->Projector(HLRAlgo_Projector(axes));
        algo->Update();
        algo->Hide();
        HLRBRep_HLRToShape shapes(algo);
        Projection p = fromHlr(shapes, hidden);
        if (hidden) dropCoveredHidden(p);
        return p;
    });
}

}  // namespace host::geom
