// Bodies hiding one another in a view of many bodies, at a cost that grows with the bodies and not
// with their square: each body's own exact projection, with what another body's facets cover in front
// of it turned hidden.
#pragma once
#include <string>
#include <vector>
#include <TopoDS_Shape.hxx>
#include <gp_Ax2.hxx>
#include <gp_XY.hxx>
#include "geom/projection.h"

namespace host::geom {

// One body of the view: its solid where it stands, and its own projection (the body seen alone) with
// the move that puts that projection where the body stands on the view plane.
struct OwnView {
    TopoDS_Shape solid;
    const Projection* own = nullptr;
    gp_XY move;
    std::string geometry;  // what the solid is, wherever it stands (copies built one by one share it); may be empty
};

// The view of all the bodies: a stretch of a body's visible curve that another body covers in front of
// it is hidden (kept, marked not visible, when `hidden`; left out when not), as the exact removal of
// all of them at once finds it to a sheet's resolution. Curves are followed in steps of a two
// thousandth of the view; the bodies in front are their facets, a few hundredths of each body's size
// fine, and the places where a curve goes behind one are found to a hundredth of a step.
Projection occluded(const std::vector<OwnView>& bodies, const gp_Ax2& axes, bool hidden);

// The length of the visible, or the hidden, curves of a projection.
double curveLength(const Projection& p, bool visible);

}  // namespace host::geom
