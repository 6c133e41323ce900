// What a bar, tube or bent sheet shows when sawn straight across: the cross-section of a solid.
#pragma once
#include <TopoDS_Face.hxx>
#include <TopoDS_Shape.hxx>
#include <gp_Ax3.hxx>
#include <gp_Dir.hxx>

namespace host::geom {

struct Section {
    TopoDS_Face face;     // the largest region of the cut, lying in the cutting plane; null when nothing was cut
    int regions = 0;      // separate regions of that cut (a stock's section is one)
    double area = 0;      // of `face`
    double length = 0;    // the solid's extent along the axis
    // z along the axis, origin in the cutting plane; x along the section's longest straight edge when it
    // has one, so that a profile's flanges and webs run along x and y.
    gp_Ax3 frame;
};

// The frame of a planar face lying square to `normal`, at `at`: x along its outer wire's longest
// straight edge when it has one, so that a profile's flanges and webs or a plate's sides run along x and y.
gp_Ax3 edgeFrame(const TopoDS_Face& face, const gp_Pnt& at, const gp_Dir& normal);

// The fullest cut across `axis`. Holes, slots, notches and mitred ends a cut part has only take material
// away, so the fullest of cuts spread along the length is the section of the stock it was cut from. An
// end face square to the axis that carries the whole volume is taken as it is, without cutting.
// Throws Standard_Failure (kernel) or std::runtime_error for a null solid.
Section fullestSection(const TopoDS_Shape& solid, const gp_Dir& axis);

}  // namespace host::geom
