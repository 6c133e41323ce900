// Rules of drawing output with no host calls: scale and gaps, view positions, sheet-name parts, title-block
// markers, layer plan and number splitting. Text is GBK; "-" is found at character starts only.
#pragma once
#include <cmath>
#include <string>
#include <vector>

namespace drawing {

// A rectangle on a sheet, sheet mm.
struct Rect {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};
// A sheet's constants for the scale choice (width, side allowance, height allowance, bottom reserve),
// and where its template draws the frame and the title block.
struct SheetFit {
    double width, sideAllowance, heightAllowance, bottomReserve;
    Rect frame, titleBlock;
};
const SheetFit kA3 = {420, 90, 110, 20, {25, 5, 415, 292}, {235, 5, 415, 45}};
const SheetFit kA4 = {210, 90, 155, 55, {25, 5, 205, 292}, {25, 5, 205, 45}};
const double kSheetHeight = 297;
// Space kept between a view and the frame, the title block or another view.
const double kViewMargin = 5;

// The scale that fits the front, plan and side views of extents x, y, z onto the sheet, and the gaps
// that centre them. `scale` is as computed; callers draw at `usable()`, 1.0 when it is not positive or,
// with nothing measured, not finite.
struct Layout {
    double x = 0, y = 0, z = 0;       // extents, model mm
    double scale = 0, horizontalGap = 0, verticalGap = 0;
    double usable() const { return scale > 0 && std::isfinite(scale) ? scale : 1.0; }
};
Layout fit(double x, double y, double z, const SheetFit& sheet);

// Where the four views stand on the sheet for a layout (sheet mm).
struct Point { double x = 0, y = 0; };
struct ViewPlaces { Point front, below, right, iso; };
ViewPlaces places(const Layout& l);
// The isometric view's own scale.
inline double isoScale(double s) { return 0.3 * s; }

// What the four views cover on the sheet, each centred on its place.
struct ViewRects { Rect front, below, right, iso; };
ViewRects viewRects(const Layout& l);
// Whether every view lies inside the frame, clear of the title block and of the other views.
bool clearOnSheet(const Layout& l, const SheetFit& sheet);
// The layout `fit` gives where its views are clear on the sheet. Where they are not (a tall or wide
// subject: the gaps go negative), the largest smaller scale whose views are, with the gaps worked out
// for that scale as `fit` works them.
Layout fitOnSheet(double x, double y, double z, const SheetFit& sheet);

// Extents of a set of boxes (min x, y, z, max x, y, z), starting from the first box.
struct Extents {
    bool any = false;
    double min[3] = {0, 0, 0}, max[3] = {0, 0, 0};
    void add(const double box[6]);
    double size(int axis) const { return any ? max[axis] - min[axis] : 0; }
};

// The five sheet-name parts of a component file: drawing name, number tail, sheet name, path, stem.
struct SheetName {
    std::string name, tail, sheet, path, stem;
};
// Of a sub-assembly: stem frame-2 gives frame, 2, "2-0组件-frame".
SheetName assemblySheet(const std::string& stem, const std::string& path);
// Of a single part: plate-2-5 gives plate, 2-5, "2-5-plate"; plate-5 gives plate, 5, "000-5-plate".
SheetName partSheet(const std::string& stem, const std::string& path);
// Whether a sub-assembly's stem gets a sheet: no 装配 or 数模, and a tail of digits after its last "-".
bool assemblyDrawn(const std::string& stem);

// The title-block markers in the order they are tested, and what a cell becomes: the value of the
// first marker its text holds, or nothing (the cell keeps its text).
enum Marker { kMaterial, kNumber, kQuantity, kTotal, kName, kNoMarker };
Marker markerOf(const std::string& cellText);
struct TitleValues { std::string material, number, quantity, total, name; };
// The cell's new text; `changed` false when the cell holds no marker.
std::string titleCell(const std::string& cellText, const TitleValues& v, bool& changed);

// Layer mode: the first layer of component N's block of 15, and the range of layers of a view.
inline long long baseLayer(long long n) { return 100 + 15 * (n - 1); }
const int kParkingLayer = 90;      // components outside the layer blocks
const int kIgnoredLayer = 171;     // bodies every walk leaves out
// Whether a layer lies outside the blocks (below 100 or above 250).
inline bool outsideBlocks(int layer) { return layer < 100 || layer > 250; }

// Numbers: the text from the first "-" on ("-2-7" of "X-2-7"), after the first and after the last "-".
std::string fromFirstDash(const std::string& number);
std::string afterFirstDash(const std::string& number);
// The number a body of layer mode carries: prefix-k under an assembly, prefix-tail-k otherwise.
std::string layerNumber(const std::string& prefix, const std::string& tail, int k, bool assembly);

// Backups: the prefix an earlier backup gave, when at least 60 % of the stems share the text before their
// first "-" (the last such head in order when several tie); empty when none does.
std::string previousPrefix(const std::vector<std::string>& stems);
// A stem under the new prefix: an earlier backup's prefix is replaced, not stacked.
std::string newStem(const std::string& stem, const std::string& prefix, const std::string& previous);

}  // namespace drawing
