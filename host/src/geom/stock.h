// Stock shapes, mass properties and B-rep text of the stand-in's geometric kernel.
#pragma once
#include <string>
#include <vector>
#include <TopoDS_Shape.hxx>
#include <gp_Trsf.hxx>
#include <gp_Pnt.hxx>
#include <gp_Vec.hxx>

namespace host::geom {

// Sizes a stock can have: at least the host's modelling tolerance, at most what any plant holds.
constexpr double kTolerance = 0.0254;     // mm
constexpr double kPlantExtent = 1e6;      // mm: a kilometre
// The text of one solid in a part file; a stock's is a few kilobytes, an imported body's rarely a megabyte.
constexpr size_t kMaxShapeText = 64u << 20;

// Throws std::runtime_error "stock <kind>: <what> ..." unless `v` is a size a stock can have.
void checkSize(const std::string& kind, const std::string& what, double v);

// A bent plate: straight flanges joined by bends, of thickness t and width w.
struct BentPlate {
    std::vector<double> flanges;  // straight lengths of the flanges, mm
    std::vector<double> angles;   // bend angles in degrees between consecutive flanges; positive bends toward +z
    double t = 0, r = 0, w = 0;   // thickness, inner bend radius, width (along y)
};

// One stock as a model description gives it. `size` holds the numbers of the stock's size array.
struct Stock {
    std::string kind;            // block plate flat square_tube rect_tube angle round_bar pipe cylinder bent_plate step
    std::vector<double> size;
    BentPlate bent;
    std::string stepFile;        // absolute path, for kind "step"
};

// The solid of a stock in its own frame (length along x from the origin). Throws std::runtime_error
// with a plain message for an unknown kind, a wrong count of sizes, a size no stock has, walls that
// leave no room, an unreadable STEP file, or a shape the kernel refuses.
TopoDS_Shape makeStock(const Stock& stock);

// The kernel keeps no curve of an edge in a plane's own parameters: it projects the edge afresh
// whenever a face's bounds are asked, and hidden lines, distances and point classification ask all the
// time. `withPlaneCurves` stores them in the shape once (it changes no geometry) and returns the shape.
TopoDS_Shape withPlaneCurves(const TopoDS_Shape& shape);

// A round solid of `diameter` whose base centre is `origin`, running `height` along `axis` (any length but zero).
// Sizes are checked as a stock's are; a zero axis, or a shape the kernel refuses, throws std::runtime_error.
TopoDS_Shape cylinder(const gp_Pnt& origin, const gp_Vec& axis, double diameter, double height);

// The solid of a bent plate alone; its mid-line starts at the origin heading +x and it spans y in [0, w].
TopoDS_Shape makeBentPlate(const BentPlate& plate);

// Length of a bent plate's mid-plane laid flat: the flanges plus the bends' mid-line arcs.
double unfoldedLength(const BentPlate& plate);

// Placement of a body: origin `at`, x axis `x`, z axis `z` (y = z × x). Throws for parallel or zero axes
// and for an origin outside any plant.
gp_Trsf placement(const double at[3], const double x[3], const double z[3]);

// A placement from its 3x4 matrix by rows (rotation | translation). Throws std::runtime_error unless it is a
// rigid motion — a rotation without mirror or scale, moving no farther than any plant reaches.
gp_Trsf rigidMotion(const double m[12]);

struct MassProps {
    double volume = 0;  // mm³
    double area = 0;    // mm²
    gp_Pnt centroid;
};
MassProps massProps(const TopoDS_Shape& solid);

int faceCount(const TopoDS_Shape& shape);
int edgeCount(const TopoDS_Shape& shape);

// Lossless text form of a shape (for part files), and back. fromText throws on damaged text.
// Some damaged texts make the kernel's reader follow a null pointer instead of failing; readsSafely
// reads the texts in a process of its own first and answers whether it came through.
std::string toText(const TopoDS_Shape& shape);
TopoDS_Shape fromText(const std::string& text);
bool readsSafely(const std::vector<const std::string*>& texts);

}  // namespace host::geom
