// Hidden-line projections of solids onto a view plane: what a drawing view shows of its bodies.
#pragma once
#include <string>
#include <vector>
#include <TopoDS_Shape.hxx>
#include <gp_Ax2.hxx>

namespace host::geom {

// One projected edge, in the view plane's coordinates (model millimetres, x right, y up).
struct Curve2d {
    enum Kind { Segment, Arc, Circle, Polyline } kind = Segment;
    bool visible = true;
    std::vector<double> xy;          // Segment: x1 y1 x2 y2; Polyline: x y ...
    double cx = 0, cy = 0, r = 0;    // Arc and Circle
    double a1 = 0, a2 = 0;           // Arc: from a1 to a2 counter-clockwise, degrees
};

struct Projection {
    std::vector<Curve2d> curves;
    double xmin = 0, ymin = 0, xmax = 0, ymax = 0;   // box of the visible and hidden curves
    // Worked out from the solids' facets: their exact hidden-line removal would cost past the bound.
    bool faceted = false;
    bool empty() const { return curves.empty(); }
};

// What the exact hidden-line removal of the solids costs, in the kernel's terms: every edge is tried
// against every face, and a face costs as much as its surface is hard to cut. A plate is 72, a group of
// 25 bodies of a frame 600 000 (a tenth of a second here); a free-form face alone is past any bound.
double hiddenLineWork(const std::vector<TopoDS_Shape>& solids);
// Past this (some ten seconds here) the kernel may work for minutes on one view, so the view is worked
// out from facets at a sheet's resolution instead: a bound on work, the same on every machine.
constexpr double kExactHiddenLineWork = 1e8;

// The standard view directions by the model view's name: "FRONT", "TOP", "RIGHT", "LEFT", "BACK",
// "BOTTOM", "TFR-ISO", "TFR-TRI" (names as the host keeps them). Throws for another name.
gp_Ax2 viewAxes(const std::string& modelView);

// Projects the solids (in model coordinates) seen along the view's axes: its direction is the view
// direction (toward the viewer), its x direction the sheet's right. With `hidden`, edges hidden behind
// a face come out too, marked not visible. Exact unless the work is past kExactHiddenLineWork; then
// from facets a thousandth of the solids' size fine, and `faceted` says so.
Projection project(const std::vector<TopoDS_Shape>& solids, const gp_Ax2& axes, bool hidden);

}  // namespace host::geom
