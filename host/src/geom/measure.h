// Measuring shapes and sheet-metal unfolding in the stand-in's geometric kernel.
#pragma once
#include <utility>
#include <vector>
#include <TopoDS_Edge.hxx>
#include <TopoDS_Face.hxx>
#include <TopoDS_Shape.hxx>
#include <gp_Ax1.hxx>
#include <gp_Ax3.hxx>
#include <gp_Dir.hxx>
#include <gp_Pnt.hxx>

namespace host::geom {

struct Bnd {
    gp_Pnt min, max;
};

// Exact axis-aligned box of the geometry (not of tessellation or tolerances). Throws for a null or empty shape.
Bnd bnd(const TopoDS_Shape& shape);
// The exact box in the coordinates of `frame`: min and max are coordinates along the frame's x, y, z.
Bnd bnd(const TopoDS_Shape& shape, const gp_Ax3& frame);

// Face and edge kinds, numbered as the host numbers them. Every other surface or curve is 0.
constexpr int kFaceOther = 0;
constexpr int kFaceCylindrical = 16;
constexpr int kFaceConical = 17;
constexpr int kFacePlanar = 22;
constexpr int kEdgeOther = 0;
constexpr int kEdgeStraight = 3001;
constexpr int kEdgeCircular = 3002;

int faceKind(const TopoDS_Face& face);
int edgeKind(const TopoDS_Edge& edge);

// Outward normal of a planar face, as the face is oriented in its solid. Throws if the face is not planar.
gp_Dir planeNormal(const TopoDS_Face& face);
// Axis of a cylindrical or conical face. Throws for any other face.
gp_Ax1 faceAxis(const TopoDS_Face& face);
// Radius of a cylindrical face. Throws for any other face.
double cylinderRadius(const TopoDS_Face& face);
// Start and end vertices of an edge in its orientation (equal for a closed edge). Throws for an edge without vertices.
std::pair<gp_Pnt, gp_Pnt> edgeEnds(const TopoDS_Edge& edge);
// Centre of a circular edge. Throws for any other edge.
gp_Pnt circleCentre(const TopoDS_Edge& edge);

// The area of a shape's faces, mm2; the length of its edges, mm.
double areaOf(const TopoDS_Shape& shape);
double lengthOf(const TopoDS_Shape& shape);

// True when the shape holds a solid (not only sheets or wires).
bool isSolid(const TopoDS_Shape& shape);
// The edges bounding a face, each once, in the face's order.
std::vector<TopoDS_Shape> edgesOf(const TopoDS_Face& face);
// The centre of area of a face.
gp_Pnt faceCentre(const TopoDS_Face& face);

struct Distance {
    double value = 0;
    gp_Pnt onA, onB;  // a pair of nearest points
};
// Minimum distance between two shapes (0 when they touch or overlap as solids). Throws for null shapes.
Distance minDistance(const TopoDS_Shape& a, const TopoDS_Shape& b);

// A solid recognised as a plate of constant thickness bent along parallel lines.
struct Sheet {
    double thickness = 0;
    double width = 0;     // extent along the bend direction
    double length = 0;    // mid-plane length laid flat: volume / (thickness * width)
    gp_Dir along;         // bend direction
    // Right-handed frame in which the flat block is [0, length] x [0, width] x [0, thickness]: its xy plane is the
    // base face's plane, z points into the material, x runs along the unrolled length.
    gp_Ax3 flatFrame;
};

// Recognises the sheet from its faces; baseFace is a planar face of the solid that stays put when laid flat.
// Throws std::runtime_error "cannot unfold ..." for a body that is not such a sheet.
Sheet sheetOf(const TopoDS_Shape& solid, const TopoDS_Face& baseFace);
// The flat block of the sheet, lying on the base face's plane on the material side, the base face in place.
TopoDS_Shape unfold(const TopoDS_Shape& solid, const TopoDS_Face& baseFace);

}  // namespace host::geom
